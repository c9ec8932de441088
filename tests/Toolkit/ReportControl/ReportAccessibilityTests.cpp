// The control and its rows as accessible objects: children, names, roles,
// states, locations, hit tests, and child ids that name nothing.
#include "ReportTestSupport.h"

#include <gtest/gtest.h>

#include <climits>

namespace
{
VARIANT Child(long nChild)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = nChild;
    return v;
}

CString Name(IAccessible* pAccessible, long nChild)
{
    BSTR bstr = nullptr;
    CString str;
    if (pAccessible->get_accName(Child(nChild), &bstr) == S_OK && bstr)
        str = bstr;
    SysFreeString(bstr);
    return str;
}

long Role(IAccessible* pAccessible, long nChild)
{
    VARIANT v;
    VariantInit(&v);
    return pAccessible->get_accRole(Child(nChild), &v) == S_OK ? V_I4(&v) : -1;
}

long State(IAccessible* pAccessible, long nChild)
{
    VARIANT v;
    VariantInit(&v);
    return pAccessible->get_accState(Child(nChild), &v) == S_OK ? V_I4(&v) : -1;
}

struct AccessibleReport
{
    ReportWindow w;

    AccessibleReport()
    {
        w.AddColumns(3);
        w.report.AddRecord(MakeRecord({L"a1", L"a2", L"a3"}));
        w.report.AddRecord(MakeRecord({L"b1", L"b2", L"b3"}));
        w.report.Populate();
        w.report.UpdateWindow();
    }
    IAccessible* Control() { return &w.report.m_xAccessible; }
    IAccessible* Row(int n) { return &w.report.GetRows()->GetAt(n)->m_xAccessible; }
};

TEST(ReportAccessibility, TheControlListsTheHeaderAndTheRows)
{
    AccessibleReport r;
    long nCount = 0;
    ASSERT_EQ(S_OK, r.Control()->get_accChildCount(&nCount));
    EXPECT_EQ(3, nCount) << "the header and two rows";
    EXPECT_STREQ(L"Report", Name(r.Control(), CHILDID_SELF)) << "a window without text";
    EXPECT_EQ(ROLE_SYSTEM_TABLE, Role(r.Control(), CHILDID_SELF));
    EXPECT_EQ(ROLE_SYSTEM_ROW, Role(r.Control(), 3));
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE, State(r.Control(), CHILDID_SELF));

    IDispatch* pDispatch = nullptr;
    ASSERT_EQ(S_OK, r.Control()->get_accChild(Child(3), &pDispatch));
    IAccessible* pRow = nullptr;
    ASSERT_EQ(S_OK, pDispatch->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&pRow)));
    EXPECT_STREQ(L"Report Row", Name(pRow, CHILDID_SELF));
    EXPECT_STREQ(L"b2", Name(pRow, 2));
    pRow->Release();
    pDispatch->Release();
    EXPECT_EQ(S_FALSE, r.Control()->get_accChild(Child(1), &pDispatch)) << "the header is a simple element";

    // The second row's location is its rectangle on the screen, and a hit
    // test in it finds it.
    long x = 0, y = 0, cx = 0, cy = 0;
    ASSERT_EQ(S_OK, r.Control()->accLocation(&x, &y, &cx, &cy, Child(3)));
    RECT rcRow = r.w.report.GetRows()->GetAt(1)->GetRect();
    MapWindowPoints(r.w.report.GetSafeHwnd(), nullptr, reinterpret_cast<POINT*>(&rcRow), 2);
    EXPECT_EQ(rcRow.left, x);
    EXPECT_EQ(rcRow.top, y);
    EXPECT_EQ(rcRow.bottom - rcRow.top, cy);
    VARIANT hit;
    VariantInit(&hit);
    ASSERT_EQ(S_OK, r.Control()->accHitTest(x + 150, y + cy / 2, &hit));
    EXPECT_EQ(3, V_I4(&hit));
    ASSERT_EQ(S_OK, r.Row(1)->accHitTest(x + 150, y + cy / 2, &hit));
    EXPECT_EQ(2, V_I4(&hit)) << "the second cell of the row";
    ASSERT_EQ(S_OK, r.Control()->accLocation(&x, &y, &cx, &cy, Child(1)));
    ASSERT_EQ(S_OK, r.Control()->accHitTest(x + 5, y + cy / 2, &hit));
    EXPECT_EQ(1, V_I4(&hit)) << "the header";
}

