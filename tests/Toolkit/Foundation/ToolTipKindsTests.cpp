// The Office 2013 and rich-text tip kinds, and how the markup kind is made: what they measure and
// where their content lands.
#include "Foundation/ToolTipContext.h"
#include "Foundation/ToolTipOffice2013Tip.h"
#include "Foundation/ToolTipRichEditTip.h"

#include "DibSurface.h"

#include <gtest/gtest.h>

namespace
{

const COLORREF kBack = RGB(255, 255, 255);

class COffice2013TipUnderTest : public CLVKToolTipContext::COffice2013ToolTip
{
public:
    using COffice2013ToolTip::COffice2013ToolTip;
    using COffice2013ToolTip::SetTitle;
};

CLVKToolTipContextToolTip::TOOLITEM Tool(LPCWSTR lpszText)
{
    CLVKToolTipContextToolTip::TOOLITEM tool;
    tool.strText = lpszText;
    tool.nId = 1;
    return tool;
}

// The box around every pixel that is not the background; empty without ink.
RECT InkBox(DibSurface& surface, int nWidth, int nHeight)
{
    RECT rc{nWidth, nHeight, 0, 0};
    for (int y = 0; y < nHeight; ++y)
    {
        for (int x = 0; x < nWidth; ++x)
        {
            if (surface.Pixel(x, y) != kBack)
            {
                rc.left = std::min<LONG>(rc.left, x);
                rc.top = std::min<LONG>(rc.top, y);
                rc.right = std::max<LONG>(rc.right, x + 1);
                rc.bottom = std::max<LONG>(rc.bottom, y + 1);
            }
        }
    }
    return rc;
}

}  // namespace

TEST(ToolTipKinds, Office2013TipInsetsAndColour)
{
    CLVKToolTipContext context;
    COffice2013TipUnderTest tip(&context);
    auto tool = Tool(L"Saves the drive list");
    const RECT& rcMargin = context.GetMargin();
    const SIZE plain = tip.MeasureTip(&tool);
    ASSERT_GT(plain.cx, 0);

    // Without a title: 5 on every side inside the margins.
    DibSurface surface(plain.cx, plain.cy, kBack);
    surface.GetDC()->SetTextColor(RGB(1, 2, 3));
    CFont* const pOld = surface.GetDC()->SelectObject(context.GetFont());
    tip.DrawTip(surface.GetDC(), &tool, RECT{0, 0, plain.cx, plain.cy});
    surface.GetDC()->SelectObject(pOld);
    EXPECT_EQ(surface.GetDC()->GetTextColor(), RGB(1, 2, 3)) << "the previous text colour comes back";
    const RECT ink = InkBox(surface, plain.cx, plain.cy);
    ASSERT_LT(ink.left, ink.right) << "no text drawn";
    EXPECT_GE(ink.left, rcMargin.left + 5);
    EXPECT_GE(ink.top, rcMargin.top + 5);
    EXPECT_LE(ink.right, plain.cx - rcMargin.right - 5);
    EXPECT_LE(ink.bottom, plain.cy - rcMargin.bottom - 5);
    bool bGrey = false;
    for (int y = ink.top; y < ink.bottom && !bGrey; ++y)
        for (int x = ink.left; x < ink.right && !bGrey; ++x)
            bGrey = surface.Pixel(x, y) == CLVKToolTipContext::COffice2013ToolTip::kTextColor;
    EXPECT_TRUE(bGrey) << "the text is drawn in RGB(93, 93, 93)";

    // With a title: 12 across and 7 down, and the title's height plus 6 more.
    tip.SetTitle(L"T");
    const SIZE titled = tip.MeasureTip(&tool);
    EXPECT_EQ(titled.cx, plain.cx + 2 * (12 - 5));
    EXPECT_GT(titled.cy, plain.cy + 2 * (7 - 5) + 6);
    // Nothing to show without text.
    auto empty = Tool(L"");
    EXPECT_EQ(tip.MeasureTip(&empty).cx, 0);
}

