// Pop-up shadows: the strips' pixels computed into memory (layered windows
// cannot be read back from the screen under Wine), their geometry beside a
// pop-up, the system setting and the flags, and following the owner.
#include "Foundation/ShadowManager.h"

#include "MessagePump.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

BYTE AlphaOf(DWORD dw)
{
    return static_cast<BYTE>(dw >> 24);
}

TEST(ShadowPixels, AlphaFadesOutwardAndAtTheFreeEnds)
{
    struct Case
    {
        const char* name;
        int part, cx, cy;
        BOOL light;
        int x, y;
        int alpha;
    };
    const Case cases[] = {
        {"bottom strip, inner row, middle", CLVKShadowManager::partBottom, 20, 4, FALSE, 10, 0, 120},
        {"bottom strip, outer row, middle", CLVKShadowManager::partBottom, 20, 4, FALSE, 10, 3, 30},
        {"bottom strip, left end fades in", CLVKShadowManager::partBottom, 20, 4, FALSE, 0, 0, 24},
        {"bottom strip, right end fades out", CLVKShadowManager::partBottom, 20, 4, FALSE, 19, 0, 24},
        {"right strip, top end fades in", CLVKShadowManager::partRight, 4, 20, FALSE, 0, 0, 24},
        {"right strip, inner column", CLVKShadowManager::partRight, 4, 20, FALSE, 0, 10, 120},
        {"right strip, bottom has no fade", CLVKShadowManager::partRight, 4, 20, FALSE, 1, 19, 90},
        {"region corner", CLVKShadowManager::partRegionCorner, 1, 1, FALSE, 0, 0, 120},
        {"light shadows have half the alpha", CLVKShadowManager::partBottom, 20, 4, TRUE, 10, 0, 60},
    };
    for (const Case& c : cases)
    {
        std::vector<DWORD> bits(static_cast<size_t>(c.cx) * c.cy);
        CLVKShadowManager::FillShadowBits(bits.data(), c.cx, c.cy, c.part, c.light, RGB(0, 0, 0));
        EXPECT_EQ(c.alpha, AlphaOf(bits[static_cast<size_t>(c.y) * c.cx + c.x])) << c.name;
    }
}

TEST(ShadowPixels, ColourIsPremultipliedByItsAlpha)
{
    std::vector<DWORD> bits(20 * 4);
    CLVKShadowManager::FillShadowBits(bits.data(), 20, 4, CLVKShadowManager::partBottom, FALSE, RGB(255, 128, 0));
    for (DWORD dw : bits)
    {
        const BYTE a = AlphaOf(dw);
        EXPECT_LE((dw >> 16) & 0xFF, a);
        EXPECT_LE((dw >> 8) & 0xFF, a);
    }
    const DWORD inner = bits[10];
    EXPECT_EQ(120u, (inner >> 16) & 0xFF) << "red 255 at alpha 120";
    EXPECT_EQ(60u, (inner >> 8) & 0xFF) << "green 128 at alpha 120";
}

TEST(ShadowPixels, TinyStripsNeverWritePastTheirPixels)
{
    const int sizes[][2] = {{1, 1}, {2, 4}, {3, 1}, {4, 1}, {8, 4}, {4, 2}, {1, 3}};
    const int parts[] = {CLVKShadowManager::partBottom, CLVKShadowManager::partRight,
                         CLVKShadowManager::partRegionCorner};
    for (const auto& size : sizes)
    {
        for (const int part : parts)
        {
            const size_t n = static_cast<size_t>(size[0]) * size[1];
            std::vector<DWORD> bits(n + 16, 0xDEADBEEF);
            CLVKShadowManager::FillShadowBits(bits.data(), size[0], size[1], part, FALSE, RGB(0, 0, 0));
            for (size_t i = n; i < bits.size(); ++i)
                ASSERT_EQ(0xDEADBEEFu, bits[i]) << size[0] << "x" << size[1] << " part " << part;
        }
    }
    // A bottom strip of 8 or less has only its fading ends: nothing reaches
    // the full alpha of the middle.
    std::vector<DWORD> bits(8 * 4);
    CLVKShadowManager::FillShadowBits(bits.data(), 8, 4, CLVKShadowManager::partBottom, FALSE, RGB(0, 0, 0));
    for (int x = 0; x < 8; ++x)
        EXPECT_LT(AlphaOf(bits[x]), 120);
}

