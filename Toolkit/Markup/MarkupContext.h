// The per-host state of the markup engine: default font and colour, shared
// fonts, DPI scaling, the mouse state of the element trees, the routing of
// the host's mouse messages into routed events, repaint requests (with a
// freeze) and the named event delegates.
#pragma once

#include "Framework.h"

#include <activscp.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

class CLVKActiveScriptEngine;
class CLVKActiveScriptStdRuntime;
class CLVKImageManager;
class CLVKMarkupBuilder;
class CLVKMarkupContextInternalDispatch;
class CLVKToolTipContext;
class CLVKDpiScaling;
class CLVKMarkupKeyboardNavigation;
class CLVKMarkupStaticExtension;
class CLVKMarkupDelegate;
class CLVKMarkupFont;
class CLVKMarkupInputElement;
class CLVKMarkupObject;
class CLVKMarkupRoutedEvent;
class CLVKMarkupRoutedEventArgs;
class CLVKMarkupType;
class CLVKMarkupUIElement;
class CLVKMarkupVisual;

// Sent to the host window after every repaint request.
const UINT kMarkupRepaintMessage = 0x2A5C;

class CLVKMarkupContext
{
public:
    class CTooltipContext;

    CLVKMarkupContext();

    ULONG AddRef();
    // On a count of 0 does nothing and returns 0.
    ULONG Release();

    HWND GetHostWindow() const { return m_hWnd; }
    void SetHostWindow(HWND hWnd) { m_hWnd = hWnd; }

    CLVKMarkupObject* CreateMarkupObject(CLVKMarkupType* pType);
    // The root element with one reference, or null.
    CLVKMarkupUIElement* Parse(LPCWSTR lpszText);
    // "Done.", "No Text To Parse." or the parser's or builder's error text.
    CString ValidateXML(LPCWSTR lpszText);