// The markup tip lives with the markup engine above this layer; the context
// makes it through the maker that engine installs, and an Office tip when none
// is installed.
class CMarkerTip : public CLVKToolTipContext::COfficeToolTip
{
public:
    using COfficeToolTip::COfficeToolTip;
};

TEST(ToolTipKinds, MarkupStyleUsesTheInstalledMakerOrAnOfficeTip)
{
    const CLVKToolTipContext::MarkupTipMaker pBefore = CLVKToolTipContext::GetMarkupTipMaker();
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, L"Tip owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    CLVKToolTipContext context;
    context.SetStyle(lvkTipMarkup);

    CLVKToolTipContext::SetMarkupTipMaker(nullptr);
    std::unique_ptr<CWnd> pPlain(context.MakeTipWindow(&owner));
    ASSERT_NE(pPlain, nullptr);
    EXPECT_NE(dynamic_cast<CLVKToolTipContext::COfficeToolTip*>(pPlain.get()), nullptr);
    EXPECT_EQ(dynamic_cast<CMarkerTip*>(pPlain.get()), nullptr);

    CLVKToolTipContext::SetMarkupTipMaker([](CLVKToolTipContext* pContext)
                                          -> std::unique_ptr<CLVKToolTipContextToolTip>
                                          { return std::make_unique<CMarkerTip>(pContext); });
    std::unique_ptr<CWnd> pMade(context.MakeTipWindow(&owner));
    EXPECT_NE(dynamic_cast<CMarkerTip*>(pMade.get()), nullptr);

    // A maker that fails still leaves a working tip.
    CLVKToolTipContext::SetMarkupTipMaker([](CLVKToolTipContext*)
                                          -> std::unique_ptr<CLVKToolTipContextToolTip> { return nullptr; });
    std::unique_ptr<CWnd> pFallback(context.MakeTipWindow(&owner));
    EXPECT_NE(dynamic_cast<CLVKToolTipContext::COfficeToolTip*>(pFallback.get()), nullptr);

    // Other styles never ask the maker.
    context.SetStyle(lvkTipOffice2013);
    std::unique_ptr<CWnd> pOther(context.MakeTipWindow(&owner));
    EXPECT_NE(dynamic_cast<CLVKToolTipContext::COffice2013ToolTip*>(pOther.get()), nullptr);

    CLVKToolTipContext::SetMarkupTipMaker(pBefore);
    owner.DestroyWindow();
}

TEST(ToolTipKinds, RichTextTipRendersRtf)
{
    CLVKToolTipContext context;
    CLVKToolTipContext::CRichEditToolTip tip(&context);
    auto tool = Tool(L"{\\rtf1 {\\b Bold} and plain}");
    const SIZE size = tip.MeasureTip(&tool);
    if (!tip.GetRenderer().GetTextServices())
    {
        EXPECT_EQ(size.cx, 0) << "without text services there is no tip";
        GTEST_SKIP() << "no rich-edit text services here";
    }
    {
        // Wine's windowless rich edit sends no resize requests, so the
        // renderer measures nothing there; the tip can only add its padding.
        CLVKRichRender probe;
        probe.SetText(L"{\\rtf1 x}");
        if (probe.GetTextExtent(nullptr, 100).cx == 0)
        {
            GTEST_SKIP() << "the rich-edit text services here report no size";
        }
    }
    ASSERT_GT(size.cx, 0);
    ASSERT_GT(size.cy, 0);
    EXPECT_LT(size.cx, context.GetMaxTipWidth());
    DibSurface surface(size.cx, size.cy, kBack);
    tip.DrawTip(surface.GetDC(), &tool, RECT{0, 0, size.cx, size.cy});
    const RECT ink = InkBox(surface, size.cx, size.cy);
    ASSERT_LT(ink.left, ink.right) << "no text drawn";
    const RECT& rcMargin = context.GetMargin();
    EXPECT_GE(ink.left, rcMargin.left + 3);
    EXPECT_GE(ink.top, rcMargin.top + 3);
    // The RTF's control words are not shown as text: a plain tip of the same
    // source is far wider.
    EXPECT_LT(size.cx, CLVKToolTipContext::COfficeToolTip(&context).MeasureTip(&tool).cx);
}
