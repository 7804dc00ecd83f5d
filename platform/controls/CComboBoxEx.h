// Extended combo boxes: items with an image from an image list before their text.
// The control holds a combo box child; the CComboBox operations reach it, and its
// notifications (CBN_SELCHANGE, ...) come from the extended combo box.
#pragma once

#include "platform/controls/CComboBox.h"

class CEdit;
class CImageList;

class CComboBoxEx : public CComboBox {
    DECLARE_DYNAMIC(CComboBoxEx)
public:
    CComboBoxEx() = default;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // The index of the new item, -1 on failure; iItem -1 appends.
    int InsertItem(const COMBOBOXEXITEM* pCBItem);
    int DeleteItem(int iIndex);
    // iItem -1: the selected item.
    BOOL GetItem(COMBOBOXEXITEM* pCBItem);
    BOOL SetItem(const COMBOBOXEXITEM* pCBItem);
    // The control does not own the image list.
    CImageList* SetImageList(CImageList* pImageList);
    CImageList* GetImageList() const;
    CComboBox* GetComboBoxCtrl();
    CEdit* GetEditCtrl();
    DWORD GetExtendedStyle() const;
    DWORD SetExtendedStyle(DWORD dwExMask, DWORD dwExStyles);
};
