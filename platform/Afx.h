// What every folder above the platform includes: the Windows scalar types, the
// geometry classes, CString and message boxes. Window and drawing classes come
// from their own headers.
#pragma once

#include "platform/WinTypes.h"
#include "platform/CRect.h"
#include "platform/CString.h"
#include "platform/CObject.h"
#include "platform/MessageBox.h"
#include "platform/ResourceStrings.h"
