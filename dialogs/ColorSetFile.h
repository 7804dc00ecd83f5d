// Colour-set files (extension pcs): one colour a line, the COLORREF value
// (0x00BBGGRR) in decimal, lines ended by CR LF. A line that is not a number,
// or an empty one, stands for black. Reader and writer of the format.
#pragma once

#include "platform/base/Afx.h"

#include <vector>

// The colours of the file in line order; FALSE when it cannot be read.
BOOL ReadColorSetFile(const CString& path, std::vector<COLORREF>& colors);
// Writes the colours in order; FALSE when the file cannot be written whole.
BOOL WriteColorSetFile(const CString& path, const std::vector<COLORREF>& colors);
