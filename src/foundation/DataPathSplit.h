#pragma once
// The two folder names that follow the data root in a data path: the data
// folder ("0012", the data list's row number) and a child folder below it.

#include <string>

// Removes every half- and full-width space from the path, splits it at its
// separators ("/", and "\" of paths written by older programs) and finds the
// first part that equals "DATA" or "CB_DATA" (ASCII letters without regard
// to case); first := the part after it, second := the part after that, each
// empty when missing.
void SplitDataPath(const std::string& path, std::string& first, std::string& second);
