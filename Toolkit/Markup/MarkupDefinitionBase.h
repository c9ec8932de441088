// What a grid column and a grid row have in common: a user size (a grid
// length), a user minimum and maximum, and the scratch values of the grid's
// layout passes.
#pragma once

#include "Markup/MarkupFrameworkContentElement.h"

class CLVKMarkupGridLength;

class CLVKMarkupDefinitionBase : public CLVKMarkupFrameworkContentElement
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    // Layout size types, bits so that a cell can join those it spans.
    enum
    {
        kLayoutPixel = 1,
        kLayoutAuto = 2,
        kLayoutStar = 4,
    };

    BOOL IsColumn() const { return m_bColumn; }
    // The "Width" or "Height" value (1 star when unset).
    const CLVKMarkupGridLength* GetUserSize() const;
    // The "MinWidth"/"MinHeight" value, 0 when unset.
    int GetUserMinSize() const;
    // The "MaxWidth"/"MaxHeight" value, 0x7FFFFFFF when unset.
    int GetUserMaxSize() const;
    BOOL HasUserMaxSize() const;

    // The minimum only grows.
    void UpdateMinSize(int n);
    double GetPreferredSize() const;
    void ResetLayout();

    void OnPropertyChanged(CLVKMarkupDependencyProperty* pProperty, CLVKMarkupObject* pOldValue,
                           CLVKMarkupObject* pNewValue) override;

    int m_nMinSize = 0;
    int m_nLayoutType = 0;
    double m_dMeasureSize = 0;
    double m_dSizeCache = 0;
    int m_nFinalOffset = 0;

protected:
    explicit CLVKMarkupDefinitionBase(BOOL bColumn = TRUE) : m_bColumn(bColumn) {}
    // The size, minimum and maximum properties of this kind of definition.
    virtual CLVKMarkupDependencyProperty* GetSizeProperty() const = 0;
    virtual CLVKMarkupDependencyProperty* GetMinProperty() const = 0;
    virtual CLVKMarkupDependencyProperty* GetMaxProperty() const = 0;

private:
    BOOL m_bColumn;

protected:
    // The length's value as an integer; writing sets a pixel length.
    long OleGetSize();
    void OleSetSize(long nSize);
    // 0 Auto, 1 Pixel, 2 Star; writing keeps the value.
    long OleGetUnitType();
    void OleSetUnitType(long nUnit);
};
