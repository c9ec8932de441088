// The base of the inline text elements. Its text properties are attached
// and inherit, so any element (a border, a panel, a text block) can set the
// font or colours of all the text inside it.
#pragma once

#include "Markup/MarkupFrameworkContentElement.h"

class CLVKMarkupBrush;

class CLVKMarkupTextElement : public CLVKMarkupFrameworkContentElement
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    // Local values of the element itself (not inherited ones).
    CLVKMarkupBrush* GetBackground() const;
    CLVKMarkupBrush* GetForeground() const;
    // Takes over the caller's reference.
    void SetBackground(CLVKMarkupBrush* pBrush);
    void SetForeground(CLVKMarkupBrush* pBrush);
    int GetFontWeight() const;
    void SetFontWeight(int nWeight);
    int GetFontStyle() const;
    void SetFontStyle(int nStyle);
    int GetTextDecorations() const;
    void SetTextDecorations(int nDecorations);
    LPCWSTR GetFontFamily() const;
    void SetFontFamily(LPCWSTR lpszFamily);

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pBackgroundProperty;
    static CLVKMarkupDependencyProperty* m_pForegroundProperty;
    static CLVKMarkupDependencyProperty* m_pFontSizeProperty;
    static CLVKMarkupDependencyProperty* m_pFontWeightProperty;
    static CLVKMarkupDependencyProperty* m_pFontFamilyProperty;
    static CLVKMarkupDependencyProperty* m_pFontStyleProperty;
    static CLVKMarkupDependencyProperty* m_pTextDecorationsProperty;
    static CLVKMarkupDependencyProperty* m_pFontQualityProperty;
    static CLVKMarkupDependencyProperty* m_pFontCharsetProperty;

public:
    // Script members.
    VARIANT OleGetTag();
    void OleSetTag(const VARIANT* pTag);
    long OleGetTextDecorations();
    void OleSetTextDecorations(long n);
    long OleGetFontSize();
    void OleSetFontSize(long n);
    long OleGetFontWeight();
    void OleSetFontWeight(long n);
    CString OleGetFontFamily();
    void OleSetFontFamily(LPCWSTR lpszFamily);
    long OleGetFontStyle();
    void OleSetFontStyle(long n);
    IDispatch* OleGetBackground();
    void OleSetBackground(IDispatch* pBrush);
    IDispatch* OleGetForeground();
    void OleSetForeground(IDispatch* pBrush);

    DECLARE_DISPATCH_MAP()
};
