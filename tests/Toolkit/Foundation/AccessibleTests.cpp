// The accessibility bridge: a window's accessible object reached through
// oleacc, the child-id decoding table, and the failure without oleacc.dll
// (in a child process with the library switched off).
#include "Foundation/Accessible.h"
#include "Foundation/CmdTarget.h"

#include "ChildProcess.h"

#include <gtest/gtest.h>

namespace
{

class CAccessibleItem : public CLVKCmdTarget, public CLVKAccessible
{
public:
    HRESULT AccessibleGetName(VARIANT varChild, BSTR* pszName) override
    {
        const long nChild = ChildIdFromVariant(varChild);
        if (nChild < 0)
            return E_INVALIDARG;
        *pszName = SysAllocString(nChild == 0 ? L"Bridge" : L"Child");
        return S_OK;
    }
    CCmdTarget* GetOwnerCmdTarget() override { return this; }

protected:
    DECLARE_INTERFACE_MAP()
};

BEGIN_INTERFACE_MAP(CAccessibleItem, CLVKCmdTarget)
    INTERFACE_PART(CAccessibleItem, IID_IAccessible, Accessible)
END_INTERFACE_MAP()

CAccessibleItem* g_pItem = nullptr;

LRESULT CALLBACK AccessibleWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT && g_pItem)
        return g_pItem->MakeGetObjectResult(IID_IAccessible, wParam, &g_pItem->m_xAccessible);
    return DefWindowProcW(hWnd, nMessage, wParam, lParam);
}

HWND CreateAccessibleWindow()
{
    static const ATOM atom = []
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &AccessibleWndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"LorvaneAccessibleTest";
        return RegisterClassW(&wc);
    }();
    (void)atom;
    return CreateWindowExW(0, L"LorvaneAccessibleTest", L"", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

VARIANT Self()
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = CHILDID_SELF;
    return v;
}

TEST(Accessible, WindowObjectIsTheBridge)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        CAccessibleItem item;
        g_pItem = &item;
        const HWND hWnd = CreateAccessibleWindow();
        ASSERT_NE(nullptr, hWnd);

        IAccessible* pAccessible = nullptr;
        ASSERT_EQ(S_OK, item.GetWindowAccessibleObject(hWnd, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                                       reinterpret_cast<void**>(&pAccessible)));
        ASSERT_NE(nullptr, pAccessible);
        BSTR name = nullptr;
        EXPECT_EQ(S_OK, pAccessible->get_accName(Self(), &name));
        EXPECT_STREQ(L"Bridge", name);
        SysFreeString(name);

        VARIANT focus;
        VariantInit(&focus);
        EXPECT_EQ(S_FALSE, pAccessible->get_accFocus(&focus)) << "the default focus answer";
        long nCount = 0;
        EXPECT_EQ(E_NOTIMPL, pAccessible->get_accChildCount(&nCount));
        pAccessible->Release();

        DestroyWindow(hWnd);
        g_pItem = nullptr;
        EXPECT_EQ(1, item.m_dwRef) << "every reference the clients took was given back";
    }
    CoUninitialize();
}

TEST(Accessible, NestedObjectUsesTheOwnersCountAndMap)
{
    CAccessibleItem item;
    IAccessible* pAccessible = &item.m_xAccessible;
    EXPECT_EQ(2u, pAccessible->AddRef());
    IUnknown* pProvider = nullptr;
    EXPECT_EQ(S_OK, pAccessible->QueryInterface(IID_ILVKCmdTargetProvider, reinterpret_cast<void**>(&pProvider)));
    pProvider->Release();
    EXPECT_EQ(1u, pAccessible->Release());
    UINT nCount = 0;
    EXPECT_EQ(E_NOTIMPL, pAccessible->GetTypeInfoCount(&nCount));
    EXPECT_EQ(E_NOTIMPL, pAccessible->Invoke(0, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr));
}

