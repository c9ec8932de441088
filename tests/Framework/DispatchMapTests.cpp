// Dispatch maps: names to ids, argument conversion, properties, by-reference
// arguments, errors and inheritance, called the way an automation client does.
#include "Framework.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

class CCalculator : public CCmdTarget
{
public:
    CCalculator() { EnableAutomation(); }

    long Add(long a, long b) { return a + b; }
    BSTR Describe(LPCOLESTR lpszName, BOOL bLoud)
    {
        CString text = CString(L"name=") + (lpszName ? lpszName : L"(null)") + (bLoud ? L"!" : L".");
        return SysAllocString(text);
    }
    void Remember(IDispatch* pObject) { m_pRemembered = pObject; }
    void Bounds(long* pLeft, long* pTop)
    {
        *pLeft = 10;
        *pTop = *pTop + 1;
    }
    VARIANT Echo(const VARIANT& value)
    {
        VARIANT copy;
        VariantInit(&copy);
        VariantCopy(&copy, const_cast<VARIANT*>(&value));
        return copy;
    }
    void Fail() { AfxThrowOleException(E_ACCESSDENIED); }
    long GetCount() const { return m_nCount; }
    void SetCount(long n) { m_nCount = n < 0 ? 0 : n; }
    BSTR GetKind() { return SysAllocString(L"calculator"); }

    long m_nValue = 5;
    CString m_strLabel = L"start";
    BOOL m_bFlag = FALSE;
    long m_nCount = 3;
    IDispatch* m_pRemembered = nullptr;

protected:
    DECLARE_DISPATCH_MAP()
};

BEGIN_DISPATCH_MAP(CCalculator, CCmdTarget)
    DISP_FUNCTION(CCalculator, "Add", Add, VT_I4, VTS_I4 VTS_I4)
    DISP_FUNCTION(CCalculator, "Describe", Describe, VT_BSTR, VTS_BSTR VTS_BOOL)
    DISP_FUNCTION_ID(CCalculator, "Remember", 42, Remember, VT_EMPTY, VTS_DISPATCH)
    DISP_FUNCTION(CCalculator, "Bounds", Bounds, VT_EMPTY, VTS_PI4 VTS_PI4)
    DISP_FUNCTION(CCalculator, "Echo", Echo, VT_VARIANT, VTS_VARIANT)
    DISP_FUNCTION(CCalculator, "Fail", Fail, VT_EMPTY, VTS_NONE)
    DISP_PROPERTY(CCalculator, "Value", m_nValue, VT_I4)
    DISP_PROPERTY(CCalculator, "Label", m_strLabel, VT_BSTR)
    DISP_PROPERTY(CCalculator, "Flag", m_bFlag, VT_BOOL)
    DISP_PROPERTY_EX(CCalculator, "Count", GetCount, SetCount, VT_I4)
    DISP_PROPERTY_EX_ID(CCalculator, "Kind", 7, GetKind, SetNotSupported, VT_BSTR)
    DISP_DEFVALUE(CCalculator, "Value")
END_DISPATCH_MAP()

// A derived class adds a member and keeps its base's.
class CScientific : public CCalculator
{
public:
    double Half(double d) { return d / 2; }

protected:
    DECLARE_DISPATCH_MAP()
};

BEGIN_DISPATCH_MAP(CScientific, CCalculator)
    DISP_FUNCTION(CScientific, "Half", Half, VT_R8, VTS_R8)
END_DISPATCH_MAP()

DISPID IdOf(IDispatch* pDispatch, const wchar_t* pszName)
{
    LPOLESTR name = const_cast<LPOLESTR>(pszName);
    DISPID id = 12345;
    const HRESULT hr = pDispatch->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
    return SUCCEEDED(hr) ? id : DISPID_UNKNOWN;
}

// Arguments are given first to last and passed last to first, as COM wants.
HRESULT Call(IDispatch* pDispatch, DISPID id, WORD wFlags, std::vector<VARIANT> args, VARIANT* pResult,
             UINT* puArgErr = nullptr, EXCEPINFO* pExcep = nullptr)
{
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{};
    params.cArgs = static_cast<UINT>(reversed.size());
    params.rgvarg = reversed.empty() ? nullptr : reversed.data();
    if (wFlags & DISPATCH_PROPERTYPUT)
    {
        params.cNamedArgs = 1;
        params.rgdispidNamedArgs = &putId;
    }
    UINT argErr = 0;
    return pDispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &params, pResult, pExcep,
                             puArgErr ? puArgErr : &argErr);
}

VARIANT I4(long n)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = n;
    return v;
}

VARIANT Text(const wchar_t* psz)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = SysAllocString(psz);
    return v;
}

VARIANT Typed(VARTYPE vt)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = vt;
    return v;
}

