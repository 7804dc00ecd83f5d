// A list box of colour swatches: each item's data is its COLORREF; the item text
// is not shown. The list is emptied once when it is created or subclassed.
#pragma once

#include "platform/controls/CListBox.h"

class CColorListBox : public CListBox {
public:
    CColorListBox() = default;

    // Appends an item of that colour; its index, or -1.
    int AddColor(const CString& text, COLORREF color);
    // Deletes the first item of that colour; FALSE when none has it.
    BOOL RemoveColor(COLORREF color);
    COLORREF GetColor(int index) const;
    // 0 when nothing is selected.
    COLORREF GetSelectedColor() const;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void PreSubclassWindow() override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

private:
    void EmptyOnce();
    int m_bEmptied = 0;
};
