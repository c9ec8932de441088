// The script object "MarkupContext": what scripts of a markup context may
// do with the context itself (make objects, parse, bind handlers, freeze
// repaints, DPI and drawing options). It points back to its context, which
// cuts the link before it goes; calls after that fail with E_UNEXPECTED.
#pragma once

#include "Foundation/CmdTarget.h"

class CLVKMarkupContext;

class CLVKMarkupContextInternalDispatch : public CLVKCmdTarget
{
public:
    explicit CLVKMarkupContextInternalDispatch(CLVKMarkupContext* pContext);

    CLVKMarkupContext* GetContext() const { return m_pContext; }
    void Detach() { m_pContext = nullptr; }

    void SetMethod(IDispatch* pObject, LPCOLESTR lpszName);
    IDispatch* CreateObject(LPCOLESTR lpszTag);
    IDispatch* CreateSolidBrush(const VARIANT& color);
    IDispatch* CreateThickness(long nLeft, long nTop, long nRight, long nBottom);
    IDispatch* Parse(LPCOLESTR lpszText);
    void SetHandler(IDispatch* pHandler);
    BOOL GetEnableGdiPlus();
    void SetEnableGdiPlus(BOOL bEnable);
    BSTR ValidateXML(LPCOLESTR lpszText);
    IDispatch* GetToolTipContext();
    IDispatch* GetIcons();
    void SetIcons(IDispatch* pIcons);
    void FreezeUpdates();
    void UnfreezeUpdates();
    BOOL GetDpiAware();
    void SetDpiAware(BOOL bAware);
    long GetDefaultSmoothingMode();
    void SetDefaultSmoothingMode(long nMode);
    BOOL GetDefaultTextSmoothingEnabled();
    void SetDefaultTextSmoothingEnabled(BOOL bEnabled);

protected:
    DECLARE_DISPATCH_MAP()

private:
    // The context, or an automation error when it is gone.
    CLVKMarkupContext* Context() const;

    CLVKMarkupContext* m_pContext;  // not owned: the context owns this object
};
