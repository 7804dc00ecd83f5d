// The help documents: PDF files in the "Help" folder beside the program, opened
// by the desktop. A document that cannot be opened is told to the user with its
// path, so a missing installation of the manuals is never a silent no-op.
#pragma once

// The two manuals the Help commands open.
inline constexpr const char* kGermanManual = "Terravue Benutzerhandbuch.pdf";
inline constexpr const char* kEnglishManual = "Terravue User Manual.pdf";

// Opens Help/`name` beside the program, shown minimised; TRUE when a program took it.
bool OpenHelpDocument(const char* name);
