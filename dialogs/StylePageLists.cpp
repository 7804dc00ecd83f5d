#include "dialogs/StylePageLists.h"

#include "dialogs/WindowFonts.h"
#include "dialogs/controls/TextFont.h"

void FillStyleList(CComboBoxEx& list, CImageList& images, UINT bitmapId, int width, const char* const* names,
                   int count)
{
    if (g_DialogWindowFont)
        list.SetFont(g_DialogWindowFont);
    images.DeleteImageList();
    images.Create(bitmapId, width, 2, RGB(255, 255, 255));
    list.SetImageList(&images);
    const int pictures = images.GetSafeHandle() ? images.GetImageCount() : count;
    for (int i = 0; i < count && i < pictures; ++i) {
        COMBOBOXEXITEM item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_INDENT;
        item.iItem = i;
        item.pszText = const_cast<LPSTR>(names[i]);
        item.iImage = i;
        item.iSelectedImage = i;
        item.iIndent = 0;
        list.InsertItem(&item);
    }
}