TEST(Accessible, ChildIdFromVariantTable)
{
    short nShort = 5;
    long nLong = 9;
    VARIANT i4Three;
    VariantInit(&i4Three);
    V_VT(&i4Three) = VT_I4;
    V_I4(&i4Three) = 3;
    VARIANT text;
    VariantInit(&text);
    V_VT(&text) = VT_BSTR;
    V_BSTR(&text) = nullptr;
    VARIANT refToThree;
    V_VT(&refToThree) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&refToThree) = &i4Three;
    VARIANT refToRef;
    V_VT(&refToRef) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&refToRef) = &refToThree;
    VARIANT selfRef;
    V_VT(&selfRef) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&selfRef) = &selfRef;

    struct Case
    {
        const char* name;
        VARTYPE vt;
        void* ref;  // by-reference payload, or null
        long value;
        long expected;
    };
    const Case cases[] = {
        {"empty is the object itself", VT_EMPTY, nullptr, 0, 0},
        {"I2", VT_I2, nullptr, 4, 4},
        {"I4", VT_I4, nullptr, 7, 7},
        {"I2 by reference", VT_BYREF | VT_I2, &nShort, 0, 5},
        {"I4 by reference", VT_BYREF | VT_I4, &nLong, 0, 9},
        {"null I4 reference", VT_BYREF | VT_I4, nullptr, 0, -1},
        {"variant reference to I4 3", VT_BYREF | VT_VARIANT, &i4Three, 0, 3},
        {"variant reference to a text", VT_BYREF | VT_VARIANT, &text, 0, -1},
        {"reference to a reference is not followed", VT_BYREF | VT_VARIANT, &refToThree, 0, -1},
        {"self-referencing variant", VT_BYREF | VT_VARIANT, &selfRef, 0, -1},
        {"null variant reference", VT_BYREF | VT_VARIANT, nullptr, 0, -1},
        {"text", VT_BSTR, nullptr, 0, -1},
    };
    for (const Case& c : cases)
    {
        VARIANT v;
        VariantInit(&v);
        V_VT(&v) = c.vt;
        if (c.vt & VT_BYREF)
            V_BYREF(&v) = c.ref;
        else if (c.vt == VT_I2)
            V_I2(&v) = static_cast<short>(c.value);
        else if (c.vt == VT_I4)
            V_I4(&v) = c.value;
        EXPECT_EQ(c.expected, CLVKAccessible::ChildIdFromVariant(v)) << c.name;
    }
    (void)refToRef;
}

const wchar_t kNoOleaccMarker[] = L"LORVANE_TEST_NO_OLEACC";

TEST(AccessibleWithoutOleacc, GetObjectFailsAndTheLibraryIsNotLookedForAgain)
{
    wchar_t marker[8] = {};
    if (GetEnvironmentVariableW(kNoOleaccMarker, marker, 8) == 0)
    {
        // The parent: run this test again in a copy of this program whose
        // oleacc.dll is switched off by Wine's per-program DLL overrides.
        wchar_t szTemp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, szTemp);
        const std::wstring copy = std::wstring(szTemp) + L"LorvaneNoOleacc.exe";
        ASSERT_TRUE(CopyFileW(ProgramPath(L"FoundationTests.exe").c_str(), copy.c_str(), FALSE));
        const wchar_t kOverrides[] = L"Software\\Wine\\AppDefaults\\LorvaneNoOleacc.exe\\DllOverrides";
        HKEY hKey = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, kOverrides, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                                 &hKey, nullptr));
        RegSetValueExW(hKey, L"oleacc", 0, REG_SZ, reinterpret_cast<const BYTE*>(L""), sizeof(wchar_t));
        RegCloseKey(hKey);
        SetEnvironmentVariableW(kNoOleaccMarker, L"1");
        ChildProcess child;
        const bool bStarted = child.Start(
            copy, {L"--gtest_filter=AccessibleWithoutOleacc.GetObjectFailsAndTheLibraryIsNotLookedForAgain"});
        SetEnvironmentVariableW(kNoOleaccMarker, nullptr);
        const bool bEnded = bStarted && child.Wait();
        const DWORD dwExitCode = bEnded ? child.ExitCode() : STILL_ACTIVE;
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\LorvaneNoOleacc.exe");
        child.Kill();
        DeleteFileW(copy.c_str());
        ASSERT_TRUE(bStarted);
        ASSERT_TRUE(bEnded);
        EXPECT_EQ(0u, dwExitCode) << "the child's checks failed (see its output above)";
        return;
    }
    ASSERT_EQ(nullptr, LoadLibraryW(L"oleacc.dll")) << "oleacc.dll is switched off in this process";
    CAccessibleItem item;
    EXPECT_EQ(E_FAIL, item.MakeGetObjectResult(IID_IAccessible, 0, &item.m_xAccessible));
    EXPECT_EQ(E_FAIL, item.MakeGetObjectResult(IID_IAccessible, 0, &item.m_xAccessible));
    IAccessible* pAccessible = nullptr;
    EXPECT_EQ(E_FAIL, item.GetWindowAccessibleObject(GetDesktopWindow(), static_cast<DWORD>(OBJID_CLIENT),
                                                     IID_IAccessible, reinterpret_cast<void**>(&pAccessible)));
    EXPECT_EQ(nullptr, pAccessible);
    item.RaiseWinEvent(EVENT_OBJECT_FOCUS, nullptr, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace
