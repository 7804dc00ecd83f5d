// The font name combo fills itself with the installed families when it
// subclasses its control or creates it.
#include "dialogs/controls/FontNameCombo.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/FontDatabase.h"

BEGIN_MESSAGE_MAP(CFontNameCombo, CComboBox)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CFontNameCombo::CFontNameCombo() : m_faceNames(10) {}

int CFontNameCombo::AddFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM param)
{
    reinterpret_cast<CStringList*>(param)->AddTail(CString(font->lfFaceName));
    return 1;
}

void CFontNameCombo::PreSubclassWindow()
{
    CComboBox::PreSubclassWindow();
    AddFamilies();
}

int CFontNameCombo::OnCreate(LPCREATESTRUCT createStruct)
{
    // The combo's list exists only once the control has handled its creation.
    if (CComboBox::OnCreate(createStruct) == -1)
        return -1;
    AddFamilies();
    return 0;
}

void CFontNameCombo::AddFamilies()
{
    // The families are listed once; a later subclassing only adds them again.
    if (m_faceNames.IsEmpty()) {
        CWnd* source = GetParent() ? GetParent() : this;
        CDC* dc = source->GetDC();
        LOGFONTA all{};
        all.lfCharSet = DEFAULT_CHARSET;
        ::EnumFontFamiliesExA(dc ? dc->GetSafeHdc() : nullptr, &all, &CFontNameCombo::AddFamily,
                              reinterpret_cast<LPARAM>(&m_faceNames), 0);
        if (dc)
            source->ReleaseDC(dc);
    }

    for (POSITION pos = m_faceNames.GetHeadPosition(); pos;)
        AddString(m_faceNames.GetNext(pos));
}
