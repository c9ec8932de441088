// Shows a picture named by "Source", sized by "Stretch". The picture is
// made by the drawing device in use and loaded lazily (at measure or first
// paint), again when the room changes (icons are picked by width), and
// dropped when the source changes.
#pragma once

#include "Markup/MarkupDeviceDependentImageSite.h"
#include "Markup/MarkupFrameworkElement.h"

#include <memory>

class CLVKMarkupDeviceDependentImage;

class CLVKMarkupImage : public CLVKMarkupFrameworkElement, public ILVKMarkupDeviceDependentImageSite
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupImage();

    void SetSource(LPCWSTR lpszSource);
    LPCWSTR GetSource() const;
    // 0 None, 1 Fill, 2 Uniform, 3 UniformToFill.
    int GetStretch() const;
    CLVKMarkupDeviceDependentImage* GetDeviceImage() const { return m_pImage.get(); }
    // The size the picture takes in a room of the given size.
    SIZE ComputeSize(int nWidth, int nHeight) const;

    CLVKMarkupContext* GetMarkupContext() override { return CLVKMarkupObject::GetMarkupContext(); }
    void OnImageChanged() override { InvalidateVisual(); }

    void OnPropertyChanged(CLVKMarkupDependencyProperty* pProperty, CLVKMarkupObject* pOldValue,
                           CLVKMarkupObject* pNewValue) override;
    void OnRender(CLVKMarkupDrawingContext* pDC) override;
    SIZE MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pSourceProperty;
    static CLVKMarkupDependencyProperty* m_pStretchProperty;

protected:
    ~CLVKMarkupImage() override;

private:
    void LoadImage(CLVKMarkupDrawingContext* pDC);

    std::unique_ptr<CLVKMarkupDeviceDependentImage> m_pImage;
    SIZE m_szAvailable = {0, 0};

public:
    // Script members.
    CString OleGetSource();
    void OleSetSource(LPCWSTR lpszSource);

    DECLARE_DISPATCH_MAP()
};
