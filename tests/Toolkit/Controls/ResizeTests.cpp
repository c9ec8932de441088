// The anchor layout and the resizable dialog: anchors that do not drift,
// minimised windows, controls sharing an id, the grip, the size limits and
// the saved window placement.
#include "Framework.h"

#include "Controls/ResizeDialog.h"

#include "../../Framework/TestDialogTemplate.h"

#include <shlwapi.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{

const UINT IDC_LEFT = 1001;
const UINT IDC_HALF = 1002;
const UINT IDC_GROUP = 1003;

// A modeless resizable dialog of a known client size, made from an in-memory
// template with a few controls.
class TestResizeDialog : public CLVKResizeDialog
{
public:
    explicit TestResizeDialog(UINT nFlags = 0, bool bThickFrame = true)
        : m_template(L"Resize test", 200, 100,
                     WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT | (bThickFrame ? WS_THICKFRAME : 0))
    {
        AddFlags(nFlags);
        m_template.AddItem(0x0082, IDC_LEFT, L"left", SS_LEFT, 5, 5, 40, 10);
        m_template.AddItem(0x0082, IDC_HALF, L"half", SS_LEFT, 60, 5, 40, 10);
        m_template.AddItem(0x0080, IDC_GROUP, L"group", BS_GROUPBOX, 5, 30, 100, 50);
        m_template.AddItem(0x0082, static_cast<WORD>(IDC_STATIC), L"one", SS_LEFT, 5, 85, 30, 10);
        m_template.AddItem(0x0082, static_cast<WORD>(IDC_STATIC), L"two", SS_LEFT, 40, 85, 30, 10);
    }
    ~TestResizeDialog() override
    {
        if (m_hWnd)
            DestroyWindow();
    }

    bool Make()
    {
        if (!CreateIndirect(m_template.Get(), nullptr))
            return false;
        ShowWindow(SW_SHOWNOACTIVATE);
        return true;
    }

