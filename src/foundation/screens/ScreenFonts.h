#pragma once
// The screens' answer to "is this font face installed": the toolkit's font
// database, which the operator's font setting is checked against.

// Installs the test for the settings (InstalledFonts.h).
void InstallScreenFontTest();
