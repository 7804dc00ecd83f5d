// Arrays, lists and maps: positions, removal while walking, searches and
// indexes outside an array.
#include "platform/base/Afx.h"
#include "BaseTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {
std::vector<UINT> Contents(const CUIntArray& a)
{
    std::vector<UINT> v;
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
        v.push_back(a[i]);
    return v;
}

std::vector<int> Contents(const CList<int, int>& l)
{
    std::vector<int> v;
    for (POSITION pos = l.GetHeadPosition(); pos;)
        v.push_back(l.GetNext(pos));
    return v;
}

std::vector<int> Backwards(const CList<int, int>& l)
{
    std::vector<int> v;
    for (POSITION pos = l.GetTailPosition(); pos;)
        v.push_back(l.GetPrev(pos));
    return v;
}
}

TEST(Collections, ArrayOperations)
{
    struct Case {
        const char* name;
        std::function<void(CUIntArray&)> op;
        std::vector<UINT> expected;
    };
    // Every case starts from {10, 20, 30}.
    const std::vector<Case> cases = {
        {"SetSize grows with zeros", [](CUIntArray& a) { a.SetSize(5, 10); }, {10, 20, 30, 0, 0}},
        {"SetSize shrinks", [](CUIntArray& a) { a.SetSize(1); }, {10}},
        {"InsertAt middle", [](CUIntArray& a) { a.InsertAt(1, 15); }, {10, 15, 20, 30}},
        {"InsertAt several", [](CUIntArray& a) { a.InsertAt(0, 7, 2); }, {7, 7, 10, 20, 30}},
        {"InsertAt past end grows", [](CUIntArray& a) { a.InsertAt(5, 9); }, {10, 20, 30, 0, 0, 9}},
        {"RemoveAt one", [](CUIntArray& a) { a.RemoveAt(0); }, {20, 30}},
        {"RemoveAt range", [](CUIntArray& a) { a.RemoveAt(1, 2); }, {10}},
        {"SetAtGrow inside", [](CUIntArray& a) { a.SetAtGrow(1, 99); }, {10, 99, 30}},
        {"SetAtGrow past end", [](CUIntArray& a) { a.SetAtGrow(4, 99); }, {10, 20, 30, 0, 99}},
        {"SetAtGrow from own element", [](CUIntArray& a) { a.SetAtGrow(100, a[2]), a.SetSize(4); }, {10, 20, 30, 0}},
        {"ElementAt writes", [](CUIntArray& a) { a.ElementAt(2) += 1; }, {10, 20, 31}},
        {"Append self", [](CUIntArray& a) { EXPECT_EQ(a.Append(a), 3); }, {10, 20, 30, 10, 20, 30}},
        {"InsertAt array", [](CUIntArray& a) {
             CUIntArray b;
             b.Add(1), b.Add(2);
             a.InsertAt(1, &b);
         }, {10, 1, 2, 20, 30}},
        {"Copy", [](CUIntArray& a) {
             CUIntArray b;
             b.Add(5);
             a.Copy(b);
         }, {5}},
        {"RemoveAll", [](CUIntArray& a) { a.RemoveAll(); }, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CUIntArray a;
        EXPECT_EQ(a.Add(10), 0);
        EXPECT_EQ(a.Add(20), 1);
        EXPECT_EQ(a.Add(30), 2);
        c.op(a);
        EXPECT_EQ(Contents(a), c.expected);
        EXPECT_EQ(a.GetUpperBound(), (INT_PTR)c.expected.size() - 1);
        EXPECT_EQ(a.IsEmpty(), c.expected.empty());
        EXPECT_EQ(a.GetData() == nullptr, c.expected.empty());
    }
}

TEST(Collections, ArrayIndexesOutsideThrow)
{
    CPtrArray a;
    int x = 0;
    a.Add(&x);
    EXPECT_TRUE(Caught<CInvalidArgException>([&] { a.GetAt(1); }));
    EXPECT_TRUE(Caught<CInvalidArgException>([&] { a[-1]; }));
    EXPECT_TRUE(Caught<CInvalidArgException>([&] { a.SetAt(5, nullptr); }));
    EXPECT_TRUE(Caught<CInvalidArgException>([&] { a.RemoveAt(0, 2); }));
    EXPECT_TRUE(Caught<CInvalidArgException>([&] { a.SetSize(-1); }));
    EXPECT_EQ(a.GetAt(0), &x);
    EXPECT_EQ(a.GetSize(), 1);
}

TEST(Collections, StringArrayTakesLiteralsAndCopies)
{
    CStringArray a;
    a.Add("one");
    a.Add(CString("two"));
    CStringArray b;
    b.Copy(a);
    a[0] = "changed";
    EXPECT_STREQ(b[0], "one");
    EXPECT_STREQ(b.GetAt(1), "two");
}

TEST(Collections, ListPositionsSurviveInsertionsAndRemovals)
{
    CList<int, int> l;
    const POSITION p2 = l.AddTail(2);
    const POSITION p3 = l.AddTail(3);
    l.AddHead(1);
    l.InsertBefore(p3, 25);
    l.InsertAfter(p2, 22);
    l.InsertBefore(nullptr, 0);   // at the head
    l.InsertAfter(nullptr, 4);    // at the tail
    for (int i = 0; i < 100; ++i)
        l.AddTail(100 + i);
    EXPECT_EQ(l.GetAt(p2), 2);
    EXPECT_EQ(l.GetAt(p3), 3);
    l.RemoveAt(l.Find(25));
    POSITION pos = p2;
    EXPECT_EQ(l.GetNext(pos), 2);
    EXPECT_EQ(l.GetNext(pos), 22);
    EXPECT_EQ(pos, p3);
    pos = p2;
    EXPECT_EQ(l.GetPrev(pos), 2);
    EXPECT_EQ(l.GetAt(pos), 1);

    while (l.GetCount() > 7)
        l.RemoveTail();
    EXPECT_EQ(Contents(l), (std::vector<int>{0, 1, 2, 22, 3, 4, 100}));
    EXPECT_EQ(Backwards(l), (std::vector<int>{100, 4, 3, 22, 2, 1, 0}));
}

TEST(Collections, ListRemovalWhileWalking)
{
    // The walking idiom: step first, then remove the element just passed.
    CList<int, int> l;
    for (int i = 0; i < 10; ++i)
        l.AddTail(i);
    for (POSITION pos = l.GetHeadPosition(); pos;) {
        const POSITION current = pos;
        if (l.GetNext(pos) % 2 == 0)
            l.RemoveAt(current);
    }
    EXPECT_EQ(Contents(l), (std::vector<int>{1, 3, 5, 7, 9}));
    EXPECT_EQ(l.RemoveHead(), 1);
    EXPECT_EQ(l.RemoveTail(), 9);
    EXPECT_EQ(l.GetHead(), 3);
    EXPECT_EQ(l.GetTail(), 7);
}

TEST(Collections, ListSearchAndEmptyCases)
{
    CPtrList l(10);
    int a = 0, b = 0;
    EXPECT_EQ(l.GetHeadPosition(), nullptr);
    EXPECT_EQ(l.FindIndex(0), nullptr);
    EXPECT_TRUE(Caught<CInvalidArgException>([&] { l.RemoveHead(); }));
    EXPECT_TRUE(Caught<CInvalidArgException>([&] { l.GetTail(); }));
    EXPECT_TRUE(Caught<CInvalidArgException>([&] { l.GetAt(nullptr); }));

    const POSITION first = l.AddTail(&a);
    l.AddTail(&b);
    const POSITION second = l.AddTail(&a);
    EXPECT_EQ(l.Find(&a), first);
    EXPECT_EQ(l.Find(&a, first), second);
    EXPECT_EQ(l.Find(&a, second), nullptr);
    EXPECT_EQ(l.FindIndex(2), second);
    EXPECT_EQ(l.FindIndex(3), nullptr);
    EXPECT_EQ(l.FindIndex(-1), nullptr);

    CStringList s;
    s.AddTail("x");
    s.AddTail(CString("y"));
    s.AddHead(&s);
    EXPECT_EQ(s.GetCount(), 4);
    EXPECT_STREQ(s.GetAt(s.FindIndex(2)), "x");
    EXPECT_EQ(s.Find("y"), s.FindIndex(1));
}

TEST(Collections, MapsLookupRemoveAndWalk)
{
    CMapStringToPtr m;
    int a = 0, b = 0, c = 0;
    m.SetAt("alpha", &a);
    m["Alpha"] = &b;   // keys are case-sensitive
    m.SetAt("gamma", &c);
    m.SetAt("alpha", &c);
    void* v = nullptr;
    EXPECT_TRUE(m.Lookup("alpha", v));
    EXPECT_EQ(v, &c);
    EXPECT_FALSE(m.Lookup("beta", v));
    EXPECT_EQ(m["new"], nullptr);   // added value-initialised
    EXPECT_EQ(m.GetCount(), 4);
    EXPECT_TRUE(m.RemoveKey("new"));
    EXPECT_FALSE(m.RemoveKey("new"));

    // Each entry once; the one just returned may be removed on the way.
    std::set<std::string> seen;
    CString key;
    for (POSITION pos = m.GetStartPosition(); pos;) {
        m.GetNextAssoc(pos, key, v);
        seen.insert(key.str());
        m.RemoveKey(key);
    }
    EXPECT_EQ(seen, (std::set<std::string>{"Alpha", "alpha", "gamma"}));
    EXPECT_TRUE(m.IsEmpty());
    EXPECT_EQ(m.GetStartPosition(), nullptr);

    CMapPtrToPtr handles;
    handles[&a] = &b;
    EXPECT_TRUE(handles.Lookup(&a, v));
    EXPECT_EQ(v, &b);
    CMapWordToPtr words;
    words.SetAt(7, &a);
    EXPECT_TRUE(words.Lookup(7, v));
    CMap<int, int, CString, const CString&> names;
    names[3] = "three";
    CString name;
    EXPECT_TRUE(names.Lookup(3, name));
    EXPECT_STREQ(name, "three");
}
