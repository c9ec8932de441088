#include "Markup/MarkupContext.h"
#include "Markup/MarkupHelpers.h"
#include "Markup/MarkupUIElement.h"

#include <gtest/gtest.h>

TEST(MarkupSmoke, ParsesABorder)
{
    CLVKMarkupContext* pContext = MarkupCreateContext(nullptr);
    CLVKMarkupUIElement* pRoot = MarkupParseText(pContext, L"<Border Width='10' Height='5'/>");
    ASSERT_NE(pRoot, nullptr) << (LPCWSTR)pContext->ValidateXML(L"<Border Width='10' Height='5'/>");
    const SIZE size = MarkupMeasureElement(pRoot, 100, 100);
    EXPECT_EQ(size.cx, 10);
    EXPECT_EQ(size.cy, 5);
    MarkupReleaseElement(pRoot);
    MarkupReleaseContext(pContext);
}
