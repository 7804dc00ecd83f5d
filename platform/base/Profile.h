// The profile (the registry of the Windows design): one INI file per
// application key, <configuration folder>/<registry key>/<application>.ini.
// Every value reads back byte for byte as it was written.
#pragma once

#include "platform/base/CString.h"

#include <vector>

// Chooses the file of the profile; until it is called the profile is
// <configuration folder>/<application name>.ini.
void AfxSetProfileKey(const char* registryKey, const char* appName);
// The path of the file that holds the profile.
CString AfxGetProfilePath();

CString AfxGetProfileString(const char* section, const char* entry, const char* def = nullptr);
// The stored number, or `def` when the entry is missing or holds no whole number.
UINT AfxGetProfileInt(const char* section, const char* entry, int def);
// A null value deletes the entry; a null entry deletes the whole section.
BOOL AfxWriteProfileString(const char* section, const char* entry, const char* value);
BOOL AfxWriteProfileInt(const char* section, const char* entry, int value);
BOOL AfxGetProfileBinary(const char* section, const char* entry, std::vector<BYTE>& out);
BOOL AfxWriteProfileBinary(const char* section, const char* entry, const BYTE* data, UINT size);

// Groups the writes made while it lives into one: they stay in memory until the outermost group
// ends, which writes the file once, by an atomic replace, so a process killed during a save leaves
// either the old profile or the new one, never a mix. Commit() ends the group early and says
// whether the file was written.
class CProfileWriteGroup {
public:
    CProfileWriteGroup();
    ~CProfileWriteGroup();
    CProfileWriteGroup(const CProfileWriteGroup&) = delete;
    CProfileWriteGroup& operator=(const CProfileWriteGroup&) = delete;
    BOOL Commit();

private:
    bool m_open = true;
};
