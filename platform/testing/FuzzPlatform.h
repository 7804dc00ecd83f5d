// Start-up of the fuzz targets: the platform as the tests have it, once per process.
#pragma once

#include <string>

// Starts the platform offscreen (once; later calls do nothing): a temporary profile, the fonts,
// numbers in the C locale, and every message box answered with its default button.
void StartFuzzPlatform();
// A folder of this process's own, made on first use and removed at exit.
const std::string& FuzzScratchFolder();
