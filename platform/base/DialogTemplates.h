// Dialog templates: the layout of a dialog or property page as plain data, and the
// registry the dialog manager (CDialog::Create / DoModal, property pages) finds them
// in by id. The platform holds no templates of its own: the program's resources
// register theirs.
//
// Adding a dialog: one file resources/Dialog<Id>.cpp (or a file per group of
// related dialogs) that defines its control table and template and registers it
// with a static DialogTemplateRegistration:
//
//     namespace {
//     const DialogItemTemplate kItems[] = {
//         {"Static", IDC_STATIC, "Name:", 7, 9, 30, 8, WS_VISIBLE | SS_LEFT},
//         {"Edit", IDC_NAME, "", 40, 7, 120, 12, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL},
//         {"ComboBox", IDC_KIND, "", 40, 24, 120, 60, WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
//          0, "First\nSecond"},
//         {"Button", IDOK, "OK", 56, 44, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
//         {"Button", IDCANCEL, "Cancel", 110, 44, 50, 14, WS_VISIBLE | WS_TABSTOP},
//     };
//     const DialogTemplate kTemplate = {IDD_NAME, "Name", 0, 0, 168, 64,
//         DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, "MS Sans Serif", 8, kItems};
//     const DialogTemplateRegistration kRegistration(kTemplate);
//     }
//
// The registrations run at start-up. The resources library is linked whole
// (whole-archive) into the program and the tests, so that a file nothing references
// still registers. Ids are unique: a second template with the same id is reported by
// DialogTemplateConflicts().
//
// Templates built at run time (dialogs laid out in code) fill the same structs
// and pass them to CDialog::CreateIndirect / InitModalIndirect; the template and
// the strings and items it points to must live until the dialog is created.
#pragma once

#include "platform/base/WinTypes.h"

#include <span>
#include <vector>

// Dialog styles of a template.
#define DS_ABSALIGN 0x0001L
#define DS_SYSMODAL 0x0002L
#define DS_3DLOOK 0x0004L
#define DS_FIXEDSYS 0x0008L
#define DS_NOFAILCREATE 0x0010L
#define DS_LOCALEDIT 0x0020L
#define DS_SETFONT 0x0040L
#define DS_MODALFRAME 0x0080L
#define DS_NOIDLEMSG 0x0100L
#define DS_SETFOREGROUND 0x0200L
#define DS_CONTROL 0x0400L
#define DS_CENTER 0x0800L
#define DS_CENTERMOUSE 0x1000L
#define DS_CONTEXTHELP 0x2000L
#define DS_SHELLFONT (DS_SETFONT | DS_FIXEDSYS)

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

struct DialogItemTemplate {
    const char* className;   // a registered window class ("Button", "Edit", "ComboBox", ...), case-insensitive
    int id;                  // control id; IDC_STATIC for controls nothing refers to
    const char* text;        // window text; null for none
    short x, y, cx, cy;      // dialog units
    DWORD style;             // as given; WS_CHILD is always added, WS_VISIBLE is not
    DWORD exStyle = 0;
    // Initial list items of a "ComboBox" or "ListBox", separated by '\n'; added in
    // order when the dialog initialises (CDialog::OnInitDialog). Null for none.
    const char* listItems = nullptr;
};

struct DialogTemplate {
    UINT id;                 // resource id (0 for templates built at run time)
    const char* caption;     // window text of the dialog; a property page's tab text
    short x, y, cx, cy;      // dialog units; the client area is cx by cy
    DWORD style;             // WS_* and DS_* styles
    DWORD exStyle;
    const char* fontFace;    // null: "MS Sans Serif"
    WORD pointSize;          // 0: 8 points
    std::span<const DialogItemTemplate> items;
};

// Registers `tmpl` (which must outlive the program's use of it) under its id.
class DialogTemplateRegistration {
public:
    explicit DialogTemplateRegistration(const DialogTemplate& tmpl);
};

// The registered template of `id`; null when there is none.
const DialogTemplate* FindDialogTemplate(UINT id);
// Every registered template, in ascending order of id.
std::vector<const DialogTemplate*> AllDialogTemplates();
// Ids registered more than once (the first registration is the one found).
std::vector<UINT> DialogTemplateConflicts();