    virtual BOOL OnWndMsg(CLVKMarkupUIElement* pRoot, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual void InvalidateElement(CLVKMarkupUIElement* pElement);
    virtual void InvalidateAll();
    void FreezeUpdates();
    void UnfreezeUpdates();
    RECT GetElementRect(CLVKMarkupObject* pElement);
    RECT GetElementUpdateRect(CLVKMarkupObject* pElement);

    void CaptureMouse(CLVKMarkupInputElement* pElement);
    void ReleaseMouseCapture(CLVKMarkupInputElement* pElement);
    void ResetInputTracking();
    void OnElementReleased(CLVKMarkupObject* pObject);
    CLVKMarkupInputElement* GetMouseOverElement() const { return m_pMouseOver; }
    CLVKMarkupInputElement* GetCapturedElement() const { return m_pCaptured; }
    void SetMouseOverElement(CLVKMarkupInputElement* pElement, int x, int y);

    // A shared font with one reference for the caller.
    CLVKMarkupFont* GetFont(const LOGFONTW& lf);
    void OnFontDestroyed(CLVKMarkupFont* pFont);
    const LOGFONTW& GetDefaultFont() const { return m_defaultFont; }
    void SetDefaultFont(const LOGFONTW& lf) { m_defaultFont = lf; }
    COLORREF GetDefaultTextColor() const { return m_clrDefaultText; }
    void SetDefaultTextColor(COLORREF clr) { m_clrDefaultText = clr; }
    int GetDefaultSmoothingMode() const { return m_nDefaultSmoothingMode; }
    void SetDefaultSmoothingMode(int nMode) { m_nDefaultSmoothingMode = nMode; }
    BOOL GetDefaultTextSmoothing() const { return m_bDefaultTextSmoothing; }
    void SetDefaultTextSmoothing(BOOL bEnabled) { m_bDefaultTextSmoothing = bEnabled ? TRUE : FALSE; }
    // The transparent colour of the pictures of this context: its own (-1
    // for none), else the image manager's, else 0x00FF00.
    COLORREF GetMaskColor() const;
    void SetMaskColor(COLORREF clr) { m_clrMask = clr; }
    // The manager set through "Icons", else the process-wide one.
    CLVKImageManager* GetImageManager() const;
    // Keeps the image manager behind the object (null: the process-wide one
    // again); an object that is no image manager raises E_INVALIDARG.
    void SetImageManager(IUnknown* pObject);
    BOOL IsGdiPlusEnabled() const { return m_bEnableGdiPlus; }
    void EnableGdiPlus(BOOL bEnable) { m_bEnableGdiPlus = bEnable; }

    // A DPI helper for the window (the screen when null), or none.
    void SetDpiAware(BOOL bAware, HWND hWnd);
    // A helper made by the caller (tests play other screens with it).
    void SetDpiScaling(std::unique_ptr<CLVKDpiScaling> pScaling);
    BOOL IsDpiAware() const { return m_pDpiScaling != nullptr; }
    int ScaleX(int n);
    int ScaleY(int n);
    double ScaleX(double d);
    double ScaleY(double d);
    SIZE ScaleSize(SIZE size);

    // Takes over the caller's reference; the name is copied.
    void SetDelegate(LPCWSTR lpszName, CLVKMarkupDelegate* pDelegate);
    // Never null: a name nobody bound gets a script-handler delegate.
    CLVKMarkupDelegate* LookupDelegate(LPCWSTR lpszName);
    // Keeps a reference on the object until ResetScript or the next call.
    void SetHandler(IDispatch* pHandler);
    IDispatch* GetHandler() const { return m_pHandler; }
    void SetMethod(IDispatch* pObject, LPCWSTR lpszName);
    // Drops the script engine, its texts and the handler object.
    void ResetScript();
    // Queues a script text; the first one makes the engine of its language.
    void AddScript(LPCWSTR lpszLanguage, LPCWSTR lpszSource);
    // Parses the queued texts and starts the engine; a failure is a markup
    // error with the script's own error text.
    void RunScripts();
    [[noreturn]] void ThrowScriptError(HRESULT hr);
    // The script's global object, without a reference; null without scripts.
    IDispatch* GetScriptDispatch();
    // The root of {x:Static} names ("__root__"), made on first use with the
    // system colours as its first child.
    CLVKMarkupStaticExtension* GetStaticExtension();
    CLVKMarkupKeyboardNavigation* GetKeyboardNavigation() const { return m_pKeyboardNavigation; }
    // Publishes every named object of the tree to the script engine (nothing
    // without one); a failure is a markup error with the COM error text.
    void PublishNamedElements(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pObject);

    // Whether a script's own "Parse" or "ValidateXML" is building: such a
    // build leaves the running script alone and may not add scripts.
    BOOL IsBuildingForScript() const { return m_nScriptBuilds > 0; }
    void BeginScriptBuild() { ++m_nScriptBuilds; }
    void EndScriptBuild() { --m_nScriptBuilds; }

    // The script object "MarkupContext", made on first use; no reference.
    CLVKMarkupContextInternalDispatch* GetInternalDispatch();
    // The names this context publishes to its scripts ("MarkupContext").
    virtual void GetNamedItems(std::vector<std::wstring>& names);
    // The object of a published name with a reference; E_NOINTERFACE for a
    // name this context does not know.
    virtual HRESULT GetNamedItem(LPCWSTR lpszName, IUnknown** ppUnknown);
    // The tooltip context of markup tips (made on first use), which the
    // host's mouse messages are relayed to.
    CLVKToolTipContext* GetToolTipContext();
    // The tool of the tooltip context: the first element of the mouse-over
    // element's chain whose "ToolTip" is a text, with its rectangle in host
    // coordinates; -1 when none (the point is not looked at).
    INT_PTR HitTestToolTip(CPoint point, TOOLINFOW* pTI);

    // Context-wide handlers, reached by bubbling events nobody handled.
    void AddHandler(CLVKMarkupRoutedEvent* pEvent, CLVKMarkupDelegate* pDelegate);
    void RaiseContextHandlers(CLVKMarkupObject* pSender, CLVKMarkupRoutedEventArgs* pArgs);

protected:
    virtual ~CLVKMarkupContext();

private:
    // Which rectangle of an element GetElementArea gives: its bounds, or the
    // area a repaint of it must cover (its transformed bounds joined with
    // where it was last painted, so that the old place is cleared too).
    enum class ElementArea
    {
        Bounds,
        Update
    };
    // The rectangle of the element's nearest visual (itself or a logical
    // ancestor), in the coordinates of the root; empty without one.
    static RECT AFX_CDECL GetElementArea(CLVKMarkupObject* pElement, ElementArea area);

    // The script engine's site: names published to scripts come from here.
    // The engine lives inside the context and is closed before the context
    // goes, so the site's references do not keep the context alive (that
    // would be a cycle nobody could break).
    class XActiveScriptSite : public IActiveScriptSite
    {
    public:
        STDMETHOD_(ULONG, AddRef)() override;
        STDMETHOD_(ULONG, Release)() override;
        STDMETHOD(QueryInterface)(REFIID iid, LPVOID* ppvObj) override;
        STDMETHOD(GetLCID)(LCID* plcid) override;
        STDMETHOD(GetItemInfo)
        (LPCOLESTR pstrName, DWORD dwReturnMask, IUnknown** ppiunkItem, ITypeInfo** ppti) override;
        STDMETHOD(GetDocVersionString)(BSTR* pbstrVersion) override;
        STDMETHOD(OnScriptTerminate)(const VARIANT* pvarResult, const EXCEPINFO* pexcepinfo) override;
        STDMETHOD(OnStateChange)(SCRIPTSTATE ssScriptState) override;
        STDMETHOD(OnScriptError)(IActiveScriptError* pscripterror) override;
        STDMETHOD(OnEnterScript)() override;
        STDMETHOD(OnLeaveScript)() override;
        CLVKMarkupContext* m_pOwner = nullptr;
    } m_xActiveScriptSite;
    friend class XActiveScriptSite;

    void HandleMouseMove(CLVKMarkupUIElement* pRoot, int x, int y);
    BOOL HandleMouseButton(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL HandleMouseWheel(int nDelta);
    BOOL HandleSetCursor();
    void CollectInputChain(CLVKMarkupObject* pElement, std::vector<CLVKMarkupInputElement*>& chain);
    static void AFX_CDECL ReleaseChain(std::vector<CLVKMarkupInputElement*>& chain);

    volatile LONG m_nRefCount = 1;
    HWND m_hWnd = nullptr;
    COLORREF m_clrDefaultText = 0;
    COLORREF m_clrMask = 0xFFFFFFFF;
    LOGFONTW m_defaultFont;
    int m_nDefaultSmoothingMode = 0;
    BOOL m_bDefaultTextSmoothing = FALSE;
    CLVKMarkupInputElement* m_pMouseOver = nullptr;
    CLVKMarkupInputElement* m_pCaptured = nullptr;
    CLVKMarkupUIElement* m_pMouseOverRoot = nullptr;
    CLVKMarkupFont* m_pFontHead = nullptr;
    CLVKMarkupFont* m_pFontTail = nullptr;
    std::map<CLVKMarkupRoutedEvent*, std::vector<CLVKMarkupDelegate*>> m_contextHandlers;
    std::map<std::wstring, CLVKMarkupDelegate*> m_delegates;
    IDispatch* m_pHandler = nullptr;
    BOOL m_bEnableGdiPlus = TRUE;
    std::unique_ptr<CLVKDpiScaling> m_pDpiScaling;
    BOOL m_bFrozen = FALSE;
    BOOL m_bFullRepaintPending = FALSE;
    std::vector<CLVKMarkupUIElement*> m_remembered;
    std::unique_ptr<CLVKMarkupStaticExtension> m_pStaticExtension;
    CLVKActiveScriptEngine* m_pScriptEngine = nullptr;
    std::wstring m_strScriptLanguage;
    std::vector<std::wstring> m_scripts;
    IDispatch* m_pScriptDispatch = nullptr;
    CLVKMarkupKeyboardNavigation* m_pKeyboardNavigation = nullptr;
    CLVKActiveScriptStdRuntime* m_pStdRuntime = nullptr;
    CLVKMarkupContextInternalDispatch* m_pInternalDispatch = nullptr;
    CLVKImageManager* m_pImageManager = nullptr;
    CTooltipContext* m_pToolTipContext = nullptr;
    int m_nScriptBuilds = 0;
};

// The name under which the standard runtime's members are global to scripts.
extern const wchar_t kMarkupStdRuntimeName[];

// Registers the dependency properties of every markup type, once.
void AFX_CDECL MarkupRegisterAllTypes();
