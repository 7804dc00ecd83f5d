// Menus (CMenu.h): menu handles and items, the Win32 calls on them, CMenu, and popup tracking
// through the menu hook.
#include "platform/wnd/CMenu.h"

#include "platform/base/ResourceMenus.h"

#include "platform/wnd/CWnd.h"
#include "platform/wnd/WndInternal.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {

constexpr UINT kTypeBits = MF_SEPARATOR | MF_POPUP | MF_BITMAP | MF_OWNERDRAW | MF_MENUBREAK | MF_MENUBARBREAK | MF_HELP;
constexpr UINT kStateBits = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT;

struct MenuItem {
    UINT flags = 0;     // type and state bits
    UINT_PTR id = 0;    // command id; the sub-menu handle for a popup item
    std::string text;   // string items
    UINT_PTR data = 0;  // owner-drawn items: the item data; bitmap items: the HBITMAP
};

struct MenuRecord {
    HMENU handle = nullptr;
    bool popup = false;
    std::vector<MenuItem> items;
    CMenu* permanent = nullptr;
    std::unique_ptr<CMenu> temporary;
};

// Handles are never reused and lie above every 16-bit command id, so that a
// popup item's id (its sub-menu handle) cannot be taken for a command.
uintptr_t g_nextMenuHandle = 0x100000;

// Outlives every static CMenu, which may still look its menu up at exit.
std::unordered_map<HMENU, std::unique_ptr<MenuRecord>>& Menus()
{
    static auto* menus = new std::unordered_map<HMENU, std::unique_ptr<MenuRecord>>;
    return *menus;
}

MenuRecord* Find(HMENU h)
{
    if (!h)
        return nullptr;
    auto it = Menus().find(h);
    return it == Menus().end() ? nullptr : it->second.get();
}

HMENU NewMenu(bool popup)
{
    auto rec = std::make_unique<MenuRecord>();
    g_nextMenuHandle += 16;
    rec->handle = reinterpret_cast<HMENU>(g_nextMenuHandle);
    rec->popup = popup;
    HMENU h = rec->handle;
    Menus().emplace(h, std::move(rec));
    return h;
}

// The menu and index of an item; by command the search descends into sub-menus depth first.
bool Locate(HMENU h, UINT position, UINT flags, MenuRecord*& owner, size_t& index, int depth = 0)
{
    MenuRecord* rec = Find(h);
    if (!rec || depth > 32)
        return false;
    if (flags & MF_BYPOSITION) {
        if (position >= rec->items.size())
            return false;
        owner = rec;
        index = position;
        return true;
    }
    for (size_t i = 0; i < rec->items.size(); ++i) {
        const MenuItem& item = rec->items[i];
        if (item.id == (UINT_PTR)position && !(item.flags & MF_SEPARATOR)) {
            owner = rec;
            index = i;
            return true;
        }
        if ((item.flags & MF_POPUP) && Locate(reinterpret_cast<HMENU>(item.id), position, flags, owner, index, depth + 1))
            return true;
    }
    return false;
}

bool MakeItem(UINT flags, UINT_PTR idNewItem, LPCSTR newItem, MenuItem& item)
{
    item.flags = flags & (kTypeBits | kStateBits);
    item.id = idNewItem;
    item.text.clear();
    item.data = 0;
    if (flags & MF_POPUP) {
        if (!Find(reinterpret_cast<HMENU>(idNewItem)))
            return false;
        Find(reinterpret_cast<HMENU>(idNewItem))->popup = true;
    }
    if (flags & MF_SEPARATOR)
        item.id = 0;
    else if (flags & (MF_OWNERDRAW | MF_BITMAP))
        item.data = reinterpret_cast<UINT_PTR>(newItem);
    else if (newItem)
        item.text = newItem;
    return true;
}

void Release(HMENU h)
{
    auto it = Menus().find(h);
    if (it == Menus().end())
        return;
    std::unique_ptr<MenuRecord> rec = std::move(it->second);
    Menus().erase(it);
    for (const MenuItem& item : rec->items)
        if (item.flags & MF_POPUP)
            Release(reinterpret_cast<HMENU>(item.id));
    if (rec->permanent)
        rec->permanent->m_hMenu = nullptr;
    if (rec->temporary)
        rec->temporary->m_hMenu = nullptr;
}

