#pragma once
// Opens a page of the HTML manual in the help folder with the user's
// default browser (controls/HtmlHelpPath.h says where each page lies).

#include <string>

// Always 0; an empty page name opens nothing. A page that does not exist
// still goes to the browser, which reports it in its own way.
int OpenHtmlHelp(const std::string& page);
