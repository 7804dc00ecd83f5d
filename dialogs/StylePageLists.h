// The picture lists of the style pages and the New Object preference page:
// fill patterns and dash styles, one item per style code, in code order.
#pragma once

#include "platform/controls/CComboBoxEx.h"
#include "platform/controls/CImageList.h"

inline const char* const kPatternNames[] = {"None",           "Solid",  "Downward",   "Cross",
                                            "Diagonal Cross", "Upward", "Horizontal", "Vertical"};
constexpr int kPatternCount = 8;
inline const char* const kDashNames[] = {"<None>", "Solid", "Dash", "Dot", "Dash Dot", "Dash Dot Dot"};
constexpr int kDashCount = 6;

// Gives `list` the dialog-window font and the pictures of bitmap `bitmapId`
// (images `width` wide, white transparent), and one item per name with the
// picture of the same index.
void FillStyleList(CComboBoxEx& list, CImageList& images, UINT bitmapId, int width, const char* const* names,
                   int count);
