// The class library's collections on standard containers: arrays (CArray and
// its named forms), lists with POSITION iteration (CList and its named forms)
// and maps (CMap and its named forms).
//
// Invariants callers rely on:
// - a list POSITION stays valid until its own element is removed, whatever is
//   inserted or removed elsewhere; a map POSITION likewise;
// - indexes outside an array and null positions throw CInvalidArgException*
//   instead of touching memory that is not there;
// - the collections store values: pointer collections never delete what they hold.
#pragma once

#include "platform/base/CArchive.h"
#include "platform/base/CObject.h"
#include "platform/base/CString.h"
#include "platform/base/Exceptions.h"

#include <algorithm>
#include <iterator>
#include <list>
#include <map>
#include <type_traits>
#include <utility>
#include <vector>

struct KV_POSITION_;
typedef KV_POSITION_* POSITION;

// Archives `count` elements. Numbers are stored little-endian in their sizes and
// strings with the class library's prefix. Any other element type has no
// archive form of its own: the owner of such a collection writes its elements
// field by field, or specialises this template for the type before the
// collection is used.
template <class TYPE>
void SerializeElements(CArchive& ar, TYPE* elements, INT_PTR count)
{
    if constexpr (std::is_arithmetic_v<TYPE> || std::is_enum_v<TYPE>) {
        for (INT_PTR i = 0; i < count; ++i) {
            if (ar.IsStoring())
                ar.Write(&elements[i], (UINT)sizeof(TYPE));
            else if (ar.Read(&elements[i], (UINT)sizeof(TYPE)) != sizeof(TYPE))
                AfxThrowArchiveException(CArchiveException::endOfFile);
        }
    } else if constexpr (std::is_same_v<TYPE, CString>) {
        for (INT_PTR i = 0; i < count; ++i) {
            if (ar.IsStoring())
                ar << elements[i];
            else
                ar >> elements[i];
        }
    } else {
        AfxThrowNotSupportedException();
    }
}

