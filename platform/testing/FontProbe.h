// Test support: what the system's font database holds, independent of the platform's
// own face mapping and enumeration, so that tests can check those against it.
#pragma once

#include "platform/base/WinTypes.h"

// Whether a font family of this name is installed or registered with the application.
bool IsFontFamilyInstalled(LPCSTR family);