TEST(ReportAccessibility, RowsReportSelectionAndHiddenColumns)
{
    AccessibleReport r;
    r.w.report.GetSelectedRows()->Select(r.w.report.GetRows()->GetAt(1));
    EXPECT_EQ(0, State(r.Row(0), CHILDID_SELF));
    EXPECT_EQ(STATE_SYSTEM_SELECTED, State(r.Row(1), CHILDID_SELF));
    EXPECT_EQ(ROLE_SYSTEM_CELL, Role(r.Row(1), 3));
    r.w.report.GetColumns()->GetAt(2)->SetVisible(FALSE);
    EXPECT_EQ(STATE_SYSTEM_INVISIBLE, State(r.Row(1), 3));
    EXPECT_EQ(0, State(r.Row(1), 1));
    long nCount = 0;
    ASSERT_EQ(S_OK, r.Row(0)->get_accChildCount(&nCount));
    EXPECT_EQ(3, nCount);
}

TEST(ReportAccessibility, ChildIdsThatNameNothingAreInvalidArguments)
{
    AccessibleReport r;
    BSTR bstr = nullptr;
    VARIANT v;
    VariantInit(&v);
    long x = 0, y = 0, cx = 0, cy = 0;
    VARIANT text;
    VariantInit(&text);
    V_VT(&text) = VT_BSTR;
    V_BSTR(&text) = nullptr;
    struct Case
    {
        const char* name;
        IAccessible* pAccessible;
        VARIANT child;
    };
    const Case cases[] = {
        {"control, negative", r.Control(), Child(-1)},
        {"control, one past the last row", r.Control(), Child(4)},
        {"control, far past the rows", r.Control(), Child(LONG_MAX)},
        {"control, not a number", r.Control(), text},
        {"row, negative", r.Row(0), Child(-5)},
        {"row, one past the last item", r.Row(0), Child(4)},
        {"row, far past the items", r.Row(0), Child(LONG_MAX)},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(E_INVALIDARG, c.pAccessible->get_accName(c.child, &bstr)) << c.name;
        EXPECT_EQ(E_INVALIDARG, c.pAccessible->get_accRole(c.child, &v)) << c.name;
        EXPECT_EQ(E_INVALIDARG, c.pAccessible->get_accState(c.child, &v)) << c.name;
        EXPECT_EQ(E_INVALIDARG, c.pAccessible->accLocation(&x, &y, &cx, &cy, c.child)) << c.name;
        IDispatch* pDispatch = nullptr;
        EXPECT_EQ(E_INVALIDARG, c.pAccessible->get_accChild(c.child, &pDispatch)) << c.name;
    }
}

TEST(ReportAccessibility, TheWindowHandsOutTheControl)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        AccessibleReport r;
        IAccessible* pAccessible = nullptr;
        ASSERT_EQ(S_OK, r.w.report.GetWindowAccessibleObject(r.w.report.GetSafeHwnd(), static_cast<DWORD>(OBJID_CLIENT),
                                                             IID_IAccessible, reinterpret_cast<void**>(&pAccessible)));
        ASSERT_NE(nullptr, pAccessible);
        long nCount = 0;
        EXPECT_EQ(S_OK, pAccessible->get_accChildCount(&nCount));
        EXPECT_EQ(3, nCount);
        EXPECT_STREQ(L"Report", Name(pAccessible, CHILDID_SELF));
        pAccessible->Release();
    }
    CoUninitialize();
}
}  // namespace