// ---------------------------------------------------------------------------- arrays

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() = default;
    CArray(const CArray&) = default;
    CArray(CArray&&) noexcept = default;
    CArray& operator=(const CArray&) = default;
    CArray& operator=(CArray&&) noexcept = default;

    INT_PTR GetSize() const { return (INT_PTR)m_data.size(); }
    INT_PTR GetCount() const { return (INT_PTR)m_data.size(); }
    BOOL IsEmpty() const { return m_data.empty(); }
    INT_PTR GetUpperBound() const { return (INT_PTR)m_data.size() - 1; }

    // New elements are value-initialised (zero for numbers and pointers).
    // `growBy` is the class library's allocation step; storage here grows
    // geometrically, so it is not needed.
    void SetSize(INT_PTR newSize, INT_PTR growBy = -1)
    {
        if (newSize < 0)
            AfxThrowInvalidArgException();
        m_data.resize((size_t)newSize);
    }
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { std::vector<TYPE>().swap(m_data); }

    const TYPE& GetAt(INT_PTR index) const { return m_data[Checked(index)]; }
    TYPE& GetAt(INT_PTR index) { return m_data[Checked(index)]; }
    void SetAt(INT_PTR index, ARG_TYPE element) { m_data[Checked(index)] = element; }
    const TYPE& ElementAt(INT_PTR index) const { return m_data[Checked(index)]; }
    TYPE& ElementAt(INT_PTR index) { return m_data[Checked(index)]; }
    const TYPE& operator[](INT_PTR index) const { return m_data[Checked(index)]; }
    TYPE& operator[](INT_PTR index) { return m_data[Checked(index)]; }
    const TYPE* GetData() const { return m_data.empty() ? nullptr : m_data.data(); }
    TYPE* GetData() { return m_data.empty() ? nullptr : m_data.data(); }

    // Grows the array as far as `index` when needed.
    void SetAtGrow(INT_PTR index, ARG_TYPE element)
    {
        if (index < 0)
            AfxThrowInvalidArgException();
        TYPE copy(element);   // `element` may live in this array
        if ((size_t)index >= m_data.size())
            m_data.resize((size_t)index + 1);
        m_data[(size_t)index] = std::move(copy);
    }
    // Returns the index of the new element.
    INT_PTR Add(ARG_TYPE element)
    {
        m_data.push_back(element);
        return (INT_PTR)m_data.size() - 1;
    }
    // Returns the index of the first appended element.
    INT_PTR Append(const CArray& src)
    {
        const INT_PTR first = GetSize();
        if (&src == this) {
            const std::vector<TYPE> copy(m_data);
            m_data.insert(m_data.end(), copy.begin(), copy.end());
        } else {
            m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
        }
        return first;
    }
    void Copy(const CArray& src)
    {
        if (&src != this)
            m_data = src.m_data;
    }

    // An index at or beyond the end grows the array up to it first.
    void InsertAt(INT_PTR index, ARG_TYPE element, INT_PTR count = 1)
    {
        if (index < 0 || count < 0)
            AfxThrowInvalidArgException();
        TYPE copy(element);
        if ((size_t)index > m_data.size())
            m_data.resize((size_t)index);
        m_data.insert(m_data.begin() + index, (size_t)count, copy);
    }
    void InsertAt(INT_PTR startIndex, const CArray* src)
    {
        if (!src || startIndex < 0)
            AfxThrowInvalidArgException();
        const std::vector<TYPE> copy(src->m_data);
        if ((size_t)startIndex > m_data.size())
            m_data.resize((size_t)startIndex);
        m_data.insert(m_data.begin() + startIndex, copy.begin(), copy.end());
    }
    void RemoveAt(INT_PTR index, INT_PTR count = 1)
    {
        if (index < 0 || count < 0 || (size_t)index + (size_t)count > m_data.size())
            AfxThrowInvalidArgException();
        m_data.erase(m_data.begin() + index, m_data.begin() + index + count);
    }

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount((DWORD_PTR)m_data.size());
        } else {
            const DWORD_PTR n = ar.ReadCount();
            if (n > (DWORD_PTR)0x7FFFFFFF)
                AfxThrowArchiveException(CArchiveException::badIndex);
            m_data.clear();
            m_data.resize((size_t)n);
        }
        if (!m_data.empty())
            SerializeElements<TYPE>(ar, m_data.data(), (INT_PTR)m_data.size());
    }

private:
    size_t Checked(INT_PTR index) const
    {
        if (index < 0 || (size_t)index >= m_data.size())
            AfxThrowInvalidArgException();
        return (size_t)index;
    }

    std::vector<TYPE> m_data;
};

class CByteArray : public CArray<BYTE, BYTE> {};
class CWordArray : public CArray<WORD, WORD> {};
class CDWordArray : public CArray<DWORD, DWORD> {};
class CUIntArray : public CArray<UINT, UINT> {};
class CPtrArray : public CArray<void*, void*> {};
class CObArray : public CArray<CObject*, CObject*> {};
class CStringArray : public CArray<CString, const CString&> {};

// ---------------------------------------------------------------------------- lists

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
    struct Node;
    using Nodes = std::list<Node>;
    struct Node {
        template <class V> explicit Node(V&& v) : data(std::forward<V>(v)) {}
        TYPE data;
        typename Nodes::iterator self;   // where this node lives, so a POSITION finds its neighbours
    };

