// The windowless rich-text renderer: RTF and plain text through the real text
// services, drawing into a bitmap, and the size search against a double of
// the text services (Wine's EN_REQUESTRESIZE sizes are wrong).
#include "Foundation/RichRender.h"

#include "DibSurface.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

std::wstring TextOf(CLVKRichRender& render)
{
    BSTR text = nullptr;
    render.GetTextServices()->TxGetText(&text);
    std::wstring result = text ? text : L"";
    SysFreeString(text);
    // The text services end paragraphs with a carriage return.
    while (!result.empty() && (result.back() == L'\r' || result.back() == L'\n'))
        result.pop_back();
    return result;
}

TEST(RichRender, LoadsRtfPlainTextAndNothing)
{
    CLVKRichRender render;
    ASSERT_NE(nullptr, render.GetTextServices()) << "the rich-edit text services exist under Wine";

    struct Case
    {
        const wchar_t* input;
        const wchar_t* text;
        bool read;
    };
    const Case cases[] = {
        {L"{\\rtf1\\ansi Hello {\\b bold} world}", L"Hello bold world", true},
        {L"{not rtf at all}", L"{not rtf at all}", true},  // shown as plain text, braces included
        {L"plain \u00e9t\u00e9", L"plain \u00e9t\u00e9", true},
        {L"", L"", false},
        {nullptr, L"", false},
    };
    for (const Case& c : cases)
    {
        const int nRead = render.SetText(c.input);
        EXPECT_EQ(c.read, nRead > 0) << (c.input ? c.input : L"(null)");
        EXPECT_EQ(c.text, TextOf(render)) << (c.input ? c.input : L"(null)");
    }
}

DWORD CALLBACK CollectStreamOut(DWORD_PTR cookie, LPBYTE pb, LONG cb, LONG* pcb)
{
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<char*>(pb), static_cast<size_t>(cb));
    *pcb = cb;
    return 0;
}

TEST(RichRender, RtfFormattingSurvivesAndComesBackOut)
{
    CLVKRichRender render;
    ASSERT_NE(nullptr, render.GetTextServices());
    ASSERT_GT(render.SetText(L"{\\rtf1\\ansi normal {\\b strong}}"), 0);

    // Stream the document back out as RTF: the bold run is still marked.
    std::string out;
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&out);
    stream.pfnCallback = &CollectStreamOut;
    LRESULT lResult = 0;
    render.GetTextServices()->TxSendMessage(EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream), &lResult);
    EXPECT_NE(std::string::npos, out.find("\\b")) << out;
    EXPECT_NE(std::string::npos, out.find("strong")) << out;
}

TEST(RichRender, DrawsTextIntoABitmap)
{
    CLVKRichRender render;
    ASSERT_NE(nullptr, render.GetTextServices());
    CHARFORMATW cf = render.GetCharFormat();
    cf.crTextColor = RGB(0, 0, 0);
    cf.dwEffects = 0;
    render.SetDefaultCharFormat(cf);
    render.SetText(L"{\\rtf1\\ansi WWWW MMMM}");
    DibSurface surface(200, 40, RGB(255, 255, 255));
    const RECT rc{0, 0, 200, 40};
    render.Draw(surface.GetHdc(), rc);
    int nDark = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x)
            nDark += GetRValue(surface.Pixel(x, y)) < 128 ? 1 : 0;
    EXPECT_GT(nDark, 20) << "the text was painted";
}

// Text services that lay out a text of a given total width in lines of a
// fixed height and report the size through EN_REQUESTRESIZE, as Windows does.
class CFakeTextServices : public ITextServices
{
public:
    CFakeTextServices(ITextHost* pHost, int nTextWidth) : m_pHost(pHost), m_nTextWidth(nTextWidth) {}

    STDMETHOD(QueryInterface)(REFIID, void** ppv) override
    {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++m_nRefs; }
    STDMETHOD_(ULONG, Release)() override { return --m_nRefs; }

