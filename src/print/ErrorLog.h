#pragma once
// The engine's error log: "Folianto_Error.log" in the user's documents
// folder, one CP932 line an error, "yy/mm/dd hh:nn:ss  " and the text.
//
// Logging is the engine's last resort while drawing and printing, so it
// never raises: a documents folder that cannot be written loses the line and
// WriteErrorLog returns false, rather than throwing into a paint handler.

#include "platform/DateTime.h"

#include <functional>
#include <string>

namespace fol {

constexpr const char* ErrorLogName = "Folianto_Error.log";

bool WriteErrorLog(const std::string& text);
// "location:error" as the callers log it.
bool WriteErrorLog(const std::string& location, const std::string& error);

// The clock of the time stamp; tests fix it. An empty function restores Now.
void SetErrorLogClock(std::function<TDateTime()> clock);

}  // namespace fol