class PopupShadows : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &m_bSavedDropShadow, 0);
        manager = new CLVKShadowManager;
    }
    void TearDown() override
    {
        for (CWnd* pPopup : popups)
        {
            if (pPopup->GetSafeHwnd())
                pPopup->DestroyWindow();
            delete pPopup;
        }
        EXPECT_TRUE(manager->GetShadows().empty()) << "parts die with their owners";
        EXPECT_EQ(1, manager->m_dwRef) << "every part gave its reference back";
        manager->InternalRelease();
        SystemParametersInfoW(SPI_SETDROPSHADOW, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(m_bSavedDropShadow)),
                              0);
    }

    CWnd* MakePopup(int x, int y, int cx, int cy)
    {
        auto* pPopup = new CWnd;
        const LPCTSTR lpszClass = AfxRegisterWndClass(0);
        EXPECT_TRUE(
            pPopup->CreateEx(WS_EX_TOOLWINDOW, lpszClass, L"", WS_POPUP | WS_VISIBLE, x, y, cx, cy, nullptr, nullptr));
        popups.push_back(pPopup);
        return pPopup;
    }

    static RECT RectOf(CWnd* pWnd)
    {
        RECT rc{};
        ::GetWindowRect(pWnd->GetSafeHwnd(), &rc);
        return rc;
    }

    CLVKShadowManager* manager = nullptr;
    std::vector<CWnd*> popups;
    BOOL m_bSavedDropShadow = FALSE;
};

TEST_F(PopupShadows, ShownOnlyPerFlagAndSystemSetting)
{
    ASSERT_TRUE(manager->IsLayered()) << "UpdateLayeredWindow exists and the screen has more than 256 colours";
    CWnd* pPopup = MakePopup(100, 100, 100, 100);
    const RECT rcNone{};

    SystemParametersInfoW(SPI_SETDROPSHADOW, 0, reinterpret_cast<PVOID>(FALSE), 0);
    manager->CreateShadow(pPopup, rcNone);
    EXPECT_TRUE(manager->GetShadows().empty()) << "system shadows off, flag bit 0 clear";

    SystemParametersInfoW(SPI_SETDROPSHADOW, 0, reinterpret_cast<PVOID>(TRUE), 0);
    manager->CreateShadow(pPopup, rcNone);
    EXPECT_EQ(2u, manager->GetShadows().size()) << "system shadows on";
    manager->RemoveOwnerShadows(pPopup);
    EXPECT_TRUE(manager->GetShadows().empty());

    SystemParametersInfoW(SPI_SETDROPSHADOW, 0, reinterpret_cast<PVOID>(FALSE), 0);
    manager->SetFlags(1);
    manager->CreateShadow(pPopup, rcNone);
    EXPECT_EQ(2u, manager->GetShadows().size()) << "flag bit 0 forces them";
}

TEST_F(PopupShadows, GeometryBesideAHundredPixelPopup)
{
    manager->SetFlags(1);
    CWnd* pPopup = MakePopup(100, 100, 100, 100);
    manager->CreateShadow(pPopup, RECT{});
    ASSERT_EQ(2u, manager->GetShadows().size());
    for (CLVKShadowManager::CShadowWnd* pShadow : manager->GetShadows())
    {
        const RECT rc = RectOf(pShadow);
        const RECT expected =
            pShadow->m_nPart == CLVKShadowManager::partBottom ? RECT{104, 200, 204, 204} : RECT{200, 104, 204, 200};
        EXPECT_TRUE(EqualRect(&expected, &rc))
            << "part " << pShadow->m_nPart << ": " << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
        EXPECT_TRUE(::IsWindowVisible(pShadow->GetSafeHwnd()));
        EXPECT_EQ(HTTRANSPARENT, ::SendMessageW(pShadow->GetSafeHwnd(), WM_NCHITTEST, 0, 0));
    }
}

