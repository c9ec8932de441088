// Device contexts with separate output and attribute handles, GDI objects
// that own their handles, menus, rectangles, and the GetSafe... calls that
// must work through null pointers.
#include "Framework.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace
{

// The compiler must not see that the pointer is null.
template <typename T>
T* NullOf()
{
    T* volatile p = nullptr;
    return p;
}

TEST(NullPointers, GetSafeCallsAnswerNull)
{
    EXPECT_EQ(nullptr, NullOf<CWnd>()->GetSafeHwnd());
    EXPECT_EQ(nullptr, NullOf<CDialog>()->GetSafeHwnd());
    EXPECT_EQ(nullptr, NullOf<CDC>()->GetSafeHdc());
    EXPECT_EQ(nullptr, NullOf<CClientDC>()->GetSafeHdc());
    EXPECT_EQ(nullptr, NullOf<CGdiObject>()->GetSafeHandle());
    EXPECT_EQ(nullptr, NullOf<CFont>()->GetSafeHandle());
    EXPECT_EQ(nullptr, NullOf<CBrush>()->GetSafeHandle());
    EXPECT_EQ(nullptr, NullOf<CMenu>()->GetSafeHmenu());
    // The conversion operators go through the same checks.
    EXPECT_EQ(nullptr, static_cast<HWND>(*NullOf<CWnd>()));
    EXPECT_EQ(nullptr, static_cast<HFONT>(*NullOf<CFont>()));
    EXPECT_EQ(nullptr, static_cast<HMENU>(*NullOf<CMenu>()));
}

TEST(NullPointers, GetSafeCallsAnswerTheHandleOtherwise)
{
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(90, L"Tahoma"));
    EXPECT_EQ(font.m_hObject, font.GetSafeHandle());
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    EXPECT_EQ(menu.m_hMenu, menu.GetSafeHmenu());
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    EXPECT_EQ(dc.m_hDC, dc.GetSafeHdc());
    // And a null parent is how a window is made top-level.
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, L"Top", WS_POPUP, 0, 0, 10, 10, NullOf<CWnd>()->GetSafeHwnd(), NULL));
    EXPECT_EQ(wnd.m_hWnd, wnd.GetSafeHwnd());
}

// A 1x1 memory DC on a bitmap of its own.
class MemoryDC
{
public:
    MemoryDC() : m_hDC(::CreateCompatibleDC(NULL)), m_hBitmap(::CreateBitmap(16, 16, 1, 32, nullptr))
    {
        m_hOld = ::SelectObject(m_hDC, m_hBitmap);
    }
    ~MemoryDC()
    {
        ::SelectObject(m_hDC, m_hOld);
        ::DeleteObject(m_hBitmap);
        ::DeleteDC(m_hDC);
    }
    HDC m_hDC;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld = nullptr;
};

TEST(DeviceContext, AttributesGoToBothHandlesAndAreReadFromTheAttributeOne)
{
    MemoryDC output;
    MemoryDC attrib;
    CDC dc;
    dc.SetOutputDC(output.m_hDC);
    dc.SetAttribDC(attrib.m_hDC);

    dc.SetTextColor(RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), ::GetTextColor(output.m_hDC));
    EXPECT_EQ(RGB(1, 2, 3), ::GetTextColor(attrib.m_hDC));

    // A query reads the attribute handle only.
    ::SetBkColor(attrib.m_hDC, RGB(9, 9, 9));
    ::SetBkColor(output.m_hDC, RGB(7, 7, 7));
    EXPECT_EQ(RGB(9, 9, 9), dc.GetBkColor());

    // Drawing goes to the output handle only.
    ::SetPixel(output.m_hDC, 0, 0, RGB(0, 0, 0));
    ::SetPixel(attrib.m_hDC, 0, 0, RGB(0, 0, 0));
    dc.FillSolidRect(0, 0, 4, 4, RGB(255, 0, 0));
    EXPECT_EQ(RGB(255, 0, 0), ::GetPixel(output.m_hDC, 1, 1));
    EXPECT_EQ(RGB(0, 0, 0), ::GetPixel(attrib.m_hDC, 1, 1));

    dc.ReleaseOutputDC();
    dc.ReleaseAttribDC();
}

