#include "Markup/MarkupImage.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupDeviceDependentImage.h"
#include "Markup/MarkupDrawingContext.h"
#include "Markup/MarkupEnum.h"
#include "Markup/MarkupString.h"
#include "Markup/MarkupValueConverters.h"

CLVKMarkupDependencyProperty* CLVKMarkupImage::m_pSourceProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupImage::m_pStretchProperty = nullptr;

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupImage, L"Image", CLVKMarkupFrameworkElement::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupImage(); }, &CLVKMarkupImage::RegisterProperties)

namespace
{

const int kStretchNone = 0;
const int kStretchFill = 1;
const int kStretchUniform = 2;
const int kStretchUniformToFill = 3;
// Rooms wider or higher than this are unbounded.
const int kUnbounded = 32000;

CLVKMarkupObject* AFX_CDECL StretchConverter(CLVKMarkupBuilder*, CLVKMarkupObject* pValue,
                                             CLVKMarkupDependencyProperty*)
{
    static const MarkupWord words[] = {{L"None", 0}, {L"Fill", 1}, {L"Uniform", 2}, {L"UniformToFill", 3}};
    auto* const pString = MarkupCast<CLVKMarkupString>(pValue);
    int nValue = 0;
    if (!pString || !MarkupFindWord(words, 4, pString->GetText(), nValue))
    {
        return nullptr;
    }
    return new CLVKMarkupEnum(nValue);
}

}  // namespace

void AFX_CDECL CLVKMarkupImage::RegisterProperties()
{
    // The source also carries the bits 0x08 and 0x10 of its registration.
    m_pSourceProperty = CLVKMarkupDependencyProperty::Register(
        L"Source", CLVKMarkupString::GetMarkupType(), GetMarkupType(), new CLVKMarkupPropertyMetadata(nullptr, 0x3E));
    m_pStretchProperty = CLVKMarkupDependencyProperty::Register(
        L"Stretch", CLVKMarkupEnum::GetMarkupType(), GetMarkupType(),
        new CLVKMarkupPropertyMetadata(new CLVKMarkupEnum(kStretchNone), StretchConverter,
                                       MarkupPropertyAffectsMeasure));
}

CLVKMarkupImage::CLVKMarkupImage() = default;

CLVKMarkupImage::~CLVKMarkupImage() = default;

void CLVKMarkupImage::SetSource(LPCWSTR lpszSource)
{
    SetValue(m_pSourceProperty, new CLVKMarkupString(lpszSource));
}

LPCWSTR CLVKMarkupImage::GetSource() const
{
    auto* const pSource = MarkupCast<CLVKMarkupString>(GetValue(m_pSourceProperty));
    return pSource ? pSource->GetText() : L"";
}

int CLVKMarkupImage::GetStretch() const
{
    auto* const pStretch = MarkupCast<CLVKMarkupEnum>(GetValue(m_pStretchProperty));
    return pStretch ? pStretch->GetValue() : kStretchNone;
}

void CLVKMarkupImage::OnPropertyChanged(CLVKMarkupDependencyProperty* pProperty, CLVKMarkupObject* pOldValue,
                                        CLVKMarkupObject* pNewValue)
{
    if (pProperty == m_pSourceProperty)
    {
        m_pImage.reset();
    }
    CLVKMarkupFrameworkElement::OnPropertyChanged(pProperty, pOldValue, pNewValue);
}

void CLVKMarkupImage::LoadImage(CLVKMarkupDrawingContext* pDC)
{
    m_pImage.reset();
    const LPCWSTR lpszSource = GetSource();
    if (!pDC || !*lpszSource)
    {
        return;
    }
    m_pImage.reset(pDC->CreateDeviceImage(this));
    if (m_pImage)
    {
        m_pImage->Load(lpszSource, m_szAvailable.cx);
    }
}

SIZE CLVKMarkupImage::ComputeSize(int nWidth, int nHeight) const
{
    if (!m_pImage)
    {
        return SIZE{0, 0};
    }
    SIZE size = {m_pImage->GetWidth(), m_pImage->GetHeight()};
    if (CLVKMarkupContext* const pContext = CLVKMarkupObject::GetMarkupContext())
    {
        size = pContext->ScaleSize(size);
    }
    const int nStretch = GetStretch();
    if (size.cx == 0 || size.cy == 0 || nStretch == kStretchNone || (nWidth > kUnbounded && nHeight > kUnbounded))
    {
        return size;
    }
    double sx = static_cast<double>(nWidth) / size.cx;
    double sy = static_cast<double>(nHeight) / size.cy;
    if (nWidth > kUnbounded)
    {
        sx = sy;
    }
    else if (nHeight > kUnbounded)
    {
        sy = sx;
    }
    else if (nStretch == kStretchUniform)
    {
        sx = sy = sx < sy ? sx : sy;
    }
    else if (nStretch == kStretchUniformToFill)
    {
        sx = sy = sx > sy ? sx : sy;
    }
    return SIZE{static_cast<int>(size.cx * sx), static_cast<int>(size.cy * sy)};
}

SIZE CLVKMarkupImage::MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight)
{
    if (!m_pImage || nWidth != m_szAvailable.cx || nHeight != m_szAvailable.cy)
    {
        m_szAvailable = SIZE{nWidth, nHeight};
        LoadImage(pDC);
    }
    return ComputeSize(nWidth, nHeight);
}

SIZE CLVKMarkupImage::ArrangeOverride(int nWidth, int nHeight)
{
    return ComputeSize(nWidth, nHeight);
}

void CLVKMarkupImage::OnRender(CLVKMarkupDrawingContext* pDC)
{
    if (!m_pImage)
    {
        LoadImage(pDC);
    }
    if (m_pImage)
    {
        pDC->DrawImage(m_pImage.get(), 0, 0, m_szRender.cx, m_szRender.cy);
    }
}

BEGIN_DISPATCH_MAP(CLVKMarkupImage, CLVKMarkupFrameworkElement)
    DISP_PROPERTY_EX_ID(CLVKMarkupImage, "Source", 500, OleGetSource, OleSetSource, VT_BSTR)
    DISP_MARKUP_NUMBER("Stretch", 501, CLVKMarkupImage::m_pStretchProperty, VT_I4, 0)
END_DISPATCH_MAP()

CString CLVKMarkupImage::OleGetSource()
{
    return GetSource();
}

void CLVKMarkupImage::OleSetSource(LPCWSTR lpszSource)
{
    SetSource(lpszSource ? lpszSource : L"");
}
