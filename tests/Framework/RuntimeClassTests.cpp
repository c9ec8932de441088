// Run-time class records: kind tests, dynamic creation, lookup by name.
#include "Framework.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

class CShapeForTest : public CObject
{
    DECLARE_DYNAMIC(CShapeForTest)
};
IMPLEMENT_DYNAMIC(CShapeForTest, CObject)

class CCircleForTest : public CShapeForTest
{
    DECLARE_DYNCREATE(CCircleForTest)
};
IMPLEMENT_DYNCREATE(CCircleForTest, CShapeForTest)

class CRingForTest : public CCircleForTest
{
    DECLARE_SERIAL(CRingForTest)
public:
    int m_nWidth = 7;
};
IMPLEMENT_SERIAL(CRingForTest, CCircleForTest, 3)

class CUnrelatedForTest : public CObject
{
    DECLARE_DYNCREATE(CUnrelatedForTest)
};
IMPLEMENT_DYNCREATE(CUnrelatedForTest, CObject)

struct KindCase
{
    const char* name;
    CRuntimeClass* objectClass;
    CRuntimeClass* askedClass;
    bool expected;
};

class RuntimeClassKind : public ::testing::TestWithParam<KindCase>
{
};

TEST_P(RuntimeClassKind, IsDerivedFromFollowsTheBaseChain)
{
    const KindCase& c = GetParam();
    EXPECT_EQ(c.expected, c.objectClass->IsDerivedFrom(c.askedClass) != FALSE);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RuntimeClassKind,
    ::testing::Values(KindCase{"ClassIsItself", RUNTIME_CLASS(CRingForTest), RUNTIME_CLASS(CRingForTest), true},
                      KindCase{"DirectBase", RUNTIME_CLASS(CRingForTest), RUNTIME_CLASS(CCircleForTest), true},
                      KindCase{"BaseTwoLevelsUp", RUNTIME_CLASS(CRingForTest), RUNTIME_CLASS(CShapeForTest), true},
                      KindCase{"EverythingIsCObject", RUNTIME_CLASS(CRingForTest), RUNTIME_CLASS(CObject), true},
                      KindCase{"BaseIsNotDerived", RUNTIME_CLASS(CShapeForTest), RUNTIME_CLASS(CRingForTest), false},
                      KindCase{"SiblingIsNotDerived", RUNTIME_CLASS(CUnrelatedForTest), RUNTIME_CLASS(CShapeForTest),
                               false},
                      KindCase{"NullClassIsNothing", RUNTIME_CLASS(CRingForTest), nullptr, false}),
    [](const ::testing::TestParamInfo<KindCase>& info) { return std::string(info.param.name); });

TEST(RuntimeClass, IsKindOfUsesTheObjectsMostDerivedClass)
{
    CRingForTest ring;
    const CObject& asObject = ring;
    EXPECT_EQ(RUNTIME_CLASS(CRingForTest), asObject.GetRuntimeClass());
    EXPECT_TRUE(asObject.IsKindOf(RUNTIME_CLASS(CCircleForTest)));
    EXPECT_FALSE(asObject.IsKindOf(RUNTIME_CLASS(CUnrelatedForTest)));
    EXPECT_EQ(&ring, DYNAMIC_DOWNCAST(CShapeForTest, &ring));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CUnrelatedForTest, &ring));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CShapeForTest, static_cast<CObject*>(nullptr)));
}

TEST(RuntimeClass, RecordsCarryNameSizeAndSchema)
{
    const CRuntimeClass* ring = RUNTIME_CLASS(CRingForTest);
    EXPECT_STREQ("CRingForTest", ring->m_lpszClassName);
    EXPECT_EQ(static_cast<int>(sizeof(CRingForTest)), ring->m_nObjectSize);
    EXPECT_EQ(3u, ring->m_wSchema);
    EXPECT_EQ(0xFFFFu, RUNTIME_CLASS(CCircleForTest)->m_wSchema);
    EXPECT_TRUE(CRingForTest().IsSerializable());
    EXPECT_FALSE(CCircleForTest().IsSerializable());
}

TEST(RuntimeClass, OnlyCreatableClassesCreateObjects)
{
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CShapeForTest)->CreateObject());

    std::unique_ptr<CObject> circle(RUNTIME_CLASS(CCircleForTest)->CreateObject());
    ASSERT_NE(nullptr, circle);
    EXPECT_EQ(RUNTIME_CLASS(CCircleForTest), circle->GetRuntimeClass());

    std::unique_ptr<CObject> ring(RUNTIME_CLASS(CRingForTest)->CreateObject());
    ASSERT_NE(nullptr, ring);
    EXPECT_EQ(7, static_cast<CRingForTest*>(ring.get())->m_nWidth);
}

struct NameCase
{
    const char* name;
    const char* narrowName;
    const wchar_t* wideName;
    CRuntimeClass* expected;
};

class RuntimeClassByName : public ::testing::TestWithParam<NameCase>
{
};

TEST_P(RuntimeClassByName, FromNameFindsRegisteredClasses)
{
    const NameCase& c = GetParam();
    EXPECT_EQ(c.expected, CRuntimeClass::FromName(c.narrowName));
    EXPECT_EQ(c.expected, CRuntimeClass::FromName(c.wideName));
}

INSTANTIATE_TEST_SUITE_P(
    Table, RuntimeClassByName,
    ::testing::Values(NameCase{"DynamicClass", "CShapeForTest", L"CShapeForTest", RUNTIME_CLASS(CShapeForTest)},
                      NameCase{"DynCreateClass", "CCircleForTest", L"CCircleForTest", RUNTIME_CLASS(CCircleForTest)},
                      NameCase{"SerialClass", "CRingForTest", L"CRingForTest", RUNTIME_CLASS(CRingForTest)},
                      NameCase{"FrameworkClass", "CObject", L"CObject", RUNTIME_CLASS(CObject)},
                      NameCase{"FrameworkException", "CArchiveException", L"CArchiveException",
                               RUNTIME_CLASS(CArchiveException)},
                      NameCase{"NamesAreCaseSensitive", "cringfortest", L"cringfortest", nullptr},
                      NameCase{"UnknownName", "CNoSuchClass", L"CNoSuchClass", nullptr},
                      NameCase{"EmptyName", "", L"", nullptr},
                      NameCase{"NonAsciiName", "CRing\xC3\xA9", L"CRing\x00E9", nullptr},
                      NameCase{"NullName", nullptr, nullptr, nullptr}),
    [](const ::testing::TestParamInfo<NameCase>& info) { return std::string(info.param.name); });

TEST(RuntimeClass, CreateObjectByNameBuildsTheNamedClass)
{
    std::unique_ptr<CObject> byNarrow(CRuntimeClass::CreateObject("CRingForTest"));
    ASSERT_NE(nullptr, byNarrow);
    EXPECT_TRUE(byNarrow->IsKindOf(RUNTIME_CLASS(CRingForTest)));

    std::unique_ptr<CObject> byWide(CRuntimeClass::CreateObject(L"CCircleForTest"));
    ASSERT_NE(nullptr, byWide);
    EXPECT_EQ(RUNTIME_CLASS(CCircleForTest), byWide->GetRuntimeClass());
}

TEST(RuntimeClass, CreateObjectByNameFailsForUnknownOrNotCreatableClasses)
{
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("CNoSuchClass"));
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject(L"CShapeForTest"));  // dynamic only
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject(static_cast<LPCSTR>(nullptr)));
}

}  // namespace
