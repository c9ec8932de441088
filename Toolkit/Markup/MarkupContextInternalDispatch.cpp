#include "Markup/MarkupContextInternalDispatch.h"

#include "Foundation/ImageManager.h"
#include "Foundation/ToolTipContext.h"
#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupObject.h"
#include "Markup/MarkupSolidColorBrush.h"
#include "Markup/MarkupThickness.h"
#include "Markup/MarkupType.h"
#include "Markup/MarkupTypeRegistry.h"
#include "Markup/MarkupUIElement.h"

BEGIN_DISPATCH_MAP(CLVKMarkupContextInternalDispatch, CLVKCmdTarget)
    DISP_FUNCTION_ID(CLVKMarkupContextInternalDispatch, "SetMethod", 1, SetMethod, VT_EMPTY, VTS_DISPATCH VTS_BSTR)
    DISP_FUNCTION_ID(CLVKMarkupContextInternalDispatch, "CreateObject", 2, CreateObject, VT_DISPATCH, VTS_BSTR)
    DISP_FUNCTION_ID(CLVKMarkupContextInternalDispatch, "CreateSolidBrush", 3, CreateSolidBrush, VT_DISPATCH,
                     VTS_VARIANT)
    DISP_FUNCTION_ID(CLVKMarkupContextInternalDispatch, "CreateThickness", 4, CreateThickness, VT_DISPATCH,
                     VTS_I4 VTS_I4 VTS_I4 VTS_I4)
    DISP_FUNCTION_ID(CLVKMarkupContextInternalDispatch, "Parse", 5, Parse, VT_DISPATCH, VTS_BSTR)
    DISP_FUNCTION_ID(CLVKMarkupContextInternalDispatch, "SetHandler", 6, SetHandler, VT_EMPTY, VTS_DISPATCH)
    DISP_PROPERTY_EX_ID(CLVKMarkupContextInternalDispatch, "EnableGdiPlus", 7, GetEnableGdiPlus, SetEnableGdiPlus,
                        VT_BOOL)
    DISP_FUNCTION_ID(CLVKMarkupContextInternalDispatch, "ValidateXML", 8, ValidateXML, VT_BSTR, VTS_BSTR)
    DISP_PROPERTY_EX_ID(CLVKMarkupContextInternalDispatch, "ToolTipContext", 39, GetToolTipContext, SetNotSupported,
                        VT_DISPATCH)
    DISP_PROPERTY_EX_ID(CLVKMarkupContextInternalDispatch, "Icons", 40, GetIcons, SetIcons, VT_DISPATCH)
    DISP_FUNCTION_ID(CLVKMarkupContextInternalDispatch, "FreezeUpdates", 41, FreezeUpdates, VT_EMPTY, VTS_NONE)
    DISP_FUNCTION_ID(CLVKMarkupContextInternalDispatch, "UnfreezeUpdates", 42, UnfreezeUpdates, VT_EMPTY, VTS_NONE)
    DISP_PROPERTY_EX_ID(CLVKMarkupContextInternalDispatch, "DpiAware", 43, GetDpiAware, SetDpiAware, VT_BOOL)
    DISP_PROPERTY_EX_ID(CLVKMarkupContextInternalDispatch, "DefaultSmoothingMode", 44, GetDefaultSmoothingMode,
                        SetDefaultSmoothingMode, VT_I4)
    DISP_PROPERTY_EX_ID(CLVKMarkupContextInternalDispatch, "DefaultTextSmoothingEnabled", 45,
                        GetDefaultTextSmoothingEnabled, SetDefaultTextSmoothingEnabled, VT_BOOL)
END_DISPATCH_MAP()

CLVKMarkupContextInternalDispatch::CLVKMarkupContextInternalDispatch(CLVKMarkupContext* pContext) : m_pContext(pContext)
{
    EnableAutomation();
}

CLVKMarkupContext* CLVKMarkupContextInternalDispatch::Context() const
{
    if (!m_pContext)
    {
        AfxThrowOleException(E_UNEXPECTED);
    }
    return m_pContext;
}

void CLVKMarkupContextInternalDispatch::SetMethod(IDispatch* pObject, LPCOLESTR lpszName)
{
    Context()->SetMethod(pObject, lpszName);
}

IDispatch* CLVKMarkupContextInternalDispatch::CreateObject(LPCOLESTR lpszTag)
{
    CLVKMarkupContext* const pContext = Context();
    CLVKMarkupType* const pType = lpszTag ? CLVKMarkupTypeRegistry::GetInstance().FindType(lpszTag) : nullptr;
    // The object's one reference goes to the script.
    return CLVKMarkupObject::GetDispatch(pType ? pContext->CreateMarkupObject(pType) : nullptr, FALSE);
}