PopupMenuHandler& Handler()
{
    static PopupMenuHandler handler;
    return handler;
}

MenuResourceLoader g_menuLoader = nullptr;

// The path of sub-menus from `h` down to the item with command `id` (not including `h`).
bool PathTo(HMENU h, UINT id, std::vector<std::pair<HMENU, UINT>>& path, int depth = 0)
{
    MenuRecord* rec = Find(h);
    if (!rec || depth > 32)
        return false;
    for (size_t i = 0; i < rec->items.size(); ++i) {
        const MenuItem& item = rec->items[i];
        if (item.flags & MF_POPUP) {
            path.emplace_back(reinterpret_cast<HMENU>(item.id), (UINT)i);
            if (PathTo(reinterpret_cast<HMENU>(item.id), id, path, depth + 1))
                return true;
            path.pop_back();
        } else if (!(item.flags & MF_SEPARATOR) && item.id == id) {
            return true;
        }
    }
    return false;
}

void FillQtMenu(QMenu* qmenu, HMENU h, HWND owner);

// Fills `sub` from popup `subHandle` each time it opens, after the owner has had
// WM_INITMENUPOPUP to update the items; `index` is the popup's place in its parent.
void FillOnShow(QMenu* sub, HMENU subHandle, HWND owner, UINT index)
{
    QObject::connect(sub, &QMenu::aboutToShow, sub, [sub, subHandle, owner, index]() {
        ::SendMessage(owner, WM_INITMENUPOPUP, (WPARAM)subHandle, MAKELPARAM(index, FALSE));
        FillQtMenu(sub, subHandle, owner);
    });
}

void AddItems(QMenu* qmenu, HMENU h, HWND owner)
{
    MenuRecord* rec = Find(h);
    if (!rec)
        return;
    for (size_t i = 0; i < rec->items.size(); ++i) {
        const MenuItem item = rec->items[i];
        const bool enabled = !(item.flags & (MF_GRAYED | MF_DISABLED));
        if (item.flags & MF_SEPARATOR) {
            qmenu->addSeparator();
        } else if (item.flags & MF_POPUP) {
            QMenu* sub = qmenu->addMenu(QString::fromUtf8(item.text.c_str()));
            sub->setEnabled(enabled);
            FillOnShow(sub, reinterpret_cast<HMENU>(item.id), owner, (UINT)i);
        } else {
            QAction* action = qmenu->addAction(QString::fromUtf8(item.text.c_str()));
            action->setEnabled(enabled);
            if (item.flags & MF_CHECKED) {
                action->setCheckable(true);
                action->setChecked(true);
            }
            action->setData(QVariant::fromValue<qulonglong>(item.id));
        }
    }
}

void FillQtMenu(QMenu* qmenu, HMENU h, HWND owner)
{
    qmenu->clear();
    AddItems(qmenu, h, owner);
}

UINT ShowRealPopup(HMENU h, UINT flags, int x, int y, HWND owner)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return 0;
    QMenu menu(wnd::WidgetOf(owner));
    FillQtMenu(&menu, h, owner);
    const QSize size = menu.sizeHint();
    QPoint pos(x, y);
    if (flags & TPM_RIGHTALIGN)
        pos.rx() -= size.width();
    else if (flags & TPM_CENTERALIGN)
        pos.rx() -= size.width() / 2;
    if (flags & TPM_BOTTOMALIGN)
        pos.ry() -= size.height();
    else if (flags & TPM_VCENTERALIGN)
        pos.ry() -= size.height() / 2;
    QAction* chosen = menu.exec(pos);
    return chosen ? (UINT)chosen->data().toULongLong() : 0;
}

} // namespace

// ---------------------------------------------------------------- Win32 calls

HMENU CreateMenu() { return NewMenu(false); }
HMENU CreatePopupMenu() { return NewMenu(true); }

BOOL DestroyMenu(HMENU menu)
{
    if (!Find(menu))
        return FALSE;
    Release(menu);
    return TRUE;
}

BOOL IsMenu(HMENU menu) { return Find(menu) != nullptr; }

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idNewItem, LPCSTR newItem)
{
    MenuRecord* rec = Find(menu);
    MenuItem item;
    if (!rec || !MakeItem(flags, idNewItem, newItem, item))
        return FALSE;
    rec->items.push_back(std::move(item));
    return TRUE;
}

BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCSTR newItem)
{
    MenuRecord* rec = Find(menu);
    MenuItem item;
    if (!rec || !MakeItem(flags, idNewItem, newItem, item))
        return FALSE;
    if (flags & MF_BYPOSITION) {
        // Windows appends when the position is past the end (-1 included).
        const size_t at = position >= rec->items.size() ? rec->items.size() : position;
        rec->items.insert(rec->items.begin() + (ptrdiff_t)at, std::move(item));
        return TRUE;
    }
    MenuRecord* owner = nullptr;
    size_t index = 0;
    if (!Locate(menu, position, flags, owner, index))
        return FALSE;
    owner->items.insert(owner->items.begin() + (ptrdiff_t)index, std::move(item));
    return TRUE;
}

BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCSTR newItem)
{
    MenuRecord* owner = nullptr;
    size_t index = 0;
    if (!Locate(menu, position, flags, owner, index))
        return FALSE;
    MenuItem item;
    if (!MakeItem(flags, idNewItem, newItem, item))
        return FALSE;
    MenuItem& old = owner->items[index];
    // A popup replaced by another item takes its sub-menu with it, as on Windows.
    if ((old.flags & MF_POPUP) && !((item.flags & MF_POPUP) && item.id == old.id))
        Release(reinterpret_cast<HMENU>(old.id));
    old = std::move(item);
    return TRUE;
}

namespace {
// Takes an item out of the menu it is found in; false where there is none.
bool TakeItem(HMENU menu, UINT position, UINT flags, MenuItem& taken)
{
    MenuRecord* owner = nullptr;
    size_t index = 0;
    if (!Locate(menu, position, flags, owner, index))
        return false;
    taken = std::move(owner->items[index]);
    owner->items.erase(owner->items.begin() + (ptrdiff_t)index);
    return true;
}

// Sets the `mask` bits of an item's flags to those of `flags`: the bits before, or -1 without the item.
UINT ReplaceItemFlags(HMENU menu, UINT idItem, UINT flags, UINT mask)
{
    MenuRecord* owner = nullptr;
    size_t index = 0;
    if (!Locate(menu, idItem, flags, owner, index))
        return (UINT)-1;
    MenuItem& item = owner->items[index];
    const UINT previous = item.flags & mask;
    item.flags = (item.flags & ~mask) | (flags & mask);
    return previous;
}
} // namespace

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags)
{
    MenuItem taken;
    return TakeItem(menu, position, flags, taken);
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags)
{
    MenuItem item;
    if (!TakeItem(menu, position, flags, item))
        return FALSE;
    if (item.flags & MF_POPUP)
        Release(reinterpret_cast<HMENU>(item.id));
    return TRUE;
}

UINT EnableMenuItem(HMENU menu, UINT idItem, UINT enable)
{
    return ReplaceItemFlags(menu, idItem, enable, MF_GRAYED | MF_DISABLED);
}

DWORD CheckMenuItem(HMENU menu, UINT idItem, UINT check)
{
    return ReplaceItemFlags(menu, idItem, check, MF_CHECKED);
}

BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags)
{
    MenuRecord* rec = Find(menu);
    if (!rec)
        return FALSE;
    if (flags & MF_BYPOSITION) {
        if (first > last || last >= rec->items.size() || check < first || check > last)
            return FALSE;
        for (UINT i = first; i <= last; ++i)
            rec->items[i].flags = (rec->items[i].flags & ~MF_CHECKED) | (i == check ? MF_CHECKED : 0);
        return TRUE;
    }
    BOOL found = FALSE;
    for (MenuItem& item : rec->items) {
        if ((item.flags & (MF_POPUP | MF_SEPARATOR)) || item.id < first || item.id > last)
            continue;
        item.flags = (item.flags & ~MF_CHECKED) | (item.id == check ? MF_CHECKED : 0);
        found |= item.id == check;
    }
    return found;
}

int GetMenuItemCount(HMENU menu)
{
    MenuRecord* rec = Find(menu);
    return rec ? (int)rec->items.size() : -1;
}

UINT GetMenuItemID(HMENU menu, int position)
{
    MenuRecord* rec = Find(menu);
    if (!rec || position < 0 || (size_t)position >= rec->items.size())
        return (UINT)-1;
    const MenuItem& item = rec->items[(size_t)position];
    if (item.flags & MF_POPUP)
        return (UINT)-1;
    return (UINT)item.id;
}

