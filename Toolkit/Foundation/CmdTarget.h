// The base of every toolkit model, service, paint manager and data object: a
// framework command target that COM callers can also reach through
// ILVKCmdTargetProvider, which hands back the object behind an interface.
#pragma once

#include "Framework.h"

// {1965CF4C-7BE1-4E09-94B4-DCEF78B16D04}
extern const IID IID_ILVKCmdTargetProvider;

struct ILVKCmdTargetProvider : public IUnknown
{
    // The command target that embeds this interface.
    virtual CCmdTarget* STDMETHODCALLTYPE GetCmdTarget() = 0;
};

class CLVKCmdTarget : public CCmdTarget
{
    DECLARE_DYNAMIC(CLVKCmdTarget)

public:
    CLVKCmdTarget() = default;

protected:
    DECLARE_INTERFACE_MAP()

    BEGIN_INTERFACE_PART(CmdTargetProvider, ILVKCmdTargetProvider)
        CCmdTarget* STDMETHODCALLTYPE GetCmdTarget() override;
    END_INTERFACE_PART(CmdTargetProvider)
};

// The command target behind a COM object: through ILVKCmdTargetProvider, else
// through the framework's IDispatch; null when neither answers or for null.
CCmdTarget* AFX_CDECL LVKCmdTargetFromUnknown(LPUNKNOWN pUnknown);
