// Arrays, lists and maps: element order, node reuse, bounds, and the map's
// hashing and iteration.
#include "Framework.h"
#include "FrameworkTestPrint.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

namespace
{

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
std::map<KEY, VALUE> Contents(const CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>& map, int* pVisits = nullptr)
{
    std::map<KEY, VALUE> out;
    int visits = 0;
    for (POSITION pos = map.GetStartPosition(); pos;)
    {
        KEY key{};
        VALUE value{};
        map.GetNextAssoc(pos, key, value);
        out[key] = value;
        ++visits;
    }
    if (pVisits)
        *pVisits = visits;
    return out;
}

// Invalid arguments are thrown as CInvalidArgException*.
template <class F>
bool ThrowsInvalidArg(F f)
{
    try
    {
        f();
    }
    catch (CInvalidArgException* e)
    {
        e->Delete();
        return true;
    }
    return false;
}

struct HashCase
{
    const char* name;
    long key;
    UINT expected;
};

class MapHashKey : public ::testing::TestWithParam<HashCase>
{
};

TEST_P(MapHashKey, IsKeyTimes16807ModuloTwoToThe31MinusOne)
{
    const HashCase& c = GetParam();
    EXPECT_EQ(c.expected, HashKey<long>(c.key));
    EXPECT_EQ(c.expected, HashKey<DWORD>(static_cast<DWORD>(c.key)));
}

INSTANTIATE_TEST_SUITE_P(Table, MapHashKey,
                         ::testing::Values(HashCase{"Zero", 0, 0u}, HashCase{"One", 1, 16807u},
                                           HashCase{"BelowTheModulus", 100000, 1680700000u},
                                           HashCase{"WrapsOnce", 200000, 1213916353u},
                                           HashCase{"TheModulusItself", 2147483647, 0u},
                                           HashCase{"MinusOne", -1, 2147466840u},
                                           HashCase{"SmallestLong", -2147483647L - 1, 2147466840u}),
                         [](const ::testing::TestParamInfo<HashCase>& info) { return std::string(info.param.name); });

TEST(Map, IterationVisitsEveryKeyOnceAfterInsertsAndRemoves)
{
    CMap<int, int, int, int> map(3);  // small blocks: nodes come from many blocks
    map.InitHashTable(7);
    std::map<int, int> expected;
    for (int i = 0; i < 50; ++i)
    {
        map[i * 13] = i;
        expected[i * 13] = i;
    }
    for (int i = 0; i < 50; i += 3)
    {
        EXPECT_TRUE(map.RemoveKey(i * 13));
        expected.erase(i * 13);
    }
    EXPECT_FALSE(map.RemoveKey(0));  // already gone
    for (int i = 100; i < 110; ++i)
    {  // reuses the freed nodes
        map.SetAt(i, -i);
        expected[i] = -i;
    }
    map[13] = 1000;  // replaces, does not add
    expected[13] = 1000;

    int visits = 0;
    EXPECT_EQ(expected, Contents(map, &visits));
    EXPECT_EQ(static_cast<int>(expected.size()), visits);
    EXPECT_EQ(static_cast<INT_PTR>(expected.size()), map.GetCount());
    EXPECT_EQ(7u, map.GetHashTableSize());
}

TEST(Map, RemovingTheKeyJustVisitedKeepsTheWalkGoing)
{
    CMap<DWORD, DWORD, int, int> map;
    for (DWORD k = 0; k < 40; ++k)
        map[k * 0x10001] = static_cast<int>(k);
    std::set<DWORD> visited;
    for (POSITION pos = map.GetStartPosition(); pos;)
    {
        DWORD key = 0;
        int value = 0;
        map.GetNextAssoc(pos, key, value);
        EXPECT_TRUE(visited.insert(key).second) << "visited twice: " << key;
        if (value % 2 == 1)
        {
            EXPECT_TRUE(map.RemoveKey(key));
        }
    }
    EXPECT_EQ(40u, visited.size());
    EXPECT_EQ(20, map.GetCount());

    // Removing every key as it is visited empties the map and ends the walk.
    for (POSITION pos = map.GetStartPosition(); pos;)
    {
        DWORD key = 0;
        int value = 0;
        map.GetNextAssoc(pos, key, value);
        map.RemoveKey(key);
    }
    EXPECT_TRUE(map.IsEmpty());
}

TEST(Map, IterationRunsBucketByBucketNewestFirst)
{
    // With 5 buckets, key k lands in (16807 k) mod 5 = 2k mod 5: bucket 0
    // holds 5, bucket 1 holds 3, bucket 2 holds 1 and then 6, bucket 3 holds
    // 4, bucket 4 holds 2.
    CMap<int, int, int, int> map;
    map.InitHashTable(5);
    for (int k = 1; k <= 6; ++k)
        map[k] = k;
    std::vector<int> order;
    for (POSITION pos = map.GetStartPosition(); pos;)
    {
        int key = 0, value = 0;
        map.GetNextAssoc(pos, key, value);
        order.push_back(key);
    }
    EXPECT_EQ((std::vector<int>{5, 3, 6, 1, 4, 2}), order);
}

TEST(Map, EmptiedMapStartsAfreshAndKeepsItsHashSize)
{
    CMap<int, int, CString, LPCTSTR> map;
    map.InitHashTable(31);
    map[1] = L"a";
    map[2] = L"b";
    EXPECT_TRUE(map.RemoveKey(1));
    EXPECT_TRUE(map.RemoveKey(2));
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(nullptr, map.GetStartPosition());
    map[3] = L"c";
    EXPECT_EQ(31u, map.GetHashTableSize());
    EXPECT_EQ((std::map<int, CString>{{3, CString(L"c")}}), Contents(map));
}

TEST(Map, InitHashTableIsRefusedOnceTheMapHasEntries)
{
    CMapWordToPtr map;
    map[1] = nullptr;
    EXPECT_TRUE(ThrowsInvalidArg([&] { map.InitHashTable(101); }));
}

TEST(Map, StringKeysLookUpByText)
{
    CMapStringToPtr map;
    int a = 0, b = 0;
    map.SetAt(L"alpha", &a);
    map[CString(L"beta")] = &b;
    void* p = nullptr;
    EXPECT_TRUE(map.Lookup(L"alpha", p));
    EXPECT_EQ(&a, p);
    EXPECT_TRUE(map.Lookup(CString(L"be") + L"ta", p));
    EXPECT_EQ(&b, p);
    EXPECT_FALSE(map.Lookup(L"ALPHA", p));
    EXPECT_NE(nullptr, map.PLookup(L"beta"));
    EXPECT_EQ(nullptr, map.PLookup(L"gamma"));

    // PGetFirstAssoc/PGetNextAssoc walk the same pairs.
    std::set<CString> keys;
    for (auto* pair = map.PGetFirstAssoc(); pair; pair = map.PGetNextAssoc(pair))
        keys.insert(pair->key);
    EXPECT_EQ((std::set<CString>{CString(L"alpha"), CString(L"beta")}), keys);
}

TEST(List, KeepsOrderThroughInsertsAndRemoves)
{
    CList<CString, const CString&> list(2);  // several node blocks
    list.AddTail(CString(L"b"));
    list.AddHead(CString(L"a"));
    const POSITION posD = list.AddTail(CString(L"d"));
    list.InsertBefore(posD, CString(L"c"));
    list.InsertAfter(posD, CString(L"e"));
    list.RemoveAt(list.Find(CString(L"c")));
    EXPECT_EQ(CString(L"a"), list.RemoveHead());
    EXPECT_EQ(CString(L"e"), list.RemoveTail());
    list.AddTail(CString(L"f"));

    std::vector<CString> forward;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        forward.push_back(list.GetNext(pos));
    EXPECT_EQ((std::vector<CString>{CString(L"b"), CString(L"d"), CString(L"f")}), forward);

    std::vector<CString> backward;
    for (POSITION pos = list.GetTailPosition(); pos;)
        backward.push_back(list.GetPrev(pos));
    EXPECT_EQ((std::vector<CString>{CString(L"f"), CString(L"d"), CString(L"b")}), backward);

    EXPECT_EQ(3, list.GetCount());
    EXPECT_EQ(CString(L"d"), list.GetAt(list.FindIndex(1)));
    EXPECT_EQ(nullptr, list.FindIndex(3));
    EXPECT_EQ(nullptr, list.Find(CString(L"c")));
}

TEST(List, FindStartsAfterTheGivenPosition)
{
    CList<int, int> list;
    for (int v : {1, 2, 1, 3})
        list.AddTail(v);
    const POSITION first = list.Find(1);
    const POSITION second = list.Find(1, first);
    ASSERT_NE(nullptr, second);
    EXPECT_NE(first, second);
    EXPECT_EQ(nullptr, list.Find(1, second));
}

TEST(List, AddingAListToItselfDoublesIt)
{
    CList<int, int> list;
    list.AddTail(1);
    list.AddTail(2);
    list.AddTail(&list);
    list.AddHead(&list);
    std::vector<int> values;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        values.push_back(list.GetNext(pos));
    EXPECT_EQ((std::vector<int>{1, 2, 1, 2, 1, 2, 1, 2}), values);
}

TEST(List, EmptyListRefusesHeadAndTail)
{
    CPtrList list;
    EXPECT_TRUE(ThrowsInvalidArg([&] { list.GetHead(); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { list.RemoveTail(); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { list.RemoveAt(NULL); }));
}

TEST(Array, InsertRemoveAndGrow)
{
    CArray<int, int> array;
    array.Add(1);
    array.Add(4);
    array.InsertAt(1, 2);
    array.InsertAt(2, 3);
    array.InsertAt(0, 0, 2);
    array.RemoveAt(0);
    array.SetAtGrow(7, 7);
    EXPECT_EQ(8, array.GetSize());
    const std::vector<int> got(array.GetData(), array.GetData() + array.GetSize());
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4, 0, 0, 7}), got);
    EXPECT_EQ(7, array.GetUpperBound());

