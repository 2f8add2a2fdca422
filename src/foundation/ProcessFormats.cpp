#include "foundation/ProcessFormats.h"

#include "platform/DateTime.h"

// These formats are in place before main without an initialiser of this
// file: FormatSettings is constructed by its own translation unit with exactly
// these values. A namespace-scope initialiser here calling
// InitAccRecordFormats would be unsafe, because FormatSettings is dynamically
// initialised (its long date format does not fit a short string) and the
// linker places this object's initialiser before the date library's: it would
// assign into strings not yet constructed. Start-up calls this function
// explicitly, which also undoes any change a test or a screen made.
void InitAccRecordFormats()
{
    FormatSettings.DateSeparator = '/';
    FormatSettings.TimeSeparator = ':';
    FormatSettings.ShortDateFormat = "yyyy/MM/dd";
    FormatSettings.LongDateFormat = "yyyy年MM月dd日";
    FormatSettings.ShortTimeFormat = "hh:mm";
    FormatSettings.LongTimeFormat = "hh:mm:ss";
}
