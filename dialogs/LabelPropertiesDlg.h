// "Label Properties": the text, font, colours, frame and background switches,
// anchor and angle of one or several object labels. OK writes every label
// (saving it to its layer file), also when nothing was changed.
#pragma once

#include "dialogs/TextPropertiesBase.h"

#include <vector>

class CMapLabel;

class CLabelPropertiesDlg : public CTextPropertiesBase {
public:
    CLabelPropertiesDlg(const std::vector<CMapLabel*>& labels, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    afx_msg void OnFont();
    DECLARE_MESSAGE_MAP()

private:
    std::vector<CMapLabel*> m_labels;
};
