// The layer data structure dialog: the attribute fields of the map's layers.
// The user picks a layer, adds and removes fields and names and types the new
// ones; the changes reach the layer (its field list and its _MapMetaData table)
// when another layer is picked or OK is pressed, after the user agrees.
//
// A field the layer already has is shown but not edited: a layer changes its
// fields only by removing and adding them, so the list never shows a change
// that would not happen. A set of fields whose column names would collide is
// refused with a message and nothing is applied.
#pragma once

#include "platform/controls/CComboBox.h"
#include "platform/controls/CEdit.h"
#include "platform/controls/CListCtrl.h"
#include "platform/dialogs/CDialog.h"

#include <vector>

class CMapLayer;
class CMapWindowLink;

class CLayerStructureDlg : public CDialog {
    DECLARE_DYNAMIC(CLayerStructureDlg)

public:
    // `layer` is shown first; null shows the first layer of the combo.
    CLayerStructureDlg(CMapWindowLink* map, CMapLayer* layer, CWnd* parent = nullptr);

    // Shows the fields of `layer` and forgets every pending change.
    void ShowFields(CMapLayer* layer);
    // Applies the pending changes to the layer shown, after asking. FALSE when
    // they were refused (a message said why) and are still pending.
    BOOL ApplyChanges();

    // The item data of a field added in the dialog.
    static constexpr DWORD_PTR kNewField = (DWORD_PTR)-1;

    CComboBox m_cbLayers;
    CComboBox m_cbType;
    CListCtrl m_lcFields;
    CString m_strName;
    int m_nType = 0;
    int m_nWidth = 0;
    std::vector<int> m_Removed;
    CMapLayer* m_pLayer = nullptr;
    CMapWindowLink* m_pMap;
    int m_bModified = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnLayerSelected();
    afx_msg void OnFieldChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnNameChanged();
    afx_msg void OnTypeSelected();
    afx_msg void OnWidthChanged();
    afx_msg void OnAdd();
    afx_msg void OnRemove();
    DECLARE_MESSAGE_MAP()

private:
    int SelectedItem() const;
    // The field controls are editable only for a field added in the dialog.
    void EnableFieldControls(int item);
    // Null when the fields the layer would have after applying are sound, else
    // the message that refuses them.
    CString CheckNewFields() const;
    CMapLayer* m_pStartLayer;
    CMapLayer* m_pShownInCombo = nullptr; // the combo's layer while its fields are shown
    bool m_bFilling = false;               // controls being set by the dialog itself
};
