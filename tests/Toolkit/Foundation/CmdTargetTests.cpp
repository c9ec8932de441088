// Finding the toolkit object behind a COM interface.
#include "Foundation/CmdTarget.h"

#include <gtest/gtest.h>

namespace
{

TEST(CmdTarget, ProviderInterfaceLeadsBackToTheObject)
{
    CLVKCmdTarget target;
    IUnknown* pUnknown = target.GetInterface(&IID_ILVKCmdTargetProvider);
    ASSERT_NE(nullptr, pUnknown);

    ILVKCmdTargetProvider* pProvider = nullptr;
    ASSERT_EQ(S_OK, pUnknown->QueryInterface(IID_ILVKCmdTargetProvider, reinterpret_cast<void**>(&pProvider)));
    EXPECT_EQ(&target, pProvider->GetCmdTarget());
    EXPECT_EQ(2, target.m_dwRef) << "the query added one reference to the object";
    pProvider->Release();
    EXPECT_EQ(1, target.m_dwRef);

    EXPECT_EQ(&target, LVKCmdTargetFromUnknown(pUnknown));
    EXPECT_EQ(1, target.m_dwRef) << "the lookup releases what it asked for";
    EXPECT_TRUE(target.IsKindOf(RUNTIME_CLASS(CCmdTarget)));
    EXPECT_STREQ("CLVKCmdTarget", target.GetRuntimeClass()->m_lpszClassName);
}

TEST(CmdTarget, DispatchOnlyObjectIsFoundThroughTheFramework)
{
    CCmdTarget target;
    target.EnableAutomation();
    IDispatch* pDispatch = target.GetIDispatch(FALSE);
    ASSERT_NE(nullptr, pDispatch);
    EXPECT_EQ(&target, LVKCmdTargetFromUnknown(pDispatch));
}

// A COM object that is neither ours nor the framework's.
class ForeignObject : public IUnknown
{
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override
    {
        if (IsEqualIID(iid, IID_IUnknown))
        {
            *ppv = this;
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
};

TEST(CmdTarget, ForeignOrNullObjectHasNoCommandTarget)
{
    ForeignObject foreign;
    EXPECT_EQ(nullptr, LVKCmdTargetFromUnknown(&foreign));
    EXPECT_EQ(nullptr, LVKCmdTargetFromUnknown(nullptr));
}

}  // namespace
