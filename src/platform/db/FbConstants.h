#pragma once
// The engine's numbers the layer relies on, in one place: the connection's
// character set and dialect, the ids of the character sets that matter to
// text, the date epoch, and the parameter block that converts a text blob.
// Internal to the database layer.

#include <ibase.h>

#include <vector>

namespace db::detail {

// The connection character set of every attachment.
inline constexpr const char* ConnectionCharset = "SJIS_0208";
inline constexpr unsigned SqlDialect = 3;

// Character set ids (RDB$CHARACTER_SETS).
inline constexpr unsigned CharsetNone = 0;
inline constexpr unsigned CharsetOctets = 1;
inline constexpr unsigned CharsetSjis = 5;  // SJIS_0208, the connection's

// Sets without conversion rules: their bytes pass as they are.
constexpr bool IsRawCharset(unsigned charSet)
{
    return charSet == CharsetNone || charSet == CharsetOctets;
}

// ISC_DATE counts days from 1858-11-17, TDateTime from 1899-12-30.
inline constexpr int DaysFromFirebirdToDelphi = 15018;
// ISC_TIME counts 1/10000 s.
inline constexpr double TicksPerDay = 86400.0 * 10000.0;

// Blobs are written and read in segments of this size.
inline constexpr unsigned BlobSegment = 32 * 1024;

// The blob parameter block that converts a text blob from one character set
// to another as it is written or read.
inline std::vector<unsigned char> TextBlobBpb(unsigned from, unsigned to)
{
    return {isc_bpb_version1,
            isc_bpb_source_type,
            1,
            static_cast<unsigned char>(isc_blob_text),
            isc_bpb_source_interp,
            1,
            static_cast<unsigned char>(from),
            isc_bpb_target_type,
            1,
            static_cast<unsigned char>(isc_blob_text),
            isc_bpb_target_interp,
            1,
            static_cast<unsigned char>(to)};
}

}  // namespace db::detail
