// Menu and accelerator resources as plain data, registered by the program's
// resources and found by id (CMenu::LoadMenu, LoadAccelerators). A menu is a
// flat list of items in the order a resource script writes them: a popup item
// opens a level, a kMenuEnd entry closes it. The platform holds none of its own.
#pragma once

#include "platform/base/WinTypes.h"

#include <span>

struct ResourceMenuItem {
    UINT flags;          // MF_STRING, MF_SEPARATOR, MF_POPUP, plus MF_GRAYED / MF_CHECKED; kMenuEnd closes a popup
    UINT id;             // command id (0 for popups and separators)
    const char* text;    // null for separators and ends
};

// The flag of the entry that closes the popup level opened last.
constexpr UINT kMenuEnd = 0x80000000u;

struct ResourceMenu {
    UINT id;
    std::span<const ResourceMenuItem> items;
};

// Keyboard accelerators: key (a virtual-key code with FVIRTKEY, else a character),
// modifier flags and the command it sends.
#define FVIRTKEY 0x01
#define FNOINVERT 0x02
#define FSHIFT 0x04
#define FCONTROL 0x08
#define FALT 0x10

struct ACCEL {
    BYTE fVirt;
    WORD key;
    WORD cmd;
};
typedef ACCEL* LPACCEL;

struct ResourceAccelerators {
    UINT id;
    std::span<const ACCEL> entries;
};

// Register `menu` / `table` (which must outlive the program's use of them) under their ids.
class ResourceMenuRegistration {
public:
    explicit ResourceMenuRegistration(const ResourceMenu& menu);
};
class ResourceAcceleratorRegistration {
public:
    explicit ResourceAcceleratorRegistration(const ResourceAccelerators& table);
};

// Null when nothing is registered under `id`.
const ResourceMenu* FindResourceMenu(UINT id);
const ResourceAccelerators* FindResourceAccelerators(UINT id);
