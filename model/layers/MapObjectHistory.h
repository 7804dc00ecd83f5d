// The undo and redo history of one layer: two stacks of edit records, each the
// action that happened to a set of objects and copies of those objects as they
// were before it. A record owns its copies; handing a record on moves them, so
// every copy belongs to exactly one record (or, once put back, to its layer).
#pragma once

#include "platform/base/Afx.h"
#include "platform/base/Collections.h"

#include <deque>

class CMapLayer;
class CMapObject;

class CMapHistoryEntry {
public:
    enum Action { kAdded = 0, kDeleted = 1, kChanged = 2, kNone = 3 };

    CMapHistoryEntry() = default;
    // Takes over every pointer of `objects`, which is left empty.
    CMapHistoryEntry(int action, CList<CMapObject*, CMapObject*>& objects);
    CMapHistoryEntry(CMapHistoryEntry&& other) noexcept;
    CMapHistoryEntry& operator=(CMapHistoryEntry&& other) noexcept;
    // Handing a record over by value moves its objects as well: the giving
    // record is left without any, so no object has two owners.
    CMapHistoryEntry(CMapHistoryEntry& other) noexcept;
    CMapHistoryEntry& operator=(CMapHistoryEntry& other) noexcept;
    CMapHistoryEntry(const CMapHistoryEntry&) = delete;
    CMapHistoryEntry& operator=(const CMapHistoryEntry&) = delete;
    ~CMapHistoryEntry();

    int GetAction() const { return m_nAction; }
    CList<CMapObject*, CMapObject*>& GetObjects() { return m_Objects; }
    void DeleteObjects();

private:
    int m_nAction = kNone;
    CList<CMapObject*, CMapObject*> m_Objects;
};

class CMapObjectHistory {
public:
    static constexpr int kMaxUndo = 20;

    CMapObjectHistory() = default;
    virtual ~CMapObjectHistory();
    CMapObjectHistory(const CMapObjectHistory&) = delete;
    CMapObjectHistory& operator=(const CMapObjectHistory&) = delete;

    // Gives every object of the record `layer` (when not null), pushes the
    // record and clears the redo records.
    void Record(CMapHistoryEntry entry, CMapLayer* layer);
    // The oldest record goes (with its copies) when 20 are held already.
    void PushUndo(CMapHistoryEntry entry);
    void PushRedo(CMapHistoryEntry entry);
    void Undo(CMapLayer* layer);
    void Redo(CMapLayer* layer);
    BOOL CanUndo() const { return !m_Undo.empty(); }
    BOOL CanRedo() const { return !m_Redo.empty(); }
    void ClearUndo() { m_Undo.clear(); }
    void ClearRedo() { m_Redo.clear(); }
    int GetUndoCount() const { return (int)m_Undo.size(); }
    int GetRedoCount() const { return (int)m_Redo.size(); }
    // The newest record of each stack, null when empty.
    CMapHistoryEntry* PeekUndo() { return m_Undo.empty() ? nullptr : &m_Undo.front(); }
    CMapHistoryEntry* PeekRedo() { return m_Redo.empty() ? nullptr : &m_Redo.front(); }

private:
    // Newest at the front.
    std::deque<CMapHistoryEntry> m_Undo;
    std::deque<CMapHistoryEntry> m_Redo;
};