    // Sets the client size through the window size, as a user's drag would.
    void SetClientSize(int cx, int cy)
    {
        CRect rcWindow;
        CRect rcClient;
        GetWindowRect(&rcWindow);
        GetClientRect(&rcClient);
        SetWindowPos(nullptr, 0, 0, cx + rcWindow.Width() - rcClient.Width(),
                     cy + rcWindow.Height() - rcClient.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    CSize ClientSize() const
    {
        CRect rc;
        GetClientRect(&rc);
        return rc.Size();
    }
    CRect ChildRect(HWND hChild) const
    {
        CRect rc;
        ::GetWindowRect(hChild, &rc);
        ScreenToClient(&rc);
        return rc;
    }
    CRect ChildRect(UINT nID) const { return ChildRect(::GetDlgItem(m_hWnd, nID)); }

    std::pair<HWND, HWND> StaticPair() const
    {
        HWND hFirst = nullptr;
        HWND hSecond = nullptr;
        for (HWND h = ::GetWindow(m_hWnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        {
            if (::GetDlgCtrlID(h) == static_cast<int>(static_cast<WORD>(IDC_STATIC)) || ::GetDlgCtrlID(h) == IDC_STATIC)
                (hFirst ? hSecond : hFirst) = h;
        }
        return {hFirst, hSecond};
    }

private:
    TestDialogTemplate m_template;
};

TEST(ResizeLayout, HalfAnchorsDoNotDriftOverManySmallResizes)
{
    TestResizeDialog dlg;
    ASSERT_TRUE(dlg.Make());
    ASSERT_TRUE(dlg.SetResize(IDC_HALF, CLVKResizeFloatPoint(0.5f, 0), CLVKResizeFloatPoint(0.5f, 0)));
    const CSize start = dlg.ClientSize();
    const CRect rcStart = dlg.ChildRect(IDC_HALF);

    // Three pixels wider: the control moves trunc(1.5) = 1 pixel; three more:
    // 3 pixels from the start, not 2.
    dlg.SetClientSize(start.cx + 3, start.cy);
    EXPECT_EQ(rcStart.left + 1, dlg.ChildRect(IDC_HALF).left);
    dlg.SetClientSize(start.cx + 6, start.cy);
    EXPECT_EQ(rcStart.left + 3, dlg.ChildRect(IDC_HALF).left);

    for (int i = 7; i <= 67; ++i)
        dlg.SetClientSize(start.cx + i, start.cy);
    EXPECT_EQ(rcStart.left + 33, dlg.ChildRect(IDC_HALF).left) << "half of 67 pixels, truncated";
    EXPECT_EQ(rcStart.Width(), dlg.ChildRect(IDC_HALF).Width());
    for (int i = 66; i >= 0; --i)
        dlg.SetClientSize(start.cx + i, start.cy);
    EXPECT_EQ(rcStart, dlg.ChildRect(IDC_HALF)) << "back at the first size, back at the first place";
}

TEST(ResizeLayout, RightAnchorStretchesAndTwiceRegisteredIdAddsItsAnchors)
{
    TestResizeDialog dlg;
    ASSERT_TRUE(dlg.Make());
    ASSERT_TRUE(dlg.SetResize(IDC_LEFT, CLVKResizeFloatPoint(0, 0), CLVKResizeFloatPoint(1, 0)));
    ASSERT_TRUE(dlg.SetResize(IDC_LEFT, CLVKResizeFloatPoint(0, 0), CLVKResizeFloatPoint(1, 0)));
    const CSize start = dlg.ClientSize();
    const CRect rcStart = dlg.ChildRect(IDC_LEFT);
    const INT_PTR nItems = dlg.GetItemCount();

    dlg.SetClientSize(start.cx + 20, start.cy + 10);
    const CRect rc = dlg.ChildRect(IDC_LEFT);
    EXPECT_EQ(rcStart.left, rc.left);
    EXPECT_EQ(rcStart.top, rc.top);
    EXPECT_EQ(rcStart.right + 40, rc.right) << "anchors added: the right edge moves by twice the change";
    EXPECT_EQ(nItems, dlg.GetItemCount());
}

TEST(ResizeLayout, ControlsSharingTheStaticIdStaySeparateItems)
{
    TestResizeDialog dlg;
    ASSERT_TRUE(dlg.Make());
    const auto statics = dlg.StaticPair();
    ASSERT_NE(nullptr, statics.first);
    ASSERT_NE(nullptr, statics.second);
    const INT_PTR nBefore = dlg.GetItemCount();
    ASSERT_TRUE(dlg.SetResize(IDC_STATIC, statics.first, CLVKResizeFloatRect(0, 1, 0, 1)));
    ASSERT_TRUE(dlg.SetResize(IDC_STATIC, statics.second, CLVKResizeFloatRect(1, 0, 1, 0)));
    EXPECT_EQ(nBefore + 2, dlg.GetItemCount());

    const CRect rcFirst = dlg.ChildRect(statics.first);
    const CRect rcSecond = dlg.ChildRect(statics.second);
    const CSize start = dlg.ClientSize();
    dlg.SetClientSize(start.cx + 30, start.cy + 12);
    EXPECT_EQ(rcFirst + CPoint(0, 12), dlg.ChildRect(statics.first)) << "moves down only";
    EXPECT_EQ(rcSecond + CPoint(30, 0), dlg.ChildRect(statics.second)) << "moves right only";
}

TEST(ResizeLayout, AnIdWithoutAWindowIsRefused)
{
    TestResizeDialog dlg;
    ASSERT_TRUE(dlg.Make());
    const INT_PTR nBefore = dlg.GetItemCount();
    EXPECT_FALSE(dlg.SetResize(4242, CLVKResizeFloatPoint(0, 0), CLVKResizeFloatPoint(1, 1)));
    EXPECT_EQ(nBefore, dlg.GetItemCount());
    dlg.SetClientSize(dlg.ClientSize().cx + 5, dlg.ClientSize().cy + 5);  // nothing to trip over
}

TEST(ResizeLayout, MinimisedWindowLaysNothingOut)
{
    TestResizeDialog dlg;
    ASSERT_TRUE(dlg.Make());
    ASSERT_TRUE(dlg.SetResize(IDC_HALF, CLVKResizeFloatPoint(1, 1), CLVKResizeFloatPoint(1, 1)));
    const CSize start = dlg.ClientSize();
    const CRect rcStart = dlg.ChildRect(IDC_HALF);

    dlg.ShowWindow(SW_MINIMIZE);
    const CSize minimised = dlg.ClientSize();
    if (minimised.cx == 0 || minimised.cy == 0)
    {
        EXPECT_EQ(start, dlg.m_szLast) << "the last layout size is kept while minimised";
        EXPECT_EQ(rcStart, dlg.ChildRect(IDC_HALF)) << "nothing moved towards an empty client area";
    }
    // Restored, the control stands where the restored size puts it, measured
    // from the size before minimising: nothing moved back and forth.
    dlg.ShowWindow(SW_RESTORE);
    const CSize restored = dlg.ClientSize();
    EXPECT_EQ(rcStart + CPoint(restored.cx - start.cx, restored.cy - start.cy), dlg.ChildRect(IDC_HALF));
    EXPECT_EQ(restored, dlg.m_szLast);
}

// A layout over a window whose client area the test decides: an empty one
// stands for a minimised window on every platform.
class ZeroSizeLayout : public CLVKResize
{
public:
    ZeroSizeLayout(CWnd* pWnd) : CLVKResize(pWnd, LVK_RESIZE_NOSIZEICON) {}
    int m_nMoves = 0;
    BOOL MoveItem(HDWP& hDwp, CLVKResizeItem* pItem, int dx, int dy) override
    {
        ++m_nMoves;
        return CLVKResize::MoveItem(hDwp, pItem, dx, dy);
    }
};

TEST(ResizeLayout, EmptyClientAreaSkipsThePass)
{
    TestResizeDialog dlg(LVK_RESIZE_NOSIZEICON);
    ASSERT_TRUE(dlg.Make());
    ZeroSizeLayout layout(&dlg);
    layout.Init();
    ASSERT_TRUE(layout.SetResize(IDC_HALF, CLVKResizeFloatPoint(1, 0), CLVKResizeFloatPoint(1, 0)));
    const CSize start = layout.m_szLast;
    dlg.SetClientSize(0, 0);
    if (dlg.ClientSize().cx == 0 || dlg.ClientSize().cy == 0)
    {
        layout.Resize();
        EXPECT_EQ(0, layout.m_nMoves);
        EXPECT_EQ(start, layout.m_szLast);
    }
    dlg.SetClientSize(start.cx + 10, start.cy);
    layout.Resize();
    EXPECT_EQ(1, layout.m_nMoves);
    EXPECT_EQ(CSize(start.cx + 10, start.cy), layout.m_szLast);
}

TEST(ResizeLayout, ControlRegisteredAfterAResizeMovesByTheWholeChangeSinceInit)
{
    TestResizeDialog dlg;
    ASSERT_TRUE(dlg.Make());
    const CSize start = dlg.ClientSize();
    const CRect rcStart = dlg.ChildRect(IDC_LEFT);
    dlg.SetClientSize(start.cx + 25, start.cy);
    ASSERT_TRUE(dlg.SetResize(IDC_LEFT, CLVKResizeFloatPoint(1, 0), CLVKResizeFloatPoint(1, 0)));
    dlg.SetClientSize(start.cx + 26, start.cy);
    EXPECT_EQ(rcStart.left + 26, dlg.ChildRect(IDC_LEFT).left);
}

TEST(ResizeDialog, GripSitsOnePixelInsideTheCornerAndFollowsIt)
{
    TestResizeDialog dlg;
    ASSERT_TRUE(dlg.Make());
    const HWND hGrip = ::GetDlgItem(dlg.m_hWnd, CLVKResize::kSizeIconId);
    ASSERT_NE(nullptr, hGrip);
    EXPECT_TRUE(::GetWindowLongW(hGrip, GWL_STYLE) & SBS_SIZEGRIP);
    for (int grow : {0, 40})
    {
        dlg.SetClientSize(dlg.m_szInit.cx + grow, dlg.m_szInit.cy + grow);
        const CSize client = dlg.ClientSize();
        const CRect rcGrip = dlg.ChildRect(hGrip);
        EXPECT_EQ(client.cx - 1, rcGrip.right) << grow;
        EXPECT_EQ(client.cy - 1, rcGrip.bottom) << grow;
        EXPECT_EQ(::GetSystemMetrics(SM_CXVSCROLL), rcGrip.Width());
    }
}

TEST(ResizeDialog, FixedSizeDialogHasNoGrip)
{
    TestResizeDialog dlg(0, false);
    ASSERT_TRUE(dlg.Make());
    EXPECT_EQ(nullptr, ::GetDlgItem(dlg.m_hWnd, CLVKResize::kSizeIconId));
    EXPECT_TRUE(dlg.GetFlags() & LVK_RESIZE_NOSIZEICON);
}

TEST(ResizeDialog, SizeLimitsFollowTheFlags)
{
    TestResizeDialog dlg(LVK_RESIZE_NOHORIZONTAL);
    ASSERT_TRUE(dlg.Make());
    CRect rcWindow;
    CRect rcClient;
    dlg.GetWindowRect(&rcWindow);
    dlg.GetClientRect(&rcClient);
    const int ncx = rcWindow.Width() - rcClient.Width();
    const int ncy = rcWindow.Height() - rcClient.Height();

    MINMAXINFO mmi{};
    mmi.ptMaxTrackSize = CPoint(5000, 5000);
    mmi.ptMaxSize = CPoint(5000, 5000);
    dlg.GetMinMaxInfo(&mmi);
    EXPECT_EQ(dlg.m_szLast.cx + ncx, mmi.ptMaxTrackSize.x) << "fixed width";
    EXPECT_EQ(dlg.m_szLast.cx + ncx, mmi.ptMaxSize.x);
    EXPECT_EQ(5000, mmi.ptMaxTrackSize.y) << "the height is free";
    EXPECT_EQ(dlg.m_szInit.cx + ncx, mmi.ptMinTrackSize.x) << "the first size is the minimum";
    EXPECT_EQ(dlg.m_szInit.cy + ncy, mmi.ptMinTrackSize.y);

    // A real drag goes through WM_GETMINMAXINFO: wider and smaller are refused.
    dlg.SetClientSize(rcClient.Width() + 50, rcClient.Height() - 30);
    EXPECT_EQ(rcClient.Size(), dlg.ClientSize());
    dlg.SetClientSize(rcClient.Width(), rcClient.Height() + 30);
    EXPECT_EQ(rcClient.Height() + 30, dlg.ClientSize().cy);
}

TEST(ResizeDialog, GroupBoxesBecomeTransparentUnlessTheFlagSaysNo)
{
    for (UINT nFlags : {0u, static_cast<UINT>(LVK_RESIZE_NOTRANSPARENTGROUP)})
    {
        TestResizeDialog dlg(nFlags);
        ASSERT_TRUE(dlg.Make());
        ASSERT_TRUE(dlg.SetResize(IDC_GROUP, CLVKResizeFloatPoint(0, 0), CLVKResizeFloatPoint(1, 1)));
        const bool bTransparent =
            (::GetWindowLongW(::GetDlgItem(dlg.m_hWnd, IDC_GROUP), GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0;
        EXPECT_EQ(nFlags == 0, bTransparent) << nFlags;
        EXPECT_EQ(nFlags == 0, dlg.GetItem(dlg.GetItemCount() - 1)->m_bRepaint != FALSE);
    }
}

TEST(ResizeDialog, PlacementIsSavedOnDestroyAndRestoresTheWindow)
{
    WCHAR szTemp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, szTemp);
    const std::wstring company = L"LorvaneResizeTest" + std::to_wstring(::GetCurrentProcessId());
    CWinApp app(L"ResizeTest");
    app.SetRegistryKey(company.c_str());

    WINDOWPLACEMENT saved{};
    saved.length = sizeof(saved);
    {
        TestResizeDialog dlg;
        ASSERT_TRUE(dlg.Make());
        dlg.m_strSection = L"Placement";
        dlg.SetWindowPos(nullptr, 33, 44, 520, 340, SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_TRUE(dlg.GetWindowPlacement(&saved));
        ASSERT_EQ(CRect(33, 44, 33 + 520, 44 + 340), CRect(saved.rcNormalPosition))
            << saved.rcNormalPosition.left << "," << saved.rcNormalPosition.top << "," << saved.rcNormalPosition.right;
        dlg.DestroyWindow();
    }

    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    ASSERT_TRUE(app.GetProfileBinary(L"Placement", L"WindowPlacement", &pData, &nBytes));
    ASSERT_EQ(44u, nBytes);
    WINDOWPLACEMENT loaded{};
    memcpy(&loaded, pData, sizeof(loaded));
    delete[] pData;
    EXPECT_EQ(0, memcmp(&saved, &loaded, sizeof(saved)));

    TestResizeDialog again;
    ASSERT_TRUE(again.Make());
    ASSERT_TRUE(again.SetWindowPlacement(&loaded));
    CRect rc;
    again.GetWindowRect(&rc);
    EXPECT_EQ(CRect(33, 44, 33 + 520, 44 + 340), rc) << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;

    ::SHDeleteKeyW(HKEY_CURRENT_USER, (L"Software\\" + company).c_str());
}

}  // namespace
