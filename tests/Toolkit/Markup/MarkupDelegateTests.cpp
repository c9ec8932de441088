// Handler names bound through the context's delegates: host methods,
// automation objects by method name, the script handler object looked up at
// every call, and the references held on them.
#include "MarkupTestSupport.h"

#include "Markup/MarkupMouseEventArgs.h"

#include <string>
#include <vector>

namespace
{

// An automation object with named methods that records each call; a method
// named "Fails" answers an exception.
class RecordingDispatch : public IDispatch
{
public:
    explicit RecordingDispatch(std::vector<std::wstring> methods) : m_methods(std::move(methods)) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IDispatch)
        {
            *ppv = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_nRefs; }
    STDMETHODIMP_(ULONG) Release() override { return --m_nRefs; }
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override
    {
        *pctinfo = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        for (size_t i = 0; i < m_methods.size(); ++i)
        {
            if (count == 1 && m_methods[i] == names[0])
            {
                ids[0] = static_cast<DISPID>(i + 1);
                return S_OK;
            }
        }
        return DISP_E_UNKNOWNNAME;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*, EXCEPINFO* excepInfo,
                        UINT*) override
    {
        const std::wstring& name = m_methods[id - 1];
        m_calls.push_back(name + L"/" + std::to_wstring(params->cArgs) + (flags == DISPATCH_METHOD ? L"" : L"?"));
        if (name == L"Fails")
        {
            excepInfo->bstrDescription = SysAllocString(L"failed on purpose");
            return DISP_E_EXCEPTION;
        }
        return S_OK;
    }

    ULONG m_nRefs = 1;
    std::vector<std::wstring> m_methods;
    std::vector<std::wstring> m_calls;
};

void RaiseDown(CLVKMarkupUIElement* pElement)
{
    CLVKMarkupAutoPtr<CLVKMarkupMouseButtonEventArgs> pArgs(
        new CLVKMarkupMouseButtonEventArgs(CLVKMarkupInputElement::m_pMouseLeftButtonDownEvent, pElement));
    pElement->RaiseEvent(pArgs);
}

}  // namespace

TEST(MarkupDelegates, UnboundNamesReachTheHandlerObjectSetLater)
{
    RecordingDispatch handler({L"OnDown", L"Fails"});
    {
        MarkupContextHolder context;
        // Every build drops the script state, the handler object with it:
        // the handler comes after the texts are built.
        ElementHolder root(context.Parse(L"<Border MouseLeftButtonDown='OnDown'/>"));
        ElementHolder other(context.Parse(L"<Border MouseLeftButtonDown='ondown'/>"));
        ElementHolder failing(context.Parse(L"<Border MouseLeftButtonDown='Fails'/>"));
        ASSERT_TRUE(root);
        ASSERT_TRUE(other);
        ASSERT_TRUE(failing);
        RaiseDown(root.Get());  // nothing bound yet: nothing runs
        context->SetHandler(&handler);
        EXPECT_EQ(handler.m_nRefs, 2u);
        RaiseDown(root.Get());
        EXPECT_EQ(handler.m_calls, (std::vector<std::wstring>{L"OnDown/2"}));

        // Names are exact: ondown is not OnDown.
        RaiseDown(other.Get());
        EXPECT_EQ(handler.m_calls.size(), 1u);

        // A failing handler does not unwind into the caller.
        RaiseDown(failing.Get());
        EXPECT_EQ(handler.m_calls.back(), L"Fails/2");

        context->ResetScript();
        EXPECT_EQ(handler.m_nRefs, 1u);
        RaiseDown(root.Get());
        EXPECT_EQ(handler.m_calls.size(), 2u);
    }
    EXPECT_EQ(handler.m_nRefs, 1u);
}

TEST(MarkupDelegates, SetMethodReplacesAnEarlierBinding)
{
    RecordingDispatch first({L"Go"});
    RecordingDispatch second({L"Go"});
    {
        MarkupContextHolder context;
        context->SetMethod(&first, L"Go");
        {
            // The table keeps its own copy of the name.
            std::wstring name = L"Go";
            context->SetMethod(&second, name.c_str());
            name = L"XX";
        }
        ElementHolder root(context.Parse(L"<Border MouseLeftButtonDown='Go'/>"));
        ASSERT_TRUE(root);
        RaiseDown(root.Get());
        EXPECT_TRUE(first.m_calls.empty());
        EXPECT_EQ(second.m_calls, (std::vector<std::wstring>{L"Go/2"}));
    }
    EXPECT_EQ(first.m_nRefs, 1u);
    EXPECT_EQ(second.m_nRefs, 1u);
}