TEST_F(PopupShadows, FewPixelTallPopupAndRoundedRegion)
{
    manager->SetFlags(1);
    CWnd* pThin = MakePopup(300, 300, 60, 5);
    manager->CreateShadow(pThin, RECT{});
    ASSERT_EQ(2u, manager->GetShadows().size());
    PumpMessagesPastTimer(20);

    CWnd* pRound = MakePopup(100, 100, 100, 100);
    ::SetWindowRgn(pRound->GetSafeHwnd(), CreateRoundRectRgn(0, 0, 101, 101, 10, 10), TRUE);
    manager->CreateShadow(pRound, RECT{});
    ASSERT_EQ(5u, manager->GetShadows().size()) << "a complex region adds the corner part";
    const CLVKShadowManager::CShadowWnd* pCorner = manager->GetShadows().back();
    EXPECT_EQ(CLVKShadowManager::partRegionCorner, pCorner->m_nPart);
    RECT rc{};
    ::GetWindowRect(pCorner->GetSafeHwnd(), &rc);
    const RECT expected{199, 199, 200, 200};
    EXPECT_TRUE(EqualRect(&expected, &rc));
}

TEST_F(PopupShadows, FollowAndDieWithTheirOwner)
{
    manager->SetFlags(1);
    CWnd* pPopup = MakePopup(100, 100, 100, 100);
    manager->CreateShadow(pPopup, RECT{});
    ASSERT_EQ(2u, manager->GetShadows().size());
    pPopup->ShowWindow(SW_HIDE);
    for (CLVKShadowManager::CShadowWnd* pShadow : manager->GetShadows())
        EXPECT_FALSE(::IsWindowVisible(pShadow->GetSafeHwnd()));
    pPopup->ShowWindow(SW_SHOWNA);
    for (CLVKShadowManager::CShadowWnd* pShadow : manager->GetShadows())
        EXPECT_TRUE(::IsWindowVisible(pShadow->GetSafeHwnd()));

    manager->OnOwnerResized(pPopup, 20, 10);
    for (CLVKShadowManager::CShadowWnd* pShadow : manager->GetShadows())
    {
        const RECT rc = RectOf(pShadow);
        const RECT expected =
            pShadow->m_nPart == CLVKShadowManager::partBottom ? RECT{104, 210, 224, 214} : RECT{220, 104, 224, 210};
        EXPECT_TRUE(EqualRect(&expected, &rc)) << "part " << pShadow->m_nPart;
    }

    pPopup->DestroyWindow();
    EXPECT_TRUE(manager->GetShadows().empty());
}

TEST_F(PopupShadows, CascadingPopupOfOneGroupIsCutWhereItCoversTheFirst)
{
    manager->SetFlags(1);
    CWnd* pFirst = MakePopup(100, 100, 100, 100);
    manager->CreateShadow(pFirst, RECT{}, 5);
    CWnd* pSecond = MakePopup(30, 30, 100, 100);
    manager->CreateShadow(pSecond, RECT{}, 5);
    ASSERT_EQ(4u, manager->GetShadows().size());
    const CLVKShadowManager::CShadowWnd* pBottom = nullptr;
    for (CLVKShadowManager::CShadowWnd* pShadow : manager->GetShadows())
    {
        if (pShadow->m_pOwner == pSecond && pShadow->m_nPart == CLVKShadowManager::partBottom)
            pBottom = pShadow;
    }
    ASSERT_NE(nullptr, pBottom);  // at (34, 130) to (134, 134): its right end lies over the first pop-up
    EXPECT_TRUE(pBottom->m_bRegionSet);
    const HRGN hRgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, ::GetWindowRgn(pBottom->GetSafeHwnd(), hRgn));
    EXPECT_TRUE(PtInRegion(hRgn, 10, 1)) << "outside the first pop-up the shadow stays";
    EXPECT_FALSE(PtInRegion(hRgn, 80, 1)) << "over the first pop-up it is cut";
    DeleteObject(hRgn);
}

}  // namespace