IDispatch* CLVKMarkupContextInternalDispatch::CreateSolidBrush(const VARIANT& color)
{
    Context();
    const DWORD dwColor = MarkupDispArgColor(color);
    const BYTE nAlpha = static_cast<BYTE>(dwColor >> 24);
    return CLVKMarkupObject::GetDispatch(
        new CLVKMarkupSolidColorBrush(nAlpha ? nAlpha : 0xFF, static_cast<COLORREF>(dwColor & 0xFFFFFF)), FALSE);
}

IDispatch* CLVKMarkupContextInternalDispatch::CreateThickness(long nLeft, long nTop, long nRight, long nBottom)
{
    Context();
    return CLVKMarkupObject::GetDispatch(new CLVKMarkupThickness(nLeft, nTop, nRight, nBottom), FALSE);
}

namespace
{
// Marks a build asked for by a script for as long as it runs.
class CScriptBuildScope
{
public:
    explicit CScriptBuildScope(CLVKMarkupContext* pContext) : m_pContext(pContext) { m_pContext->BeginScriptBuild(); }
    ~CScriptBuildScope() { m_pContext->EndScriptBuild(); }
    CScriptBuildScope(const CScriptBuildScope&) = delete;
    CScriptBuildScope& operator=(const CScriptBuildScope&) = delete;

private:
    CLVKMarkupContext* m_pContext;
};
}  // namespace

IDispatch* CLVKMarkupContextInternalDispatch::Parse(LPCOLESTR lpszText)
{
    CScriptBuildScope scope(Context());
    return CLVKMarkupObject::GetDispatch(m_pContext->Parse(lpszText), FALSE);
}

void CLVKMarkupContextInternalDispatch::SetHandler(IDispatch* pHandler)
{
    Context()->SetHandler(pHandler);
}

BOOL CLVKMarkupContextInternalDispatch::GetEnableGdiPlus()
{
    return Context()->IsGdiPlusEnabled();
}

void CLVKMarkupContextInternalDispatch::SetEnableGdiPlus(BOOL bEnable)
{
    Context()->EnableGdiPlus(bEnable);
}

BSTR CLVKMarkupContextInternalDispatch::ValidateXML(LPCOLESTR lpszText)
{
    CScriptBuildScope scope(Context());
    const CString strResult = m_pContext->ValidateXML(lpszText);
    return SysAllocString(strResult);
}

IDispatch* CLVKMarkupContextInternalDispatch::GetToolTipContext()
{
    CCmdTarget* const pToolTipContext = Context()->GetToolTipContext();
    return pToolTipContext ? pToolTipContext->GetIDispatch(TRUE) : nullptr;
}

IDispatch* CLVKMarkupContextInternalDispatch::GetIcons()
{
    CLVKImageManager* const pManager = Context()->GetImageManager();
    if (!pManager)
    {
        return nullptr;
    }
    // Scripts hand the manager back through "Icons" of other contexts.
    pManager->EnableAutomation();
    return pManager->GetIDispatch(TRUE);
}

void CLVKMarkupContextInternalDispatch::SetIcons(IDispatch* pIcons)
{
    Context()->SetImageManager(pIcons);
}

void CLVKMarkupContextInternalDispatch::FreezeUpdates()
{
    Context()->FreezeUpdates();
}

void CLVKMarkupContextInternalDispatch::UnfreezeUpdates()
{
    Context()->UnfreezeUpdates();
}

BOOL CLVKMarkupContextInternalDispatch::GetDpiAware()
{
    return Context()->IsDpiAware();
}

void CLVKMarkupContextInternalDispatch::SetDpiAware(BOOL bAware)
{
    Context()->SetDpiAware(bAware, nullptr);
}

long CLVKMarkupContextInternalDispatch::GetDefaultSmoothingMode()
{
    return Context()->GetDefaultSmoothingMode();
}

void CLVKMarkupContextInternalDispatch::SetDefaultSmoothingMode(long nMode)
{
    Context()->SetDefaultSmoothingMode(nMode);
}

BOOL CLVKMarkupContextInternalDispatch::GetDefaultTextSmoothingEnabled()
{
    return Context()->GetDefaultTextSmoothing();
}

void CLVKMarkupContextInternalDispatch::SetDefaultTextSmoothingEnabled(BOOL bEnabled)
{
    Context()->SetDefaultTextSmoothing(bEnabled);
}
