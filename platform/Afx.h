// What every folder above the platform includes: the Windows scalar types, the
// geometry classes, CString, message boxes, collections, exceptions, files and
// archives, the profile and the clock. Window and drawing classes come
// from their own headers.
#pragma once

#include "platform/WinTypes.h"
#include "platform/CRect.h"
#include "platform/CString.h"
#include "platform/CObject.h"
#include "platform/MessageBox.h"
#include "platform/ResourceStrings.h"
#include "platform/Exceptions.h"
#include "platform/Collections.h"
#include "platform/CFile.h"
#include "platform/CArchive.h"
#include "platform/Profile.h"
#include "platform/Clock.h"
