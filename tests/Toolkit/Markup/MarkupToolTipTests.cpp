// The markup tip: what it measures and draws, and that the markup engine
// installs it as the tooltip context's markup-style tip.
#include "Foundation/ToolTipContext.h"
#include "Markup/MarkupHelpers.h"
#include "Markup/MarkupToolTip.h"
#include "Markup/MarkupUIElement.h"

#include "../Foundation/DibSurface.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

const COLORREF kBack = RGB(255, 255, 255);

CLVKToolTipContextToolTip::TOOLITEM Tool(LPCWSTR lpszText)
{
    CLVKToolTipContextToolTip::TOOLITEM tool;
    tool.strText = lpszText;
    tool.nId = 1;
    return tool;
}

}  // namespace

TEST(MarkupToolTip, MarkupTipMeasuresAndDrawsItsMarkupAndFallsBackToText)
{
    CLVKToolTipContext context;
    CLVKMarkupToolTip tip(&context);
    const RECT& rcMargin = context.GetMargin();
    auto tool = Tool(L"<Border Width='30' Height='10' Background='#FF0000'/>");
    const SIZE size = tip.MeasureTip(&tool);
    ASSERT_NE(tip.GetElement(), nullptr);
    EXPECT_EQ(size.cx, 30 + rcMargin.left + rcMargin.right + 7);
    EXPECT_EQ(size.cy, 10 + rcMargin.top + rcMargin.bottom + 7);
    DibSurface surface(size.cx, size.cy, kBack);
    tip.DrawTip(surface.GetDC(), &tool, RECT{0, 0, size.cx, size.cy});
    const int x = rcMargin.left + 3;
    const int y = rcMargin.top + 3;
    EXPECT_EQ(surface.Pixel(x, y), RGB(255, 0, 0));
    EXPECT_EQ(surface.Pixel(x + 29, y + 9), RGB(255, 0, 0));
    EXPECT_EQ(surface.Pixel(x - 1, y), kBack);

    // Text that is no markup is measured as plain text.
    auto plain = Tool(L"Not <markup");
    const SIZE text = tip.MeasureTip(&plain);
    EXPECT_EQ(tip.GetElement(), nullptr);
    CLVKToolTipContext::COfficeToolTip office(&context);
    const SIZE expected = office.MeasureTip(&plain);
    EXPECT_EQ(text.cx, expected.cx);
    EXPECT_EQ(text.cy, expected.cy);
}

TEST(MarkupToolTip, AMarkupContextInstallsTheMarkupTipForEveryTooltipContext)
{
    CLVKToolTipContext::SetMarkupTipMaker(nullptr);
    CLVKMarkupContext* pMarkup = MarkupCreateContext(nullptr, FALSE);
    MarkupReleaseContext(pMarkup);
    ASSERT_NE(CLVKToolTipContext::GetMarkupTipMaker(), nullptr);

    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, L"Tip owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    CLVKToolTipContext context;
    context.SetStyle(lvkTipMarkup);
    std::unique_ptr<CWnd> pTip(context.MakeTipWindow(&owner));
    EXPECT_NE(dynamic_cast<CLVKMarkupToolTip*>(pTip.get()), nullptr);
    owner.DestroyWindow();
}
