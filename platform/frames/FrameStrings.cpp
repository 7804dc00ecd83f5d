// The frames' texts by id: the program's string table first, then the class library's standard
// texts ("Ready", "Untitled", ...).
#include "platform/frames/FrameInternal.h"

#include "platform/base/ResourceStrings.h"

namespace frame {

namespace {
struct LibraryText {
    UINT id;
    const char* text;
};

// The library's standard texts, used when the program's string table has none.
const LibraryText kLibraryTexts[] = {
    {AFX_IDS_IDLEMESSAGE, "Ready"},
    {AFX_IDS_UNTITLED, "Untitled"},
    {AFX_IDS_OPENFILE, "Open"},
    {AFX_IDS_SAVEFILE, "Save As"},
    {AFX_IDS_ALLFILTER, "All Files (*.*)"},
    {AFX_IDP_ASK_TO_SAVE, "Save changes to %1?"},
    {AFX_IDP_FAILED_TO_OPEN_DOC, "Failed to open document."},
    {AFX_IDP_FAILED_TO_SAVE_DOC, "Failed to save document."},
    {AFX_IDP_FAILED_TO_CREATE_DOC, "Failed to create empty document."},
    {ID_INDICATOR_EXT, "EXT"},
    {ID_INDICATOR_CAPS, "CAP"},
    {ID_INDICATOR_NUM, "NUM"},
    {ID_INDICATOR_SCRL, "SCRL"},
    {ID_INDICATOR_OVR, "OVR"},
    {ID_INDICATOR_REC, "REC"},
};

const char* Find(UINT id)
{
    if (const char* text = FindResourceString(id))
        return text;
    for (const LibraryText& t : kLibraryTexts)
        if (t.id == id)
            return t.text;
    return nullptr;
}
} // namespace

CString LoadString(UINT id)
{
    const char* text = Find(id);
    return text ? CString(text) : CString();
}

bool HasString(UINT id) { return Find(id) != nullptr; }

} // namespace frame