class DispatchMap : public ::testing::Test
{
protected:
    void SetUp() override { VariantInit(&result); }
    void TearDown() override { VariantClear(&result); }

    CCalculator calc;
    IDispatch* disp = calc.GetIDispatch(FALSE);
    VARIANT result;
};

TEST_F(DispatchMap, NamesResolveCaseInsensitivelyToStableIds)
{
    const DISPID add = IdOf(disp, L"Add");
    EXPECT_NE(DISPID_UNKNOWN, add);
    EXPECT_EQ(add, IdOf(disp, L"aDD"));
    EXPECT_EQ(42, IdOf(disp, L"Remember"));
    EXPECT_EQ(7, IdOf(disp, L"Kind"));
    EXPECT_EQ(DISPID_UNKNOWN, IdOf(disp, L"Subtract"));

    LPOLESTR names[2] = {const_cast<LPOLESTR>(L"Add"), const_cast<LPOLESTR>(L"a")};
    DISPID ids[2] = {0, 0};
    EXPECT_EQ(DISP_E_UNKNOWNNAME, disp->GetIDsOfNames(IID_NULL, names, 2, 0, ids))
        << "named parameters are not supported";
    EXPECT_EQ(add, ids[0]);
    EXPECT_EQ(DISPID_UNKNOWN, ids[1]);
}

TEST_F(DispatchMap, MethodArgumentsAreConvertedToTheDeclaredTypes)
{
    ASSERT_EQ(S_OK, Call(disp, IdOf(disp, L"Add"), DISPATCH_METHOD, {I4(2), Text(L"40")}, &result));
    EXPECT_EQ(VT_I4, V_VT(&result));
    EXPECT_EQ(42, V_I4(&result));
    VariantClear(&result);

    VARIANT loud = Typed(VT_BOOL);
    V_BOOL(&loud) = VARIANT_TRUE;
    ASSERT_EQ(S_OK,
              Call(disp, IdOf(disp, L"Describe"), DISPATCH_METHOD | DISPATCH_PROPERTYGET, {I4(7), loud}, &result));
    ASSERT_EQ(VT_BSTR, V_VT(&result));
    EXPECT_STREQ(L"name=7!", V_BSTR(&result));
    VariantClear(&result);

    // A script's null reaches the member as a null text, not as an error.
    ASSERT_EQ(S_OK, Call(disp, IdOf(disp, L"Describe"), DISPATCH_METHOD, {Typed(VT_NULL), I4(0)}, &result));
    EXPECT_STREQ(L"name=(null).", V_BSTR(&result));
}

TEST_F(DispatchMap, BadCallsAreRefusedWithTheAutomationErrors)
{
    const DISPID add = IdOf(disp, L"Add");
    UINT argErr = 99;
    EXPECT_EQ(DISP_E_TYPEMISMATCH, Call(disp, add, DISPATCH_METHOD, {I4(1), Text(L"not a number")}, &result, &argErr));
    EXPECT_EQ(0u, argErr) << "the second argument is first in rgvarg";
    EXPECT_EQ(DISP_E_BADPARAMCOUNT, Call(disp, add, DISPATCH_METHOD, {I4(1), I4(2), I4(3)}, &result));
    EXPECT_EQ(DISP_E_PARAMNOTOPTIONAL, Call(disp, add, DISPATCH_METHOD, {I4(1)}, &result));
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, Call(disp, 999, DISPATCH_METHOD, {}, &result));
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, Call(disp, add, DISPATCH_PROPERTYPUT, {I4(1)}, &result));
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, Call(disp, 7, DISPATCH_PROPERTYPUT, {Text(L"x")}, &result))
        << "a property with SetNotSupported is read-only";
    EXPECT_EQ(DISP_E_UNKNOWNINTERFACE,
              disp->Invoke(add, IID_IDispatch, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr));

    EXCEPINFO excep{};
    EXPECT_EQ(DISP_E_EXCEPTION, Call(disp, IdOf(disp, L"Fail"), DISPATCH_METHOD, {}, &result, nullptr, &excep));
    EXPECT_EQ(E_ACCESSDENIED, excep.scode) << "a thrown framework error reaches the caller";
    SysFreeString(excep.bstrDescription);
    SysFreeString(excep.bstrSource);
    SysFreeString(excep.bstrHelpFile);
    EXPECT_EQ(E_ACCESSDENIED, Call(disp, IdOf(disp, L"Fail"), DISPATCH_METHOD, {}, &result));
}