UINT GetMenuState(HMENU menu, UINT id, UINT flags)
{
    MenuRecord* owner = nullptr;
    size_t index = 0;
    if (!Locate(menu, id, flags, owner, index))
        return (UINT)-1;
    const MenuItem& item = owner->items[index];
    if (item.flags & MF_POPUP) {
        const int count = ::GetMenuItemCount(reinterpret_cast<HMENU>(item.id));
        return ((UINT)(count < 0 ? 0 : count) << 8) | (item.flags & 0xFF);
    }
    return item.flags;
}

int GetMenuStringA(HMENU menu, UINT idItem, LPSTR text, int maxCount, UINT flags)
{
    MenuRecord* owner = nullptr;
    size_t index = 0;
    if (!Locate(menu, idItem, flags, owner, index)) {
        if (text && maxCount > 0)
            text[0] = 0;
        return 0;
    }
    const std::string& s = owner->items[index].text;
    if (!text || maxCount <= 0)
        return (int)s.size();
    const size_t n = std::min(s.size(), (size_t)maxCount - 1);
    s.copy(text, n);
    text[n] = 0;
    return (int)n;
}

HMENU GetSubMenu(HMENU menu, int position)
{
    MenuRecord* rec = Find(menu);
    if (!rec || position < 0 || (size_t)position >= rec->items.size())
        return nullptr;
    const MenuItem& item = rec->items[(size_t)position];
    return (item.flags & MF_POPUP) ? reinterpret_cast<HMENU>(item.id) : nullptr;
}

UINT_PTR AfxGetMenuItemData(HMENU menu, UINT item, UINT flags)
{
    MenuRecord* owner = nullptr;
    size_t index = 0;
    if (!Locate(menu, item, flags, owner, index))
        return 0;
    return (owner->items[index].flags & MF_OWNERDRAW) ? owner->items[index].data : 0;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, LPCRECT)
{
    if (!Find(menu) || !::IsWindow(owner))
        return FALSE;
    ::SendMessage(owner, WM_ENTERMENULOOP, TRUE, 0);
    ::SendMessage(owner, WM_INITMENUPOPUP, (WPARAM)menu, MAKELPARAM(0, FALSE));
    UINT chosen = 0;
    PopupMenuHandler handler = Handler();
    if (handler) {
        PopupMenuRequest request;
        request.menu = menu;
        request.owner = owner;
        request.x = x;
        request.y = y;
        request.flags = flags;
        chosen = handler(request);
        // The choice opens the sub-menus on its way, each updated before it shows.
        std::vector<std::pair<HMENU, UINT>> path;
        if (chosen && ::IsMenu(menu) && PathTo(menu, chosen, path)) {
            for (const auto& [sub, index] : path)
                if (::IsWindow(owner))
                    ::SendMessage(owner, WM_INITMENUPOPUP, (WPARAM)sub, MAKELPARAM(index, FALSE));
            const HMENU holder = path.empty() ? menu : path.back().first;
            const UINT state = ::GetMenuState(holder, chosen, MF_BYCOMMAND);
            if (state == (UINT)-1 || (state & (MF_GRAYED | MF_DISABLED)))
                chosen = 0; // disabled items cannot be chosen
        } else {
            chosen = 0;
        }
    } else {
        chosen = ShowRealPopup(menu, flags, x, y, owner);
    }
    if (::IsWindow(owner))
        ::SendMessage(owner, WM_EXITMENULOOP, TRUE, 0);
    if (flags & TPM_RETURNCMD)
        return (BOOL)chosen;
    if (chosen && ::IsWindow(owner))
        ::PostMessage(owner, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
    return TRUE;
}

PopupMenuHandler AfxSetPopupMenuHandler(PopupMenuHandler handler)
{
    std::swap(Handler(), handler);
    return handler;
}

void AfxSetMenuResourceLoader(MenuResourceLoader loader) { g_menuLoader = loader; }

// ---------------------------------------------------------------- CMenu

CMenu::~CMenu()
{
    if (m_hMenu && Find(m_hMenu) && Find(m_hMenu)->permanent == this)
        DestroyMenu();
}

BOOL CMenu::Attach(HMENU menu)
{
    MenuRecord* rec = Find(menu);
    if (!rec || m_hMenu || rec->permanent)
        return FALSE;
    rec->permanent = this;
    m_hMenu = menu;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU h = m_hMenu;
    if (MenuRecord* rec = Find(h))
        if (rec->permanent == this)
            rec->permanent = nullptr;
    m_hMenu = nullptr;
    return h;
}

BOOL CMenu::CreateMenu() { return Attach(::CreateMenu()); }
BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }

