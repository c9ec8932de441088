// Collects figures of lines and cubic curves and parses the path language
// («M 0,0 L 10,0 10,10 Z»).
#pragma once

#include "Markup/MarkupPathData.h"

class CLVKMarkupContext;

class CLVKMarkupPathGeometryBuilder
{
public:
    void StartFigure(float x, float y);
    void AddLine(float x, float y);
    void AddBezier(MARKUP_POINTF c1, MARKUP_POINTF c2, MARKUP_POINTF end);
    void AddQuadratic(MARKUP_POINTF control, MARKUP_POINTF end);
    void AddArc(MARKUP_POINTF end, float fRotation, float rx, float ry, BOOL bLargeArc, BOOL bSweep);
    void EndFigure();
    void EnsureFigure();
    CLVKMarkupPathData* CreatePathData() const;

    // Raises "Unexpected token encountered at position '%i'" on bad input.
    void Parse(CLVKMarkupContext* pContext, LPCWSTR lpszText, int nLength);

    int GetPointCount() const { return static_cast<int>(m_points.size()); }
    const MARKUP_POINTF* GetPoints() const { return m_points.data(); }
    const BYTE* GetTypes() const { return m_types.data(); }

private:
    [[noreturn]] void Fail() const;
    void SkipSeparators();
    BOOL NumberFollows();
    // After a number: one comma at most, then a number must follow it.
    void SkipComma();
    float ReadNumber();
    MARKUP_POINTF ReadPoint(BOOL bRelative, MARKUP_POINTF base);
    void Append(float x, float y, BYTE nType);

    std::vector<MARKUP_POINTF> m_points;
    std::vector<BYTE> m_types;
    CLVKMarkupContext* m_pContext = nullptr;
    LPCWSTR m_lpszText = nullptr;
    int m_nLength = 0;
    int m_nPos = 0;
    wchar_t m_nCommand = 0;
    int m_nFillRule = 0;
    MARKUP_POINTF m_lastControl = {0, 0};
    MARKUP_POINTF m_current = {0, 0};
    MARKUP_POINTF m_figureStart = {0, 0};
    BOOL m_bFigureOpen = FALSE;
};