TEST(DeviceContext, SelectObjectReturnsThePreviousObject)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    CPen* pOld = dc.SelectObject(&red);
    ASSERT_NE(nullptr, pOld);
    EXPECT_EQ(red.m_hObject, ::GetCurrentObject(dc.m_hDC, OBJ_PEN));
    CPen* pRed = dc.SelectObject(pOld);
    EXPECT_EQ(&red, pRed) << "an attached object is found again by its handle";
}

TEST(GdiObjects, OwnTheirHandleUntilDetached)
{
    HGDIOBJ hDeleted = NULL;
    {
        CBrush brush(RGB(1, 2, 3));
        hDeleted = brush.m_hObject;
        EXPECT_EQ(static_cast<UINT>(OBJ_BRUSH), brush.GetObjectType());
        LOGBRUSH lb{};
        ASSERT_EQ(static_cast<int>(sizeof(lb)), brush.GetLogBrush(&lb));
        EXPECT_EQ(RGB(1, 2, 3), lb.lbColor);
    }
    EXPECT_EQ(0u, ::GetObjectType(hDeleted));

    HGDIOBJ hKept = NULL;
    {
        CBrush brush(RGB(4, 5, 6));
        hKept = brush.Detach();
    }
    EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), ::GetObjectType(hKept));
    ::DeleteObject(hKept);
}

// A wrapper that already holds a handle refuses a second one: taking it
// would leak the first and leave the first's permanent-map entry behind.
struct SecondHandleCase
{
    const char* name;
    std::function<CGdiObject*()> make;           // a wrapper of the kind
    std::function<HGDIOBJ(CGdiObject&)> create;  // through the wrapper's own creation call
    std::function<HGDIOBJ()> makeRaw;            // a handle made outside for Attach
};

class WrapperWithAHandle : public ::testing::TestWithParam<SecondHandleCase>
{
};

TEST_P(WrapperWithAHandle, RefusesASecondGdiObject)
{
    const SecondHandleCase& c = GetParam();
    std::unique_ptr<CGdiObject> pObject(c.make());
    CGdiObject& object = *pObject;
    const HGDIOBJ hFirst = c.create(object);
    ASSERT_NE(nullptr, hFirst);
    ASSERT_EQ(hFirst, object.m_hObject);

    EXPECT_EQ(nullptr, c.create(object)) << "a second creation on the same wrapper";
    EXPECT_EQ(hFirst, object.m_hObject);
    const HGDIOBJ hRaw = c.makeRaw();
    ASSERT_NE(nullptr, hRaw);
    EXPECT_FALSE(object.Attach(hRaw));
    EXPECT_EQ(hFirst, object.m_hObject);
    EXPECT_EQ(&object, CGdiObject::FromHandle(hFirst)) << "the first handle is still this wrapper's";
    EXPECT_NE(&object, CGdiObject::FromHandle(hRaw)) << "the refused handle was not taken";
    ::DeleteObject(hRaw);
    AfxDeleteTempMaps();
    EXPECT_TRUE(object.DeleteObject());
    EXPECT_EQ(0u, ::GetObjectType(hFirst));
}

HGDIOBJ Created(CGdiObject& o, BOOL bOk)
{
    return bOk ? o.m_hObject : nullptr;
}

