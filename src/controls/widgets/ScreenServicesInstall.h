#pragma once
// The screens' side of the core's waits and measures: once the application
// object exists, every DelayMSec processes pending window messages (so a
// long step leaves its window painted and its cancel button pressable) and
// resolutions default to the screen's.

void InstallScreenServices();
