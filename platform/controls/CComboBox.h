// Combo boxes: CBS_SIMPLE, CBS_DROPDOWN (with an edit) and CBS_DROPDOWNLIST,
// sorted (CBS_SORT, without regard to case) and owner-drawn with fixed or
// variable item heights (WM_MEASUREITEM / WM_DRAWITEM, the selection field drawn
// with ODS_COMBOBOXEDIT). CB_ERR (-1) answers an index out of range; see
// platform/controls/CtlComboBox.cpp for the notifications.
#pragma once

#include "platform/base/CString.h"
#include "platform/wnd/CWnd.h"
#include "platform/controls/CommCtrl.h"

class CComboBox : public CWnd {
    DECLARE_DYNAMIC(CComboBox)
public:
    CComboBox() = default;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    // The edit's selection: start in the low word, end in the high word.
    DWORD GetEditSel() const;
    BOOL LimitText(int nMaxChars);
    BOOL SetEditSel(int nStartChar, int nEndChar);
    DWORD_PTR GetItemData(int nIndex) const;
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    void* GetItemDataPtr(int nIndex) const;
    int SetItemDataPtr(int nIndex, void* pData);
    int GetLBText(int nIndex, LPTSTR lpszText) const;
    void GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const;
    // nIndex -1: the selection field.
    int SetItemHeight(int nIndex, UINT cyItemHeight);
    int GetItemHeight(int nIndex) const;
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
    void GetDroppedControlRect(LPRECT lprect) const;
    BOOL GetDroppedState() const;
    void ShowDropDown(BOOL bShowIt = TRUE);
    int GetDroppedWidth() const;
    int SetDroppedWidth(UINT nWidth);
    int GetTopIndex() const;
    int SetTopIndex(int nIndex);

    int AddString(LPCTSTR lpszString);
    int DeleteString(UINT nIndex);
    int InsertString(int nIndex, LPCTSTR lpszString);
    void ResetContent();
    int FindString(int nStartAfter, LPCTSTR lpszString) const;
    int SelectString(int nStartAfter, LPCTSTR lpszString);

    void Clear();
    void Copy();
    void Cut();
    void Paste();

    // Owner drawing, reached through reflection; the defaults draw nothing and keep the height.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