INSTANTIATE_TEST_SUITE_P(
    Table, WrapperWithAHandle,
    ::testing::Values(
        SecondHandleCase{"Pen", [] { return static_cast<CGdiObject*>(new CPen); },
                         [](CGdiObject& o)
                         { return Created(o, static_cast<CPen&>(o).CreatePen(PS_SOLID, 1, RGB(1, 2, 3))); },
                         [] { return static_cast<HGDIOBJ>(::CreatePen(PS_SOLID, 1, 0)); }},
        SecondHandleCase{"Brush", [] { return static_cast<CGdiObject*>(new CBrush); },
                         [](CGdiObject& o)
                         { return Created(o, static_cast<CBrush&>(o).CreateSolidBrush(RGB(1, 2, 3))); },
                         [] { return static_cast<HGDIOBJ>(::CreateSolidBrush(0)); }},
        SecondHandleCase{"Font", [] { return static_cast<CGdiObject*>(new CFont); },
                         [](CGdiObject& o)
                         {
                             LOGFONTW lf{};
                             lf.lfHeight = -12;
                             lstrcpyW(lf.lfFaceName, L"Tahoma");
                             return Created(o, static_cast<CFont&>(o).CreateFontIndirect(&lf));
                         },
                         []
                         {
                             LOGFONTW lf{};
                             lf.lfHeight = -13;
                             return static_cast<HGDIOBJ>(::CreateFontIndirectW(&lf));
                         }},
        SecondHandleCase{"Bitmap", [] { return static_cast<CGdiObject*>(new CBitmap); },
                         [](CGdiObject& o)
                         { return Created(o, static_cast<CBitmap&>(o).CreateBitmap(4, 4, 1, 1, nullptr)); },
                         [] { return static_cast<HGDIOBJ>(::CreateBitmap(2, 2, 1, 1, nullptr)); }},
        SecondHandleCase{"Region", [] { return static_cast<CGdiObject*>(new CRgn); },
                         [](CGdiObject& o) { return Created(o, static_cast<CRgn&>(o).CreateRectRgn(0, 0, 5, 5)); },
                         [] { return static_cast<HGDIOBJ>(::CreateRectRgn(0, 0, 1, 1)); }}),
    [](const ::testing::TestParamInfo<SecondHandleCase>& info) { return std::string(info.param.name); });

TEST(WrapperWithAHandle, RefusesASecondDeviceContext)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    const HDC hFirst = dc.m_hDC;
    EXPECT_FALSE(dc.CreateCompatibleDC(nullptr));
    EXPECT_EQ(hFirst, dc.m_hDC);
    const HDC hRaw = ::CreateCompatibleDC(NULL);
    EXPECT_FALSE(dc.Attach(hRaw));
    EXPECT_EQ(hFirst, dc.m_hDC);
    EXPECT_EQ(hFirst, dc.m_hAttribDC);
    EXPECT_EQ(&dc, CDC::FromHandle(hFirst));
    EXPECT_NE(&dc, CDC::FromHandle(hRaw));
    ::DeleteDC(hRaw);
    AfxDeleteTempMaps();
}

TEST(WrapperWithAHandle, RefusesASecondMenu)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    const HMENU hFirst = menu.m_hMenu;
    EXPECT_FALSE(menu.CreateMenu());
    const HMENU hRaw = ::CreateMenu();
    EXPECT_FALSE(menu.Attach(hRaw));
    EXPECT_EQ(hFirst, menu.m_hMenu);
    EXPECT_EQ(&menu, CMenu::FromHandle(hFirst));
    ::DestroyMenu(hRaw);
    AfxDeleteTempMaps();
}

TEST(WrapperWithAHandle, RefusesASecondFile)
{
    wchar_t szFolder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, szFolder);
    const std::wstring first = std::wstring(szFolder) + L"lvk-wrapper-first.bin";
    const std::wstring second = std::wstring(szFolder) + L"lvk-wrapper-second.bin";
    {
        CFile file;
        ASSERT_TRUE(file.Open(first.c_str(), CFile::modeCreate | CFile::modeReadWrite));
        const HANDLE hFirst = file.m_hFile;
        CFileException error;
        EXPECT_FALSE(file.Open(second.c_str(), CFile::modeCreate | CFile::modeReadWrite, &error));
        EXPECT_EQ(hFirst, file.m_hFile);
        EXPECT_EQ(first, file.GetFilePath().GetString());
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(second.c_str())) << "the second file was not made";
    }
    EXPECT_TRUE(::DeleteFileW(first.c_str())) << "the first file was closed with its object";
}