namespace {

// Builds the menu of a registered menu resource; null when there is none or its
// popups do not close.
HMENU BuildResourceMenu(UINT id)
{
    const ResourceMenu* res = FindResourceMenu(id);
    if (!res)
        return nullptr;
    std::vector<HMENU> open{::CreateMenu()};
    for (const ResourceMenuItem& item : res->items) {
        if (item.flags & kMenuEnd) {
            if (open.size() < 2)
                break;
            open.pop_back();
        } else if (item.flags & MF_POPUP) {
            HMENU popup = ::CreatePopupMenu();
            ::AppendMenu(open.back(), item.flags, reinterpret_cast<UINT_PTR>(popup), item.text);
            open.push_back(popup);
        } else {
            ::AppendMenu(open.back(), item.flags, item.id, item.text);
        }
    }
    if (open.size() != 1) {
        ::DestroyMenu(open.front());
        return nullptr;
    }
    return open.front();
}

} // namespace

BOOL CMenu::LoadMenu(UINT id)
{
    if (m_hMenu)
        return FALSE;
    // A loader the program installs comes first; otherwise the registered resources.
    HMENU h = g_menuLoader ? g_menuLoader(id) : BuildResourceMenu(id);
    if (!h)
        return FALSE;
    if (!Attach(h)) {
        ::DestroyMenu(h);
        return FALSE;
    }
    return TRUE;
}

BOOL CMenu::LoadMenu(LPCTSTR resourceName)
{
    if (!IS_INTRESOURCE(resourceName))
        return FALSE; // menus are known by number only
    return LoadMenu((UINT)(UINT_PTR)resourceName);
}

BOOL CMenu::DestroyMenu()
{
    if (!m_hMenu)
        return FALSE;
    HMENU h = Detach();
    return ::DestroyMenu(h);
}

CMenu* CMenu::FromHandlePermanent(HMENU menu)
{
    MenuRecord* rec = Find(menu);
    return rec ? rec->permanent : nullptr;
}

CMenu* CMenu::FromHandle(HMENU menu)
{
    MenuRecord* rec = Find(menu);
    if (!rec)
        return nullptr;
    if (rec->permanent)
        return rec->permanent;
    if (!rec->temporary) {
        rec->temporary = std::make_unique<CMenu>();
        rec->temporary->m_hMenu = menu;
    }
    return rec->temporary.get();
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    return ::AppendMenu(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}
BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    return ::InsertMenu(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}
BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    return ::ModifyMenu(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}
BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags) { return ::RemoveMenu(m_hMenu, nPosition, nFlags); }
BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags) { return ::DeleteMenu(m_hMenu, nPosition, nFlags); }
UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable) { return ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable); }
UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck) { return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck); }
BOOL CMenu::CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags)
{
    return ::CheckMenuRadioItem(m_hMenu, nIDFirst, nIDLast, nIDItem, nFlags);
}
UINT CMenu::GetMenuItemCount() const
{
    const int n = ::GetMenuItemCount(m_hMenu);
    return n < 0 ? (UINT)-1 : (UINT)n;
}
UINT CMenu::GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }
int CMenu::GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const
{
    return ::GetMenuStringA(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
}
int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    const int length = ::GetMenuStringA(m_hMenu, nIDItem, nullptr, 0, nFlags);
    char* buffer = rString.GetBuffer(length);
    const int n = ::GetMenuStringA(m_hMenu, nIDItem, buffer, length + 1, nFlags);
    rString.ReleaseBuffer(n);
    return n;
}
CMenu* CMenu::GetSubMenu(int nPos) const { return FromHandle(::GetSubMenu(m_hMenu, nPos)); }

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd ? pWnd->GetSafeHwnd() : nullptr, lpRect);
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}
void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}

// ---------------------------------------------------------------- the frame's menu bar