public:
    // `blockSize` is the class library's allocation step; nodes here are
    // allocated one by one.
    explicit CList(INT_PTR blockSize = 10) {}
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;

    INT_PTR GetCount() const { return (INT_PTR)m_nodes.size(); }
    INT_PTR GetSize() const { return (INT_PTR)m_nodes.size(); }
    BOOL IsEmpty() const { return m_nodes.empty(); }

    TYPE& GetHead() { return NonEmpty().front().data; }
    const TYPE& GetHead() const { return NonEmpty().front().data; }
    TYPE& GetTail() { return NonEmpty().back().data; }
    const TYPE& GetTail() const { return NonEmpty().back().data; }

    TYPE RemoveHead()
    {
        TYPE v = std::move(NonEmpty().front().data);
        m_nodes.pop_front();
        return v;
    }
    TYPE RemoveTail()
    {
        TYPE v = std::move(NonEmpty().back().data);
        m_nodes.pop_back();
        return v;
    }

    POSITION AddHead(ARG_TYPE element) { return Insert(m_nodes.begin(), element); }
    POSITION AddTail(ARG_TYPE element) { return Insert(m_nodes.end(), element); }
    // Copies the elements of `list` before the head or after the tail, in their order.
    void AddHead(const CList* list)
    {
        if (!list)
            AfxThrowInvalidArgException();
        std::vector<TYPE> copy;
        for (const Node& n : list->m_nodes)
            copy.push_back(n.data);
        for (auto it = copy.rbegin(); it != copy.rend(); ++it)
            AddHead(*it);
    }
    void AddTail(const CList* list)
    {
        if (!list)
            AfxThrowInvalidArgException();
        std::vector<TYPE> copy;
        for (const Node& n : list->m_nodes)
            copy.push_back(n.data);
        for (const TYPE& v : copy)
            AddTail(v);
    }
    void RemoveAll() { m_nodes.clear(); }

    POSITION GetHeadPosition() const { return m_nodes.empty() ? nullptr : ToPos(m_nodes.front()); }
    POSITION GetTailPosition() const { return m_nodes.empty() ? nullptr : ToPos(m_nodes.back()); }

    // The element at `pos`; `pos` moves to the next (previous) element, null past the end.
    TYPE& GetNext(POSITION& pos) { return StepNext(pos)->data; }
    const TYPE& GetNext(POSITION& pos) const { return StepNext(pos)->data; }
    TYPE& GetPrev(POSITION& pos) { return StepPrev(pos)->data; }
    const TYPE& GetPrev(POSITION& pos) const { return StepPrev(pos)->data; }

    TYPE& GetAt(POSITION pos) { return ToNode(pos)->data; }
    const TYPE& GetAt(POSITION pos) const { return ToNode(pos)->data; }
    void SetAt(POSITION pos, ARG_TYPE element) { ToNode(pos)->data = element; }
    void RemoveAt(POSITION pos) { m_nodes.erase(ToNode(pos)->self); }

    // A null position inserts at the head (before) or at the tail (after).
    POSITION InsertBefore(POSITION pos, ARG_TYPE element)
    {
        return Insert(pos ? ToNode(pos)->self : m_nodes.begin(), element);
    }
    POSITION InsertAfter(POSITION pos, ARG_TYPE element)
    {
        return Insert(pos ? std::next(ToNode(pos)->self) : m_nodes.end(), element);
    }

    // The first element equal to `value` after `startAfter` (from the head when null).
    POSITION Find(ARG_TYPE value, POSITION startAfter = nullptr) const
    {
        auto it = startAfter ? std::next(ToNode(startAfter)->self) : NonConst().begin();
        for (; it != NonConst().end(); ++it)
            if (it->data == value)
                return ToPos(*it);
        return nullptr;
    }
    // The position of the element at `index` from the head; null when out of range.
    POSITION FindIndex(INT_PTR index) const
    {
        if (index < 0 || (size_t)index >= m_nodes.size())
            return nullptr;
        auto it = NonConst().begin();
        std::advance(it, index);
        return ToPos(*it);
    }

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount((DWORD_PTR)m_nodes.size());
            for (Node& n : m_nodes)
                SerializeElements<TYPE>(ar, &n.data, 1);
        } else {
            DWORD_PTR n = ar.ReadCount();
            while (n-- > 0) {
                TYPE v{};
                SerializeElements<TYPE>(ar, &v, 1);
                AddTail(v);
            }
        }
    }

