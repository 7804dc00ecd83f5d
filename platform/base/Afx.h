// What every folder above the platform includes: the Windows scalar types, the
// geometry classes, CString, message boxes, collections, exceptions, files and
// archives, the profile and the clock. Window and drawing classes come
// from their own headers.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/base/CRect.h"
#include "platform/base/CString.h"
#include "platform/base/CObject.h"
#include "platform/base/MessageBox.h"
#include "platform/base/ResourceStrings.h"
#include "platform/base/Exceptions.h"
#include "platform/base/Collections.h"
#include "platform/base/CFile.h"
#include "platform/base/CArchive.h"
#include "platform/base/Profile.h"
#include "platform/base/Clock.h"