namespace {

// The menu bar of a top-level window with a menu: a Qt menu bar over the top of
// the window's non-client area. Opening a popup sends WM_INITMENUPOPUP to the
// window first, so command updates set the items; a chosen item posts WM_COMMAND.
class MenuBarHost : public QObject {
public:
    MenuBarHost(HWND hwnd, QWidget* widget) : QObject(widget), m_hwnd(hwnd), m_bar(new QMenuBar(widget))
    {
        m_bar->setNativeMenuBar(false);
        widget->installEventFilter(this);
    }
    ~MenuBarHost() override { delete m_bar; }

    void Fill(HMENU menu)
    {
        m_bar->clear();
        MenuRecord* rec = Find(menu);
        if (!rec)
            return;
        const HWND owner = m_hwnd;
        for (size_t i = 0; i < rec->items.size(); ++i) {
            const MenuItem item = rec->items[i];
            const QString text = QString::fromUtf8(item.text.c_str());
            if (item.flags & MF_SEPARATOR)
                continue;
            if (item.flags & MF_POPUP) {
                QMenu* sub = m_bar->addMenu(text);
                FillOnShow(sub, reinterpret_cast<HMENU>(item.id), owner, (UINT)i);
                QObject::connect(sub, &QMenu::triggered, sub, [owner](QAction* action) {
                    const UINT id = (UINT)action->data().toULongLong();
                    if (id)
                        ::PostMessage(owner, WM_COMMAND, MAKEWPARAM(id, 0), 0);
                });
            } else {
                QAction* action = m_bar->addAction(text);
                const UINT id = item.id;
                QObject::connect(action, &QAction::triggered, m_bar,
                                 [owner, id]() { ::PostMessage(owner, WM_COMMAND, MAKEWPARAM(id, 0), 0); });
            }
        }
        Place();
    }
    int Height() const { return m_bar->sizeHint().height(); }
    // The popup whose text marks `mnemonic` with '&' (any case), or the first for 0.
    bool OpenByKey(char mnemonic)
    {
        const QChar wanted = QChar(mnemonic).toLower();
        for (QAction* action : m_bar->actions()) {
            if (!action->menu() || !action->isVisible())
                continue;
            const QString text = action->text();
            const qsizetype amp = text.indexOf('&');
            if (mnemonic == 0 || (amp >= 0 && amp + 1 < text.size() && text[amp + 1].toLower() == wanted)) {
                m_bar->setActiveAction(action);
                return true;
            }
        }
        return false;
    }
    void Place()
    {
        if (auto* w = qobject_cast<QWidget*>(parent()))
            m_bar->setGeometry(0, 0, w->width(), Height());
        m_bar->show();
        m_bar->raise();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == parent() && event->type() == QEvent::Resize)
            Place();
        return false;
    }

private:
    HWND m_hwnd;
    QMenuBar* m_bar;
};

std::map<HWND, QPointer<MenuBarHost>>& MenuBars()
{
    static auto* bars = new std::map<HWND, QPointer<MenuBarHost>>;
    return *bars;
}

} // namespace

void wnd::PresentMenuBar(HWND hwnd, HMENU menu)
{
    auto& bars = MenuBars();
    auto it = bars.find(hwnd);
    MenuBarHost* host = it != bars.end() ? it->second.data() : nullptr;
    QWidget* widget = WidgetOf(hwnd);
    if (!menu || !widget || !qobject_cast<QApplication*>(QCoreApplication::instance())) {
        delete host;
        bars.erase(hwnd);
    } else {
        if (!host) {
            host = new MenuBarHost(hwnd, widget);
            bars[hwnd] = host;
        }
        host->Fill(menu);
    }
    // The client area gives the bar its room, or takes it back.
    ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER |
                                                 SWP_NOACTIVATE);
}

bool wnd::OpenMenuBarByKey(HWND hwnd, char mnemonic)
{
    auto& bars = MenuBars();
    auto it = bars.find(hwnd);
    return it != bars.end() && it->second && it->second->OpenByKey(mnemonic);
}

int wnd::MenuBarHeight(HWND hwnd)
{
    auto& bars = MenuBars();
    auto it = bars.find(hwnd);
    if (it == bars.end())
        return 0;
    if (!it->second) {
        bars.erase(it);
        return 0;
    }
    return it->second->Height();
}