private:
    static POSITION ToPos(const Node& n) { return reinterpret_cast<POSITION>(const_cast<Node*>(&n)); }
    static Node* ToNode(POSITION pos)
    {
        if (!pos)
            AfxThrowInvalidArgException();
        return reinterpret_cast<Node*>(pos);
    }
    Nodes& NonConst() const { return const_cast<Nodes&>(m_nodes); }
    Nodes& NonEmpty() const
    {
        if (m_nodes.empty())
            AfxThrowInvalidArgException();
        return NonConst();
    }
    POSITION Insert(typename Nodes::iterator where, ARG_TYPE element)
    {
        auto it = m_nodes.emplace(where, element);
        it->self = it;
        return ToPos(*it);
    }
    Node* StepNext(POSITION& pos) const
    {
        Node* n = ToNode(pos);
        auto next = std::next(n->self);
        pos = next == NonConst().end() ? nullptr : ToPos(*next);
        return n;
    }
    Node* StepPrev(POSITION& pos) const
    {
        Node* n = ToNode(pos);
        pos = n->self == NonConst().begin() ? nullptr : ToPos(*std::prev(n->self));
        return n;
    }

    Nodes m_nodes;
};

class CPtrList : public CList<void*, void*> {
public:
    using CList::CList;
};
class CObList : public CList<CObject*, CObject*> {
public:
    using CList::CList;
};
class CStringList : public CList<CString, const CString&> {
public:
    using CList::CList;
};

// ---------------------------------------------------------------------------- maps

// Keys are kept in order (the class library hashes them; no caller relies on
// the order of GetNextAssoc).
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
    using Entries = std::map<KEY, VALUE>;
    using Entry = typename Entries::value_type;

public:
    explicit CMap(INT_PTR blockSize = 10) {}
    CMap(const CMap&) = default;
    CMap& operator=(const CMap&) = default;

    INT_PTR GetCount() const { return (INT_PTR)m_entries.size(); }
    INT_PTR GetSize() const { return (INT_PTR)m_entries.size(); }
    BOOL IsEmpty() const { return m_entries.empty(); }
    // The class library sizes its hash table with this; an ordered map needs no size.
    void InitHashTable(UINT hashSize, BOOL allocNow = TRUE) {}

    BOOL Lookup(ARG_KEY key, VALUE& value) const
    {
        const auto it = m_entries.find(KEY(key));
        if (it == m_entries.end())
            return FALSE;
        value = it->second;
        return TRUE;
    }
    // The value of `key`, added value-initialised when the key is new.
    VALUE& operator[](ARG_KEY key) { return m_entries[KEY(key)]; }
    void SetAt(ARG_KEY key, ARG_VALUE value) { m_entries[KEY(key)] = value; }
    BOOL RemoveKey(ARG_KEY key) { return m_entries.erase(KEY(key)) > 0; }
    void RemoveAll() { m_entries.clear(); }

    POSITION GetStartPosition() const { return m_entries.empty() ? nullptr : ToPos(*m_entries.begin()); }
    // The entry at `pos`; `pos` moves to the next entry, null after the last.
    // The entry just returned may be removed before the next call.
    void GetNextAssoc(POSITION& pos, KEY& key, VALUE& value) const
    {
        if (!pos)
            AfxThrowInvalidArgException();
        const Entry* e = reinterpret_cast<const Entry*>(pos);
        auto it = m_entries.find(e->first);
        if (it == m_entries.end())
            AfxThrowInvalidArgException();
        key = it->first;
        value = it->second;
        ++it;
        pos = it == m_entries.end() ? nullptr : ToPos(*it);
    }

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount((DWORD_PTR)m_entries.size());
            for (auto& [k, v] : m_entries) {
                KEY key = k;
                SerializeElements<KEY>(ar, &key, 1);
                SerializeElements<VALUE>(ar, &v, 1);
            }
        } else {
            DWORD_PTR n = ar.ReadCount();
            while (n-- > 0) {
                KEY key{};
                VALUE value{};
                SerializeElements<KEY>(ar, &key, 1);
                SerializeElements<VALUE>(ar, &value, 1);
                m_entries[key] = value;
            }
        }
    }

private:
    static POSITION ToPos(const Entry& e) { return reinterpret_cast<POSITION>(const_cast<Entry*>(&e)); }

    Entries m_entries;
};

class CMapStringToPtr : public CMap<CString, const char*, void*, void*> {
public:
    using CMap::CMap;
};
class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {
public:
    using CMap::CMap;
};
class CMapWordToPtr : public CMap<WORD, WORD, void*, void*> {
public:
    using CMap::CMap;
};
