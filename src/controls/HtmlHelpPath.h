#pragma once
// Where a page of the HTML manual lies. The four start pages lie in the help
// folder itself; every other page in the page folder of the manual of the
// running program kind: "olm.files" below kind 3, "csbolm.files" for 3.

#include <cstdint>
#include <string>

// The path of the page, or empty when there is nothing to open (an empty
// page name, or a program kind above 3 for a page outside the start pages).
std::string HtmlHelpPath(const std::string& helpDir, std::uint8_t programKind, const std::string& page);
