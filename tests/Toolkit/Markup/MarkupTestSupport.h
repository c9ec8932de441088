// Shared helpers of the markup tests: a context that is released with the
// test, parsing that reports the engine's error text, a screen of a chosen
// DPI, and a 32-bit bitmap whose pixels are read back exactly.
#pragma once

#include "Foundation/DpiScaling.h"
#include "Markup/MarkupGdiPlusDeviceContext.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupHelpers.h"
#include "Markup/MarkupUIElement.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

class FixedDpiScaling : public CLVKDpiScaling
{
public:
    explicit FixedDpiScaling(int nDpi) : m_nDpi(nDpi) {}

protected:
    int QueryDeviceDpi(HDC, int) override { return m_nDpi; }

private:
    int m_nDpi;
};

class MarkupContextHolder
{
public:
    explicit MarkupContextHolder(HWND hWnd = nullptr, int nDpi = 0) : m_pContext(MarkupCreateContext(hWnd))
    {
        if (nDpi)
        {
            m_pContext->SetDpiScaling(std::make_unique<FixedDpiScaling>(nDpi));
        }
    }
    ~MarkupContextHolder() { MarkupReleaseContext(m_pContext); }
    MarkupContextHolder(const MarkupContextHolder&) = delete;
    MarkupContextHolder& operator=(const MarkupContextHolder&) = delete;

    CLVKMarkupContext* Get() const { return m_pContext; }
    CLVKMarkupContext* operator->() const { return m_pContext; }

    // The root element, or null with the engine's error text in *pError.
    CLVKMarkupUIElement* Parse(const std::wstring& strText, std::wstring* pError = nullptr) const
    {
        CLVKMarkupUIElement* const pRoot = MarkupParseText(m_pContext, strText.c_str());
        if (!pRoot && pError)
        {
            *pError = static_cast<LPCWSTR>(m_pContext->ValidateXML(strText.c_str()));
        }
        return pRoot;
    }

    // The error text of a text that must not build ("Done." when it does).
    std::wstring ErrorOf(const std::wstring& strText) const
    {
        return static_cast<LPCWSTR>(m_pContext->ValidateXML(strText.c_str()));
    }

private:
    CLVKMarkupContext* m_pContext;
};

// Holds one reference on an element and releases it.
class ElementHolder
{
public:
    explicit ElementHolder(CLVKMarkupUIElement* p = nullptr) : m_p(p) {}
    ~ElementHolder() { MarkupReleaseElement(m_p); }
    ElementHolder(const ElementHolder&) = delete;
    ElementHolder& operator=(const ElementHolder&) = delete;
    CLVKMarkupUIElement* Get() const { return m_p; }
    CLVKMarkupUIElement* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    CLVKMarkupUIElement* m_p;
};

class MarkupSurface
{
public:
    MarkupSurface(int nWidth, int nHeight, COLORREF clrFill = RGB(255, 255, 255)) : m_nWidth(nWidth), m_nHeight(nHeight)
    {
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = nWidth;
        bmi.bmiHeader.biHeight = -nHeight;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        void* pBits = nullptr;
        m_hBitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
        m_pBits = static_cast<DWORD*>(pBits);
        m_hDC = CreateCompatibleDC(nullptr);
        m_hOld = SelectObject(m_hDC, m_hBitmap);
        for (int i = 0; i < nWidth * nHeight; ++i)
        {
            m_pBits[i] = (GetRValue(clrFill) << 16) | (GetGValue(clrFill) << 8) | GetBValue(clrFill);
        }
    }
    ~MarkupSurface()
    {
        SelectObject(m_hDC, m_hOld);
        DeleteDC(m_hDC);
        DeleteObject(m_hBitmap);
    }
    MarkupSurface(const MarkupSurface&) = delete;
    MarkupSurface& operator=(const MarkupSurface&) = delete;

    HDC GetHdc() const { return m_hDC; }
    COLORREF Pixel(int x, int y) const
    {
        GdiFlush();
        const DWORD dw = m_pBits[y * m_nWidth + x];
        return RGB((dw >> 16) & 0xFF, (dw >> 8) & 0xFF, dw & 0xFF);
    }
    void Render(CLVKMarkupUIElement* pElement) const
    {
        const RECT rc = {0, 0, m_nWidth, m_nHeight};
        MarkupRenderElement(pElement, m_hDC, &rc);
        GdiFlush();
    }

private:
    int m_nWidth;
    int m_nHeight;
    HBITMAP m_hBitmap;
    DWORD* m_pBits;
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

// Calls a global function of the running script without arguments; its
// result as text ("<failed 0x...>" when the call failed).
inline std::wstring CallScript(CLVKMarkupContext* pContext, LPCWSTR lpszFunction)
{
    IDispatch* const pGlobal = pContext->GetScriptDispatch();
    if (!pGlobal)
    {
        return L"<no script>";
    }
    DISPID dispid = 0;
    LPOLESTR name = const_cast<LPOLESTR>(lpszFunction);
    HRESULT hr = pGlobal->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &dispid);
    VARIANT result;
    VariantInit(&result);
    if (SUCCEEDED(hr))
    {
        DISPPARAMS none = {};
        EXCEPINFO info = {};
        hr = pGlobal->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, &result, &info, nullptr);
        if (FAILED(hr) && info.bstrDescription)
        {
            std::wstring text = L"<failed: ";
            text += info.bstrDescription;
            text += L">";
            SysFreeString(info.bstrSource);
            SysFreeString(info.bstrDescription);
            SysFreeString(info.bstrHelpFile);
            return text;
        }
    }
    if (SUCCEEDED(hr))
    {
        hr = VariantChangeType(&result, &result, 0, VT_BSTR);
    }
    if (FAILED(hr))
    {
        VariantClear(&result);
        wchar_t szText[40] = {};
        _snwprintf(szText, 39, L"<failed 0x%08lX>", static_cast<unsigned long>(hr));
        return szText;
    }
    std::wstring text = V_BSTR(&result) ? V_BSTR(&result) : L"";
    VariantClear(&result);
    return text;
}

// GDI+ started for each test and stopped after it, so the other markup tests
// keep drawing through GDI.
class MarkupGdiPlusTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        MarkupRegisterAllTypes();
        MarkupGdiPlusStartup(TRUE);
    }
    void TearDown() override { MarkupGdiPlusStartup(FALSE); }
};

// Colours whose channels differ by at most the tolerance.
inline bool ColorsNear(COLORREF a, COLORREF b, int nTolerance)
{
    return abs(GetRValue(a) - GetRValue(b)) <= nTolerance && abs(GetGValue(a) - GetGValue(b)) <= nTolerance &&
           abs(GetBValue(a) - GetBValue(b)) <= nTolerance;
}
