#pragma once
// Whether a font face is installed for the screen. The screens install the
// test (the font database of the toolkit); without it no face counts as
// installed, so the settings leave the operator font as it is.

#include <functional>
#include <string>

void SetInstalledFontTest(std::function<bool(const std::string& face)> test);
bool IsFontInstalled(const std::string& face);
