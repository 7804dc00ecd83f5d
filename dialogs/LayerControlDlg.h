// The Layer Control: every layer of a map in one grid, with its order, name and
// seven switches. The dialog works on its own row records; nothing reaches the
// layers until Apply (or OK) writes what changed into the layers, the map model
// and the workspace database and tells the map window what happened.
#pragma once

#include "core/MapLabel.h"
#include "core/MapStyle.h"
#include "dialogs/FillPropertyDlg.h"
#include "dialogs/controls/LayerGridCtrl.h"
#include "dialogs/controls/TransparentBitmap.h"
#include "platform/dialogs/CDialog.h"

#include <utility>
#include <vector>

class CMapLayer;
class CMapWindowLink;

// The dialog's copy of one layer's settings; owned by its grid row.
class CLayerControlRow : public CLayerGridRowData {
public:
    enum FillMode : short { kFillNone = 0, kFillPredefined = 1, kFillRandom = 2 };

    CMapLayer* m_pLayer = nullptr;
    CMapStyle m_Style;
    short m_nFillMode = kFillNone;
    const COLORREF* m_pColors = nullptr; // the fill dialog's set, with kFillPredefined
    int m_nColorCount = 0;
    MapLabelFontBlock m_LabelProperties;
    CString m_strLabelField;
    BOOL m_bChanged = FALSE;
};

class CLayerControlDlg : public CDialog {
    DECLARE_DYNAMIC(CLayerControlDlg)

public:
    // Change flags: what the rows marked as changed have pending.
    enum : int {
        kChangeSwitches = 1,
        kChangeFill = 2,
        kChangeLabel = 4,
        kChangeName = 8,
        kChangeOrder = 64,
        kChangeRemoved = 512,
    };
    // The grid's control id and its number of switch columns.
    static constexpr UINT kGridId = 1;
    static constexpr int kColumns = 7;

    CLayerControlDlg(CMapWindowLink* map, CWnd* parent = nullptr);
    ~CLayerControlDlg() override;

    // Writes what is pending; FALSE when a step failed (a message said which),
    // after the steps that could still be done.
    BOOL Apply();

    CLayerGridCtrl& GetGrid() { return m_Grid; }
    int GetChangeFlags() const { return m_nChangeFlags; }
    CLayerControlRow* GetRow(int row) const;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg void OnCheckClicked(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnUp();
    afx_msg void OnDown();
    afx_msg void OnLabel();
    afx_msg void OnDisplay();
    afx_msg void OnFillRandom();
    afx_msg void OnRename();
    afx_msg void OnRemove();
    afx_msg void OnApply();
    DECLARE_MESSAGE_MAP()

private:
    void LoadRows();
    void MarkChanged(int flag, CLayerControlRow* row);
    void EnableApply();
    void Reset();
    // The rename of one layer's file; FALSE (told to the user) when it failed
    // and the layer stays on its old file.
    BOOL RenameLayer(CLayerControlRow* row, const CString& newName);
    void RunWorkspaceSql(const char* sql, const CString& first, const CString* second);

    std::vector<CMapLayer*> m_RemovedLayers;
    std::vector<std::pair<CMapLayer*, CMapLayer*>> m_Swaps;
    int m_nChangeFlags = 0;
    CLayerGridCtrl m_Grid;
    CMapWindowLink* m_pMap;
    CFillPropertyDlg m_FillDialog;
    CTransparentBitmap m_Header;
};