TEST_F(DispatchMap, PropertiesReadAndWriteMembersAndAccessors)
{
    struct Case
    {
        const wchar_t* name;
        VARIANT put;
        VARTYPE vtGet;
    };
    VARIANT flag = Typed(VT_BOOL);
    V_BOOL(&flag) = VARIANT_TRUE;
    Case cases[] = {{L"Value", Text(L"17"), VT_I4},
                    {L"Label", Text(L"changed"), VT_BSTR},
                    {L"Flag", flag, VT_BOOL},
                    {L"Count", I4(-4), VT_I4}};
    for (Case& c : cases)
    {
        const DISPID id = IdOf(disp, c.name);
        EXPECT_EQ(S_OK, Call(disp, id, DISPATCH_PROPERTYPUT, {c.put}, nullptr)) << c.name;
        ASSERT_EQ(S_OK, Call(disp, id, DISPATCH_PROPERTYGET, {}, &result)) << c.name;
        EXPECT_EQ(c.vtGet, V_VT(&result)) << c.name;
        VariantClear(&result);
    }
    EXPECT_EQ(17, calc.m_nValue);
    EXPECT_STREQ(L"changed", calc.m_strLabel);
    EXPECT_EQ(TRUE, calc.m_bFlag);
    EXPECT_EQ(0, calc.m_nCount) << "the setter ran";

    ASSERT_EQ(S_OK, Call(disp, 7, DISPATCH_PROPERTYGET, {}, &result));
    EXPECT_STREQ(L"calculator", V_BSTR(&result));
    VariantClear(&result);
    ASSERT_EQ(S_OK, Call(disp, DISPID_VALUE, DISPATCH_PROPERTYGET, {}, &result));
    EXPECT_EQ(17, V_I4(&result)) << "the default value stands for Value";
    EXPECT_EQ(DISP_E_BADPARAMCOUNT, Call(disp, IdOf(disp, L"Value"), DISPATCH_PROPERTYGET, {I4(1)}, &result));
    for (Case& c : cases)
        VariantClear(&c.put);
}

TEST_F(DispatchMap, ByReferenceArgumentsAreWrittenBack)
{
    long top = 4;
    VARIANT direct = Typed(VT_BYREF | VT_I4);
    V_I4REF(&direct) = &top;
    VARIANT target;
    VariantInit(&target);  // an out-argument through a VARIANT reference
    VARIANT viaVariant = Typed(VT_BYREF | VT_VARIANT);
    V_VARIANTREF(&viaVariant) = &target;
    ASSERT_EQ(S_OK, Call(disp, IdOf(disp, L"Bounds"), DISPATCH_METHOD, {viaVariant, direct}, nullptr));
    EXPECT_EQ(5, top);
    EXPECT_EQ(VT_I4, V_VT(&target));
    EXPECT_EQ(10, V_I4(&target));
    EXPECT_EQ(DISP_E_TYPEMISMATCH, Call(disp, IdOf(disp, L"Bounds"), DISPATCH_METHOD, {I4(1), direct}, nullptr))
        << "a by-reference parameter needs a reference";
}

TEST_F(DispatchMap, ObjectsAndVariantsPassThroughWithTheirReferences)
{
    CCalculator other;
    IDispatch* pOther = other.GetIDispatch(FALSE);
    VARIANT arg = Typed(VT_DISPATCH);
    V_DISPATCH(&arg) = pOther;
    ASSERT_EQ(S_OK, Call(disp, 42, DISPATCH_METHOD, {arg}, nullptr));
    EXPECT_EQ(pOther, calc.m_pRemembered);
    EXPECT_EQ(1, other.m_dwRef) << "the argument's reference is the caller's";

    VARIANT text = Text(L"round trip");
    ASSERT_EQ(S_OK, Call(disp, IdOf(disp, L"Echo"), DISPATCH_METHOD, {text}, &result));
    EXPECT_EQ(VT_BSTR, V_VT(&result));
    EXPECT_STREQ(L"round trip", V_BSTR(&result));
    VariantClear(&text);
}

TEST(DispatchMapInheritance, DerivedMapAddsToItsBase)
{
    CScientific sci;
    IDispatch* disp = sci.GetIDispatch(FALSE);
    const DISPID half = IdOf(disp, L"Half");
    const DISPID add = IdOf(disp, L"Add");
    ASSERT_NE(DISPID_UNKNOWN, half);
    ASSERT_NE(DISPID_UNKNOWN, add);
    EXPECT_NE(half, add);
    VARIANT result;
    VariantInit(&result);
    ASSERT_EQ(S_OK, Call(disp, half, DISPATCH_METHOD, {I4(5)}, &result));
    EXPECT_EQ(VT_R8, V_VT(&result));
    EXPECT_DOUBLE_EQ(2.5, V_R8(&result));
    ASSERT_EQ(S_OK, Call(disp, add, DISPATCH_METHOD, {I4(1), I4(1)}, &result));
    EXPECT_EQ(2, V_I4(&result));
}

}  // namespace
