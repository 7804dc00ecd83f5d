#include "dialogs/controls/UiPaletteFile.h"

#include "platform/base/CArchive.h"
#include "platform/base/CFile.h"
#include "platform/base/Exceptions.h"
#include "platform/wnd/CWnd.h"

namespace {

BOOL RunArchive(CObject& object, CFile* file, UINT mode)
{
    try {
        CArchive archive(file, mode, 4096);
        object.Serialize(archive);
        archive.Close();
        return TRUE;
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
}

} // namespace

BOOL UiPaletteSaveToFile(CObject& object, LPCTSTR path, const UiPaletteFileCloser& close)
{
    auto* file = new CFile;
    if (!file->Open(path, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive)) {
        delete file;
        return FALSE;
    }
    const HCURSOR previous = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    const BOOL ok = RunArchive(object, file, CArchive::store);
    ::SetCursor(previous);
    close(file, !ok);
    return ok;
}

BOOL UiPaletteLoadFromFile(CObject& object, LPCTSTR path, const UiPaletteFileCloser& close)
{
    auto* file = new CFile;
    if (!file->Open(path, CFile::modeRead | CFile::shareDenyWrite)) {
        delete file;
        return FALSE;
    }
    const BOOL ok = file->GetLength() == 0 || RunArchive(object, file, CArchive::load);
    close(file, !ok);
    return ok;
}

void UiPaletteCloseFile(CFile* pFile, BOOL bAbort)
{
    if (bAbort)
        pFile->Abort();
    else
        pFile->Close();
    delete pFile;
}
