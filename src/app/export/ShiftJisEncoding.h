#pragma once
// The XML library's "Shift_JIS" as the intermediate file needs it.
//
// The tax-return application reads the file as Windows does, as code page
// 932. The XML library's own Shift_JIS is JIS X 0208 only: it has no ①, ㈱
// or IBM kanji such as 髙 and maps ～ and － to other characters, so it
// would write such names as character references or changed bytes. This
// registers a converter over iconv "CP932" under the name "Shift_JIS", which
// every later save and parse of the process then uses, while documents keep
// declaring "Shift_JIS".
//
// The output side refuses a character CP932 cannot hold (the library would
// otherwise write a character reference in its place) and remembers that it
// did; the writer checks that after every save.

namespace xmlexport {

// Registers the converter once per process; later calls do nothing.
void RegisterShiftJisEncoding();

// Whether the output side of this thread refused a character since the last
// call, and clears the mark.
bool TakeShiftJisEncodingFailure();

}  // namespace xmlexport