    HRESULT TxSendMessage(UINT msg, WPARAM, LPARAM lparam, LRESULT*) override
    {
        if (msg == EM_SETEVENTMASK)
            m_dwEventMask = static_cast<DWORD>(lparam);
        return S_OK;
    }
    HRESULT TxDraw(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, HDC, LPCRECTL lprcBounds, LPCRECTL, LPRECT,
                   WINBOOL(CALLBACK*)(DWORD), DWORD, LONG) override
    {
        const LONG nWidth = lprcBounds->right - lprcBounds->left;
        m_widths.push_back(nWidth);
        if (!(m_dwEventMask & ENM_REQUESTRESIZE))
            return S_OK;
        const int nLines = nWidth <= 0 ? 1000 : (m_nTextWidth + nWidth - 1) / nWidth;
        REQRESIZE request{};
        request.rc = {0, 0, nWidth, nLines * 20};
        m_pHost->TxNotify(EN_REQUESTRESIZE, &request);
        return S_OK;
    }
    HRESULT TxGetHScroll(LONG*, LONG*, LONG*, LONG*, WINBOOL*) override { return E_NOTIMPL; }
    HRESULT TxGetVScroll(LONG*, LONG*, LONG*, LONG*, WINBOOL*) override { return E_NOTIMPL; }
    HRESULT OnTxSetCursor(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, HDC, LPCRECT, INT, INT) override
    {
        return E_NOTIMPL;
    }
    HRESULT TxQueryHitPoint(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, HDC, LPCRECT, INT, INT, DWORD*) override
    {
        return E_NOTIMPL;
    }
    HRESULT OnTxInPlaceActivate(LPCRECT) override { return E_NOTIMPL; }
    HRESULT OnTxInPlaceDeactivate() override { return E_NOTIMPL; }
    HRESULT OnTxUIActivate() override { return E_NOTIMPL; }
    HRESULT OnTxUIDeactivate() override { return E_NOTIMPL; }
    HRESULT TxGetText(BSTR*) override { return E_NOTIMPL; }
    HRESULT TxSetText(LPCWSTR) override { return S_OK; }
    HRESULT TxGetCurTargetX(LONG*) override { return E_NOTIMPL; }
    HRESULT TxGetBaseLinePos(LONG*) override { return E_NOTIMPL; }
    HRESULT TxGetNaturalSize(DWORD, HDC, HDC, DVTARGETDEVICE*, DWORD, const SIZEL*, LONG*, LONG*) override
    {
        return E_NOTIMPL;
    }
    HRESULT TxGetDropTarget(IDropTarget**) override { return E_NOTIMPL; }
    HRESULT OnTxPropertyBitsChange(DWORD, DWORD) override { return E_NOTIMPL; }
    HRESULT TxGetCachedSize(DWORD*, DWORD*) override { return E_NOTIMPL; }

    ITextHost* m_pHost;
    int m_nTextWidth;
    DWORD m_dwEventMask = 0;
    ULONG m_nRefs = 1;
    std::vector<LONG> m_widths;
};

TEST(RichRenderExtent, NarrowestWidthThatKeepsTheHeightAtTheMaximumWidth)
{
    struct Case
    {
        const char* name;
        int textWidth;
        int maxWidth;
        SIZE expected;
    };
    const Case cases[] = {
        {"short text is narrower than the maximum", 50, 100, {50, 20}},
        {"long text wraps at the maximum and is balanced", 250, 100, {84, 60}},
        {"text exactly as wide as the maximum", 100, 100, {100, 20}},
    };
    for (const Case& c : cases)
    {
        // The double needs the renderer's host, the renderer the double.
        CFakeTextServices fake(nullptr, c.textWidth);
        CLVKRichRender render(&fake);
        fake.m_pHost = render.GetTextHost();
        const SIZE size = render.GetTextExtent(nullptr, c.maxWidth);
        EXPECT_EQ(c.expected.cx, size.cx) << c.name;
        EXPECT_EQ(c.expected.cy, size.cy) << c.name;
        ASSERT_FALSE(fake.m_widths.empty());
        EXPECT_EQ(c.maxWidth, fake.m_widths.front()) << "the reference layout is at the maximum width";
        EXPECT_TRUE(fake.m_dwEventMask & ENM_REQUESTRESIZE);
    }
}

TEST(RichRenderExtent, WithoutTextServicesEverythingIsEmpty)
{
    CLVKRichRender render(static_cast<ITextServices*>(nullptr));
    EXPECT_EQ(0, render.SetText(L"{\\rtf1 x}"));
    const SIZE size = render.GetTextExtent(nullptr, 100);
    EXPECT_EQ(0, size.cx);
    EXPECT_EQ(0, size.cy);
    render.Draw(nullptr, RECT{0, 0, 10, 10});
}

}  // namespace