TEST(GdiObjects, RegionsCombine)
{
    CRgn a;
    CRgn b;
    CRgn both;
    ASSERT_TRUE(a.CreateRectRgn(0, 0, 10, 10));
    ASSERT_TRUE(b.CreateRectRgn(5, 5, 20, 20));
    ASSERT_TRUE(both.CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(SIMPLEREGION, both.CombineRgn(&a, &b, RGN_AND));
    CRect box;
    both.GetRgnBox(&box);
    EXPECT_EQ(CRect(5, 5, 10, 10), box);
    EXPECT_TRUE(a.PtInRegion(1, 1));
    EXPECT_FALSE(a.PtInRegion(15, 15));
}

struct RectCase
{
    const char* name;
    CRect rect;
    CRect expect;
};

class RectArithmetic : public ::testing::TestWithParam<RectCase>
{
};

TEST_P(RectArithmetic, GivesTheExpectedRectangle)
{
    EXPECT_EQ(GetParam().expect, GetParam().rect);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RectArithmetic,
    ::testing::Values(RectCase{"Offset", CRect(0, 0, 10, 10) + CPoint(2, 3), CRect(2, 3, 12, 13)},
                      RectCase{"Intersection", CRect(0, 0, 10, 10) & CRect(5, 5, 20, 20), CRect(5, 5, 10, 10)},
                      RectCase{"EmptyIntersection", CRect(0, 0, 5, 5) & CRect(6, 6, 9, 9), CRect(0, 0, 0, 0)},
                      RectCase{"Union", CRect(0, 0, 5, 5) | CRect(6, 6, 9, 9), CRect(0, 0, 9, 9)},
                      RectCase{"InflateBySides", CRect(10, 10, 20, 20) + CRect(1, 2, 3, 4), CRect(9, 8, 23, 24)},
                      RectCase{"DeflateBySides", CRect(10, 10, 20, 20) - CRect(1, 2, 3, 4), CRect(11, 12, 17, 16)},
                      RectCase{"FromPointAndSize", CRect(CPoint(3, 4), CSize(5, 6)), CRect(3, 4, 8, 10)}),
    [](const ::testing::TestParamInfo<RectCase>& info) { return std::string(info.param.name); });

TEST(Rect, MouseCoordinatesAreSigned)
{
    // A point left of or above a window arrives as a negative 16-bit value.
    const CPoint pt(MAKELPARAM(-5, -7));
    EXPECT_EQ(-5, pt.x);
    EXPECT_EQ(-7, pt.y);
}

TEST(Menu, ItemsAndTheirStateThroughCCmdUI)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(menu.AppendMenu(MF_STRING, 100, L"&First"));
    ASSERT_TRUE(menu.AppendMenu(MF_STRING, 101, L"Second"));
    EXPECT_EQ(2u, menu.GetMenuItemCount());
    CString text;
    EXPECT_EQ(6, menu.GetMenuString(0, text, MF_BYPOSITION));
    EXPECT_EQ(CString(L"&First"), text);

    CCmdUI item;
    item.m_pMenu = &menu;
    item.m_nIndex = 1;
    item.m_nID = 101;
    item.Enable(FALSE);
    item.SetCheck(1);
    const UINT state = menu.GetMenuState(101, MF_BYCOMMAND);
    EXPECT_TRUE(state & MF_GRAYED);
    EXPECT_TRUE(state & MF_CHECKED);
    item.SetText(L"Renamed");
    EXPECT_EQ(7, menu.GetMenuString(101, text, MF_BYCOMMAND));
    EXPECT_EQ(CString(L"Renamed"), text);

    // The handle maps find the attached menu again.
    EXPECT_EQ(&menu, CMenu::FromHandle(menu.m_hMenu));
    const HMENU hMenu = menu.m_hMenu;
    EXPECT_TRUE(menu.DestroyMenu());
    EXPECT_FALSE(::IsMenu(hMenu));
}

}  // namespace