    CArray<int, int> other;
    other.Copy(array);
    EXPECT_EQ(8, other.Append(array));
    EXPECT_EQ(16, other.GetSize());
    other.InsertAt(1, &array);
    EXPECT_EQ(24, other.GetSize());
    EXPECT_EQ(7, other[8]);
}

TEST(Array, OutOfRangeIndicesAreRefused)
{
    CStringArray array;
    array.Add(L"x");
    EXPECT_TRUE(ThrowsInvalidArg([&] { array.GetAt(1); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { array.SetAt(-1, L"y"); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { array.RemoveAt(0, 2); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { array.SetSize(-1); }));
    EXPECT_EQ(CString(L"x"), array[0]);
}

TEST(Array, AddingAnElementOfTheSameArrayCopiesItFirst)
{
    CStringArray array;
    array.Add(L"first");
    for (int i = 0; i < 100; ++i)
        array.Add(array[0]);  // the vector may move while adding
    EXPECT_EQ(101, array.GetSize());
    EXPECT_EQ(CString(L"first"), array[100]);
}

}  // namespace

namespace
{

class CItemForTypedTest : public CObject
{
public:
    explicit CItemForTypedTest(int n = 0) : m_n(n) {}
    int m_n;
};

TEST(TypedPtr, CollectionsHandOutTheirElementType)
{
    CItemForTypedTest one(1), two(2);
    CTypedPtrArray<CPtrArray, CItemForTypedTest*> array;
    array.Add(&one);
    array.Add(&two);
    EXPECT_EQ(2, array[1]->m_n);
    array[0] = &two;
    EXPECT_EQ(&two, array.GetAt(0));

    CTypedPtrList<CObList, CItemForTypedTest*> list;
    list.AddTail(&one);
    list.AddHead(&two);
    POSITION pos = list.GetHeadPosition();
    EXPECT_EQ(2, list.GetNext(pos)->m_n);
    EXPECT_EQ(1, list.GetNext(pos)->m_n);

    CTypedPtrMap<CMapStringToPtr, CString, CItemForTypedTest*> map;
    map[L"one"] = &one;
    map.SetAt(L"two", &two);
    CItemForTypedTest* found = nullptr;
    EXPECT_TRUE(map.Lookup(L"two", found));
    EXPECT_EQ(&two, found);
    int sum = 0;
    for (POSITION p = map.GetStartPosition(); p;)
    {
        CString key;
        CItemForTypedTest* value = nullptr;
        map.GetNextAssoc(p, key, value);
        sum += value->m_n;
    }
    EXPECT_EQ(3, sum);
}

}  // namespace
