// An input element with a place in the visual tree: offset in its parent,
// render size, bounding rectangle, hit testing and clipped, transformed
// rendering.
#pragma once

#include "Markup/MarkupInputElement.h"

class CLVKMarkupDrawingContext;
class CLVKMarkupTransformationMatrix;

class CLVKMarkupVisual : public CLVKMarkupInputElement
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    virtual int GetVisualChildrenCount() const { return 0; }
    virtual CLVKMarkupVisual* GetVisualChild(int /*nIndex*/) const { return nullptr; }
    int GetLogicalChildrenCount() const override { return GetVisualChildrenCount(); }
    CLVKMarkupObject* GetLogicalChild(int nIndex) const override { return GetVisualChild(nIndex); }

    // Whether to clip, and to what, in the element's own coordinates.
    virtual BOOL GetLayoutClip(RECT& rcClip) const;
    // The (previous, new) matrices while the element's transform is in force.
    struct TransformPair
    {
        CLVKMarkupTransformationMatrix* pPrevious = nullptr;
        CLVKMarkupTransformationMatrix* pNew = nullptr;
    };
    virtual void ApplyRenderTransform(TransformPair& pair, CLVKMarkupDrawingContext* pDC);
    virtual void RestoreRenderTransform(CLVKMarkupDrawingContext* pDC, TransformPair& pair);
    virtual void OnRender(CLVKMarkupDrawingContext* /*pDC*/) {}
    virtual void OnRenderFocusVisual(CLVKMarkupDrawingContext* pDC);
    virtual CLVKMarkupInputElement* HitTestCore(int /*x*/, int /*y*/) { return this; }
    virtual void HideHostedWindows(CLVKMarkupDrawingContext* pDC);

    void Render(CLVKMarkupDrawingContext* pDC);
    CLVKMarkupInputElement* InputHitTest(int x, int y) override;
    void UpdateBoundingRect();
    RECT GetInvalidateRect();
    // The matrix the element was last drawn with, or its nearest visual
    // ancestor's; the caller frees it. Null without transforms.
    CLVKMarkupTransformationMatrix* GetAbsoluteTransform() const;
    POINT GetAbsoluteOffset() const;
    BOOL PtInRectTransformed(const RECT& rc, POINT pt) const;
    void SetRenderTransformMatrix(CLVKMarkupTransformationMatrix* pMatrix);
    CLVKMarkupVisual* GetVisualParent() const;

    POINT GetOffset() const { return m_ptOffset; }
    SIZE GetRenderSize() const { return m_szRender; }
    const RECT& GetBoundingRect() const { return m_rcBounding; }

protected:
    ~CLVKMarkupVisual() override;
    void Render(CLVKMarkupDrawingContext* pDC, int nDepth);
    CLVKMarkupInputElement* InputHitTest(int x, int y, int nDepth);
    void UpdateBoundingRect(int nDepth);

    POINT m_ptOffset = {0, 0};
    SIZE m_szRender = {0, 0};
    RECT m_rcBounding = {0, 0, 0, 0};
    RECT m_rcInvalidate = {0, 0, 0, 0};
    CLVKMarkupTransformationMatrix* m_pRenderTransformMatrix = nullptr;

public:
    // Script members.
    IDispatch* OleGetVisualParent();
    void OleGetBoundingRect(long* pLeft, long* pTop, long* pRight, long* pBottom);
    long OleGetActualWidth();
    long OleGetActualHeight();

protected:
    DECLARE_DISPATCH_MAP()
};
