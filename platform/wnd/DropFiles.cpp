// Dropped files (DropFiles.h): Qt's drag and drop events on a window that accepts
// files become one WM_DROPFILES; the handle holds the local paths and the point.
#include "platform/wnd/DropFiles.h"

#include "platform/wnd/WndShared.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <algorithm>
#include <cstring>
#include <string>

using namespace wnd;

struct HDROP__ {
    std::vector<std::string> paths;
    POINT pt;
};

namespace {

std::vector<std::string> LocalPaths(const QMimeData* data)
{
    std::vector<std::string> paths;
    if (data && data->hasUrls())
        for (const QUrl& url : data->urls())
            if (url.isLocalFile())
                paths.push_back(url.toLocalFile().toStdString());
    return paths;
}

void Send(HWND hWnd, std::vector<std::string> paths, POINT pt)
{
    auto* drop = new HDROP__{std::move(paths), pt};
    // The receiver frees the handle with DragFinish, as on Windows.
    ::SendMessage(hWnd, WM_DROPFILES, (WPARAM)drop, 0);
}

} // namespace

void DragAcceptFiles(HWND hWnd, BOOL fAccept)
{
    Window* w = Find(hWnd);
    if (!w)
        return;
    w->acceptFiles = fAccept != FALSE;
    if (w->widget)
        w->widget->setAcceptDrops(w->acceptFiles);
}

UINT DragQueryFile(HDROP hDrop, UINT iFile, LPSTR lpszFile, UINT cch)
{
    if (!hDrop)
        return 0;
    if (iFile == 0xFFFFFFFFu)
        return (UINT)hDrop->paths.size();
    if (iFile >= hDrop->paths.size())
        return 0;
    const std::string& path = hDrop->paths[iFile];
    if (!lpszFile || cch == 0)
        return (UINT)path.size();
    const size_t n = std::min<size_t>(path.size(), cch - 1);
    std::memcpy(lpszFile, path.data(), n);
    lpszFile[n] = 0;
    return (UINT)n;
}

BOOL DragQueryPoint(HDROP hDrop, LPPOINT lppt)
{
    if (!hDrop || !lppt)
        return FALSE;
    *lppt = hDrop->pt;
    return TRUE;
}

void DragFinish(HDROP hDrop) { delete hDrop; }

void AfxTestDropFiles(HWND hWnd, const std::vector<CString>& paths, POINT pt)
{
    std::vector<std::string> list;
    for (const CString& p : paths)
        list.emplace_back(p.GetString());
    Send(hWnd, std::move(list), pt);
}

bool wnd::DropFiles(HWND hwnd, QEvent* event)
{
    Window* w = Find(hwnd);
    if (!w || !w->acceptFiles)
        return false;
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (LocalPaths(drag->mimeData()).empty())
            return false;
        drag->acceptProposedAction();
        return true;
    }
    auto* drop = static_cast<QDropEvent*>(event);
    std::vector<std::string> paths = LocalPaths(drop->mimeData());
    if (paths.empty())
        return false;
    drop->acceptProposedAction();
    const QPoint p = drop->position().toPoint();
    Send(hwnd, std::move(paths), POINT{p.x(), p.y()});
    return true;
}
