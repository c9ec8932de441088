// Script access to markup: elements, collections, event arguments and the
// "MarkupContext" object as the real JScript engine sees them, the
// collection enumerator, and the checks on objects scripts hand back.
#include "MarkupTestSupport.h"
#include "MessagePump.h"

#include "Foundation/ImageManager.h"
#include "Foundation/ToolTipContext.h"
#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupCanvas.h"
#include "Markup/MarkupCollectionEnumerator.h"
#include "Markup/MarkupContextInternalDispatch.h"
#include "Markup/MarkupDelegate.h"
#include "Markup/MarkupMouseEventArgs.h"
#include "Markup/MarkupPanel.h"
#include "Markup/MarkupSolidColorBrush.h"
#include "Markup/MarkupThickness.h"
#include "Markup/MarkupUIElementCollection.h"

#include <string>

namespace
{

const wchar_t kLvk[] = L" xmlns:lvk='urn:lorvane-markup' ";

LRESULT CALLBACK AutomationHostProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

HWND CreateAutomationHost()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = AutomationHostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"LorvaneMarkupAutomationHost";
    RegisterClassW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, wc.hInstance, nullptr);
}

// One call of a member by name; the HRESULT of Invoke.
HRESULT InvokeByName(IDispatch* pObject, LPCWSTR lpszName, WORD wFlags, VARIANT* pArgs, UINT nArgs, VARIANT* pResult)
{
    DISPID dispid = 0;
    LPOLESTR name = const_cast<LPOLESTR>(lpszName);
    HRESULT hr = pObject->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &dispid);
    if (FAILED(hr))
    {
        return hr;
    }
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params = {};
    params.rgvarg = pArgs;
    params.cArgs = nArgs;
    if (wFlags & DISPATCH_PROPERTYPUT)
    {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    EXCEPINFO info = {};
    hr = pObject->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &params, pResult, &info, nullptr);
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
    return hr;
}

}  // namespace

TEST(MarkupAutomation, JScriptClickHandlerChangesAFill)
{
    HWND hWnd = CreateAutomationHost();
    ASSERT_NE(hWnd, nullptr);
    {
        MarkupContextHolder context(hWnd);
        std::wstring error;
        ElementHolder root(context.Parse(
            std::wstring(L"<Canvas") + kLvk +
                L" Name='swatch' Background='#FF0000' MouseLeftButtonDown='OnDown'><lvk:Script>"
                L"var seen = '';\n"
                L"function OnDown(sender, args) {\n"
                L"  seen = sender.Name + ',' + (sender === swatch) + ',' + args.Event.Name + ',' + args.Source.Name +\n"
                L"         ',' + args.Handled;\n"
                L"  swatch.Background = MarkupContext.CreateSolidBrush(0x00FF00);\n"
                L"  args.Handled = true;\n"
                L"}\n"
                L"function Seen() { return seen; }\n"
                L"</lvk:Script></Canvas>",
            &error));
        ASSERT_TRUE(root) << error;
        MarkupSurface surface(100, 100);
        surface.Render(root.Get());
        EXPECT_EQ(surface.Pixel(50, 50), RGB(255, 0, 0));

        LRESULT lResult = 0;
        MarkupRelayElementMessage(root.Get(), WM_MOUSEMOVE, 0, MAKELPARAM(50, 50), &lResult);
        // The script marked the arguments handled, so the context reports it.
        EXPECT_TRUE(MarkupRelayElementMessage(root.Get(), WM_LBUTTONDOWN, 0, MAKELPARAM(50, 50), &lResult));
        EXPECT_EQ(CallScript(context.Get(), L"Seen"), L"swatch,true,MouseLeftButtonDown,swatch,false");
        surface.Render(root.Get());
        EXPECT_EQ(surface.Pixel(50, 50), RGB(0, 255, 0));
        context->ResetScript();
    }
    DestroyWindow(hWnd);
}

TEST(MarkupAutomation, ElementMembersReachTheirProperties)
{
    MarkupContextHolder context;
    std::wstring error;
    ElementHolder root(context.Parse(
        std::wstring(L"<StackPanel") + kLvk +
            L" Name='panel'><Border Name='first' Width='20' Height='10'/><TextBlock Name='second' Text='t'/>"
            L"<Canvas Name='third' Height='5'/><lvk:Script>\n"
            L"function fails(f) { try { f(); return 'no error'; } catch (e) { return 'error'; } }\n"
            L"function Layout() {\n"
            L"  var log = [];\n"
            L"  log.push(first.ActualWidth, first.ActualHeight, first.VisualParent.Name, "
            L"panel.FindName('third').Name);\n"
            L"  log.push(panel.FindName('nobody') === null);\n"
            L"  return log.join(',');\n"
            L"}\n"
            L"function Members() {\n"
            L"  var log = [];\n"
            L"  first.Width = 30; log.push(first.Width);\n"
            L"  log.push(first.Tag === null, first.ToolTip === null);\n"
            L"  first.Tag = 'tag'; first.Tag = 5; log.push(first.Tag);\n"
            L"  first.ToolTip = 'tip'; log.push(first.ToolTip);\n"
            L"  log.push(first.IsEnabled, first.Cursor, first.IsMouseOver);\n"
            L"  first.Visibility = 2; log.push(first.Visibility);\n"
            L"  first.Margin = MarkupContext.CreateThickness(1, 2, 3, 4);\n"
            L"  var m = first.Margin; m.Left = 7; log.push(m.Left, m.Top, m.Right, m.Bottom);\n"
            L"  first.Name = 'renamed'; log.push(first.Name);\n"
            L"  log.push(first.MouseEnterEvent.Name, first.LostMouseCaptureEvent.Name);\n"
            L"  log.push(fails(function () { panel.Background = MarkupContext; }));\n"
            L"  log.push(fails(function () { panel.Background = MarkupContext.CreateThickness(1, 1, 1, 1); }));\n"
            L"  panel.Background = MarkupContext.CreateSolidBrush(0x80112233);\n"
            L"  log.push((panel.Background.Color >>> 0).toString(16));\n"
            L"  panel.Background = null; log.push(panel.Background === null);\n"
            L"  return log.join(',');\n"
            L"}\n"
            L"function Children() {\n"
            L"  var c = panel.Children, log = [c.Count, c.Item(0).Name, c(1).Name, c.Item(-1) === null,\n"
            L"                         c.Item(c.Count) === null];\n"
            L"  var names = [];\n"
            L"  for (var e = new Enumerator(c); !e.atEnd(); e.moveNext()) names.push(e.item().Name);\n"
            L"  log.push(names.join('+'));\n"
            L"  log.push(fails(function () { c.Add(null); }), fails(function () { c.Add(first); }));\n"
            L"  var b = MarkupContext.CreateObject('Border'); b.Name = 'added';\n"
            L"  c.Insert(1, b); log.push(c.Count, c.Item(1).Name);\n"
            L"  c.RemoveAt(0); log.push(c.Count, c.Item(0).Name);\n"
            L"  c.Clear(); log.push(c.Count);\n"
            L"  return log.join(',');\n"
            L"}\n"
            L"</lvk:Script></StackPanel>",
        &error));
    ASSERT_TRUE(root) << error;
    MarkupSurface surface(100, 100);
    surface.Render(root.Get());
    EXPECT_EQ(CallScript(context.Get(), L"Layout"), L"20,10,panel,third,true");
    EXPECT_EQ(CallScript(context.Get(), L"Members"),
              L"30,true,true,tag,tip,true,0,false,2,7,2,3,4,renamed,MouseEnter,LostMouseCapture,error,error,"
              L"80112233,true");
    auto* const pFirst = MarkupCast<CLVKMarkupFrameworkElement>(root->FindName(L"renamed"));
    ASSERT_NE(pFirst, nullptr);
    EXPECT_EQ(MarkupGetIntValue(pFirst, CLVKMarkupFrameworkElement::m_pWidthProperty), 30);
    EXPECT_EQ(CallScript(context.Get(), L"Children"),
              L"3,renamed,second,true,true,renamed+second+third,error,error,4,added,3,added,0");
    context->ResetScript();
}

TEST(MarkupAutomation, TheContextObjectMakesObjectsAndBindsHandlers)
{
    MarkupContextHolder context;
    std::wstring error;
    ElementHolder root(context.Parse(
        std::wstring(L"<Canvas") + kLvk +
            L" MouseLeftButtonDown='Go' MouseRightButtonDown='Other'><lvk:Script><![CDATA[\n"
            L"var hits = '';\n"
            L"var bound = { Go2: function (s, a) { hits += 'go2:' + a.Event.Name + ';'; } };\n"
            L"var handler = { Other: function (s, a) { hits += 'other;'; }, Go: function () { hits += 'go;'; } };\n"
            L"MarkupContext.SetMethod(bound, 'Go2');\n"
            L"MarkupContext.SetHandler(handler);\n"
            L"function Hits() { return hits; }\n"
            L"function Objects() {\n"
            L"  var m = MarkupContext, log = [];\n"
            L"  log.push(m.CreateObject('Border') !== null, m.CreateObject('NoSuchTag') === null);\n"
            L"  log.push((m.CreateSolidBrush(0x80112233).Color >>> 0).toString(16));\n"
            L"  var b = m.CreateSolidBrush(0x0000FF); log.push((b.Color >>> 0).toString(16));\n"
            L"  b.Color = 0x00FF00; log.push((b.Color >>> 0).toString(16));\n"
            L"  b.Color = 0x4000FF00; log.push((b.Color >>> 0).toString(16));\n"
            L"  log.push(m.Parse('<Border/>') !== null, m.Parse('<Nope/>') === null);\n"
            L"  log.push(m.ValidateXML('<Border/>'), m.ValidateXML('<Nope/>'));\n"
            L"  log.push(m.ValidateXML(\"<Canvas xmlns:lvk='u'><lvk:Script>var z = 1;</lvk:Script></Canvas>\"));\n"
            L"  log.push(m.DpiAware); m.DpiAware = true; log.push(m.DpiAware); m.DpiAware = false;\n"
            L"  m.DefaultSmoothingMode = 4; log.push(m.DefaultSmoothingMode, m.EnableGdiPlus);\n"
            L"  m.DefaultTextSmoothingEnabled = true; log.push(m.DefaultTextSmoothingEnabled);\n"
            L"  m.FreezeUpdates(); m.UnfreezeUpdates();\n"
            L"  log.push(m.Icons !== null);\n"
            L"  try { m.Icons = m; log.push('taken'); } catch (e) { log.push('refused'); }\n"
            L"  return log.join(',');\n"
            L"}\n"
            L"]]></lvk:Script></Canvas>",
        &error));
    ASSERT_TRUE(root) << error;
    CLVKMarkupAutoPtr<CLVKMarkupMouseButtonEventArgs> pLeft(
        new CLVKMarkupMouseButtonEventArgs(CLVKMarkupInputElement::m_pMouseLeftButtonDownEvent, root.Get()));
    CLVKMarkupAutoPtr<CLVKMarkupMouseButtonEventArgs> pRight(
        new CLVKMarkupMouseButtonEventArgs(CLVKMarkupInputElement::m_pMouseRightButtonDownEvent, root.Get()));
    // Names of the tree go to the handler object; a name bound with
    // SetMethod calls that object's method.
    root->RaiseEvent(pLeft);
    root->RaiseEvent(pRight);
    context->LookupDelegate(L"Go2")->Execute(root.Get(), pLeft);
    EXPECT_EQ(CallScript(context.Get(), L"Hits"), L"go;other;go2:MouseLeftButtonDown;");
    EXPECT_EQ(CallScript(context.Get(), L"Objects"), L"true,true,80112233,ff0000ff,ff00ff00,4000ff00,true,true,Done.,"
                                                     L"The tag 'Nope' does not exist in XML namespace,Markup parsed by "
                                                     L"a script cannot contain scripts.,false,true,4,true,true,true,"
                                                     L"refused");
    // The script's own parses left it running.
    EXPECT_EQ(CallScript(context.Get(), L"Hits"), L"go;other;go2:MouseLeftButtonDown;");
    EXPECT_EQ(context->GetDefaultSmoothingMode(), 4);
    EXPECT_FALSE(context->IsDpiAware());
    context->ResetScript();
}

TEST(MarkupAutomation, TheStandardRuntimeIsGlobalToScripts)
{
    MarkupContextHolder context;
    std::wstring error;
    ElementHolder root(context.Parse(std::wstring(L"<Canvas") + kLvk +
                                         L"><lvk:Script>var fired = 'no';\n"
                                         L"debugLog('markup script started');\n"
                                         L"setTimeout(function () { fired = 'yes'; }, 1);\n"
                                         L"function Fired() { return fired; }\n"
                                         L"</lvk:Script></Canvas>",
                                     &error));
    ASSERT_TRUE(root) << error;
    PumpMessagesUntil([&] { return CallScript(context.Get(), L"Fired") == L"yes"; });
    EXPECT_EQ(CallScript(context.Get(), L"Fired"), L"yes");
    context->ResetScript();
}

TEST(MarkupAutomation, NamedItemsAndTheContextObjectsLifetime)
{
    CLVKMarkupContext* pContext = MarkupCreateContext(nullptr);
    IUnknown* pUnknown = nullptr;
    EXPECT_EQ(pContext->GetNamedItem(L"markupcontext", &pUnknown), E_NOINTERFACE);
    EXPECT_EQ(pUnknown, nullptr);
    ASSERT_EQ(pContext->GetNamedItem(L"MarkupContext", &pUnknown), S_OK);
    IDispatch* pDispatch = nullptr;
    ASSERT_EQ(pUnknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&pDispatch)), S_OK);
    pUnknown->Release();

    VARIANT args[4];
    for (int i = 0; i < 4; ++i)
    {
        VariantInit(&args[i]);
        V_VT(&args[i]) = VT_I4;
        V_I4(&args[i]) = i + 1;  // last to first: bottom 1, right 2, top 3, left 4
    }
    VARIANT result;
    VariantInit(&result);
    ASSERT_EQ(InvokeByName(pDispatch, L"CreateThickness", DISPATCH_METHOD, args, 4, &result), S_OK);
    ASSERT_EQ(V_VT(&result), VT_DISPATCH);
    auto* const pThickness = static_cast<CLVKMarkupThickness*>(LVKMarkupObjectFromUnknown(V_DISPATCH(&result), FALSE));
    ASSERT_NE(pThickness, nullptr);
    EXPECT_EQ(pThickness->m_nLeft, 4);
    EXPECT_EQ(pThickness->m_nBottom, 1);
    // The script owns the object's only reference.
    EXPECT_EQ(pThickness->GetRefCount(), 1u);
    VariantClear(&result);

    // A foreign object is refused; null is null.
    EXPECT_EQ(LVKMarkupObjectFromUnknown(nullptr, TRUE), nullptr);
    SCODE sc = S_OK;
    try
    {
        LVKMarkupObjectFromUnknown(pDispatch, FALSE);
    }
    catch (COleException* e)
    {
        sc = e->m_sc;
        e->Delete();
    }
    EXPECT_EQ(sc, E_INVALIDARG);

    // The context goes first: the object stays valid and only fails.
    MarkupReleaseContext(pContext);
    VariantInit(&result);
    EXPECT_TRUE(FAILED(InvokeByName(pDispatch, L"CreateThickness", DISPATCH_METHOD, args, 4, &result)));
    EXPECT_EQ(V_VT(&result), VT_EMPTY);
    pDispatch->Release();
}

TEST(MarkupAutomation, TheEnumeratorWalksItsCollection)
{
    MarkupContextHolder context;
    CLVKMarkupPanel* pPanel = MarkupCast<CLVKMarkupPanel>(
        context.Parse(L"<StackPanel><Border Name='a'/><Border Name='b'/><Border Name='c'/></StackPanel>"));
    ASSERT_NE(pPanel, nullptr);
    IUnknown* const pUnknown = pPanel->GetChildren()->OleNewEnum();
    IEnumVARIANT* pEnum = nullptr;
    ASSERT_EQ(pUnknown->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&pEnum)), S_OK);
    IDispatch* pNot = nullptr;
    EXPECT_EQ(pUnknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&pNot)), E_NOINTERFACE);
    pUnknown->Release();
    // The enumerator holds the collection: the tree may go first.
    pPanel->Release();

    auto names = [](VARIANT* pItems, ULONG nCount)
    {
        std::wstring text;
        for (ULONG i = 0; i < nCount; ++i)
        {
            CLVKMarkupObject* const pItem = LVKMarkupObjectFromUnknown(V_DISPATCH(&pItems[i]), FALSE);
            text += pItem && pItem->GetNameText() ? pItem->GetNameText() : L"?";
            VariantClear(&pItems[i]);
        }
        return text;
    };
    VARIANT items[2];
    ULONG nFetched = 99;
    EXPECT_EQ(pEnum->Next(2, items, &nFetched), S_OK);
    EXPECT_EQ(names(items, nFetched), L"ab");
    EXPECT_EQ(pEnum->Next(2, items, &nFetched), S_FALSE);
    EXPECT_EQ(names(items, nFetched), L"c");

    EXPECT_EQ(pEnum->Reset(), S_OK);
    EXPECT_EQ(pEnum->Skip(1), S_OK);
    IEnumVARIANT* pClone = nullptr;
    ASSERT_EQ(pEnum->Clone(&pClone), S_OK);
    EXPECT_EQ(pClone->Next(1, items, &nFetched), S_OK);
    EXPECT_EQ(names(items, nFetched), L"b");
    pClone->Release();

    // Skipping past the end leaves the enumerator at the end, not on the
    // last item.
    EXPECT_EQ(pEnum->Skip(5), S_FALSE);
    EXPECT_EQ(pEnum->Next(1, items, &nFetched), S_FALSE);
    EXPECT_EQ(nFetched, 0u);
    EXPECT_EQ(pEnum->Release(), 0u);
}

TEST(MarkupAutomation, TooltipsComeFromTheElementUnderTheMouse)
{
    HWND hWnd = CreateAutomationHost();
    ASSERT_NE(hWnd, nullptr);
    {
        MarkupContextHolder context(hWnd);
        std::wstring error;
        ElementHolder root(context.Parse(L"<Border Background='White' ToolTip='outer tip'>"
                                         L"<Border Name='inner' Margin='10,20,30,40' Background='Red'/></Border>",
                                         &error));
        ASSERT_TRUE(root) << error;
        MarkupSurface surface(100, 100);
        surface.Render(root.Get());

        TOOLINFOW ti = {};
        ti.cbSize = TTTOOLINFOW_V1_SIZE;
        // Nothing under the mouse yet: no tool, whatever the point.
        EXPECT_EQ(context->HitTestToolTip(CPoint(50, 50), &ti), -1);

        LRESULT lResult = 0;
        MarkupRelayElementMessage(root.Get(), WM_MOUSEMOVE, 0, MAKELPARAM(50, 50), &lResult);
        ASSERT_EQ(context->GetMouseOverElement(), root->FindName(L"inner"));
        // The inner element has no tooltip: its parent's text and rectangle.
        const INT_PTR nTool = context->GetToolTipContext()->HitTestTool(CWnd::FromHandle(hWnd), CPoint(50, 50), &ti);
        EXPECT_EQ(nTool, reinterpret_cast<INT_PTR>(root.Get()));
        EXPECT_EQ(ti.hwnd, hWnd);
        EXPECT_EQ(ti.uId, static_cast<UINT_PTR>(nTool));
        EXPECT_EQ(ti.rect.right - ti.rect.left, 100);
        ASSERT_NE(ti.lpszText, nullptr);
        EXPECT_STREQ(ti.lpszText, L"outer tip");
        HeapFree(GetProcessHeap(), 0, ti.lpszText);
        EXPECT_EQ(context->GetToolTipContext()->GetStyle(), lvkTipMarkup);

        // A tooltip that is no text gives no tool.
        MarkupCast<CLVKMarkupInputElement>(root.Get())
            ->SetValue(CLVKMarkupInputElement::m_pToolTipProperty, new CLVKMarkupThickness(1));
        TOOLINFOW none = {};
        none.cbSize = TTTOOLINFOW_V1_SIZE;
        EXPECT_EQ(context->HitTestToolTip(CPoint(50, 50), &none), -1);
        EXPECT_EQ(none.lpszText, nullptr);
    }
    DestroyWindow(hWnd);
}

TEST(MarkupAutomation, MaskColourAndImageManager)
{
    MarkupContextHolder context;
    CLVKImageManager* const pGlobal = CLVKImageManager::GetGlobal();
    EXPECT_EQ(context->GetImageManager(), pGlobal);
    const COLORREF clrGlobal = pGlobal->GetMaskColor() == 0xFFFFFFFF ? RGB(0, 255, 0) : pGlobal->GetMaskColor();
    EXPECT_EQ(context->GetMaskColor(), clrGlobal);

    auto* const pManager = new CLVKImageManager();
    pManager->SwapMaskColor(RGB(1, 2, 3));
    context->SetImageManager(pManager->GetControllingUnknown());
    pManager->InternalRelease();  // the context keeps it
    EXPECT_EQ(context->GetImageManager(), pManager);
    EXPECT_EQ(context->GetMaskColor(), RGB(1, 2, 3));
    context->SetMaskColor(RGB(4, 5, 6));
    EXPECT_EQ(context->GetMaskColor(), RGB(4, 5, 6));
    context->SetMaskColor(0xFFFFFFFF);

    // Something that is no image manager is refused and changes nothing.
    SCODE sc = S_OK;
    try
    {
        context->SetImageManager(context->GetInternalDispatch()->GetControllingUnknown());
    }
    catch (COleException* e)
    {
        sc = e->m_sc;
        e->Delete();
    }
    EXPECT_EQ(sc, E_INVALIDARG);
    EXPECT_EQ(context->GetImageManager(), pManager);
    context->SetImageManager(nullptr);
    EXPECT_EQ(context->GetImageManager(), pGlobal);
    EXPECT_EQ(context->GetMaskColor(), clrGlobal);
}

TEST(MarkupAutomation, BorderMembersDrawWhatScriptsSet)
{
    MarkupContextHolder context;
    std::wstring error;
    ElementHolder root(context.Parse(
        std::wstring(L"<Border") + kLvk +
            L" Name='frame' Background='White'><Border Name='inner'><Border Name=''/></Border><lvk:Script>\n"
            L"function fails(f) { try { f(); return 'no error'; } catch (e) { return 'error'; } }\n"
            L"function Dress() {\n"
            L"  var log = [frame.Child.Name, frame.BorderBrush === null];\n"
            L"  frame.BorderThickness = MarkupContext.CreateThickness(5, 5, 5, 5);\n"
            L"  frame.BorderBrush = MarkupContext.CreateSolidBrush(0x0000FF);\n"
            L"  frame.Padding = MarkupContext.CreateThickness(1, 1, 1, 1);\n"
            L"  log.push(frame.BorderThickness.Left, frame.Padding.Top);\n"
            L"  log.push(fails(function () { frame.Child = frame; }), fails(function () { frame.Child = "
            L"MarkupContext; }));\n"
            L"  var fill = MarkupContext.CreateObject('Border');\n"
            L"  fill.Background = MarkupContext.CreateSolidBrush(0x00FF00);\n"
            L"  frame.Child = fill; log.push(frame.Child === fill, inner.VisualParent === null);\n"
            L"  return log.join(',');\n"
            L"}\n"
            L"</lvk:Script></Border>",
        &error));
    ASSERT_TRUE(root) << error;
    EXPECT_EQ(CallScript(context.Get(), L"Dress"), L"inner,true,5,1,error,error,true,true");
    MarkupSurface surface(40, 40);
    surface.Render(root.Get());
    EXPECT_EQ(surface.Pixel(2, 20), RGB(255, 0, 0));      // the frame
    EXPECT_EQ(surface.Pixel(5, 20), RGB(255, 255, 255));  // the padding
    EXPECT_EQ(surface.Pixel(20, 20), RGB(0, 255, 0));     // the new child
    context->ResetScript();
}

TEST(MarkupAutomation, PanelGridCanvasAndShapeMembers)
{
    MarkupContextHolder context;
    std::wstring error;
    ElementHolder root(context.Parse(
        std::wstring(L"<StackPanel Name='stack' Orientation='Horizontal'") + kLvk +
            L"><DockPanel Name='dock' LastChildFill='False'><Border Name='d1' DockPanel.Dock='Top'/></DockPanel>"
            L"<WrapPanel Name='wrap'/>"
            L"<Grid Name='grid'><Grid.ColumnDefinitions><ColumnDefinition Width='2*'/>"
            L"<ColumnDefinition Width='40' MinWidth='5'/></Grid.ColumnDefinitions>"
            L"<Border Name='g1' Grid.Column='1'/></Grid>"
            L"<Canvas Name='canvas' Width='30' Height='30'><Border Name='c1' Canvas.Left='7' Width='5' Height='5' "
            L"Background='Red'/></Canvas>"
            L"<Line Name='line' X1='1' X2='2' Y1='3' Y2='4' Stroke='Red'/>"
            L"<Rectangle Name='rect' RadiusX='5' Fill='Blue' StrokeDashArray='1 2'/>"
            L"<lvk:Script>"
            L"var cols = grid.ColumnDefinitions;\n"
            L"function Read() {\n"
            L"  return [stack.Orientation, wrap.Orientation, dock.LastChildFill, dock.GetDock(d1), grid.GetColumn(g1),\n"
            L"          grid.GetColumnSpan(g1), grid.GetRow(g1), cols.Count, cols.Item(0).Width, cols.Item(0).UnitType,\n"
            L"          cols.Item(1).Width, cols.Item(1).MinWidth, cols.Item(1).MaxWidth, grid.RowDefinitions.Count,\n"
            L"          canvas.GetLeft(c1), canvas.GetTop(c1), line.X1, line.X2, line.Y1, line.Y2, line.StrokeThickness,\n"
            L"          rect.RadiusX, rect.RadiusY, rect.StrokeLineJoin, (rect.Fill != null), rect.StrokeDashArray.Count\n"
            L"         ].join('|');\n"
            L"}\n"
            L"function Write() {\n"
            L"  dock.SetDock(d1, 2); grid.SetColumn(g1, 0); grid.SetRowSpan(g1, 3); canvas.SetTop(c1, 9);\n"
            L"  cols.Item(0).Width = 30; cols.Item(1).UnitType = 2; line.X2 = 50; rect.Stroke = rect.Fill;\n"
            L"  rect.StrokeThickness = 3; wrap.Orientation = 1;\n"
            L"  return [dock.GetDock(d1), grid.GetColumn(g1), grid.GetRowSpan(g1), canvas.GetTop(c1), cols.Item(0).Width,\n"
            L"          cols.Item(0).UnitType, cols.Item(1).Width, cols.Item(1).UnitType, line.X2, (rect.Stroke != null),\n"
            L"          rect.StrokeThickness, wrap.Orientation].join('|');\n"
            L"}\n"
            L"function PassNoElement() { try { grid.GetColumn(5); return 'read'; } catch (e) { return 'refused'; } }\n"
            L"</lvk:Script></StackPanel>",
        &error));
    ASSERT_TRUE(root) << error;
    EXPECT_EQ(CallScript(context.Get(), L"Read"),
              L"0|0|false|1|1|1|0|2|2|2|40|5|2147483647|0|7|0|1|2|3|4|1|5|0|0|true|2");
    EXPECT_EQ(CallScript(context.Get(), L"Write"), L"2|0|3|9|30|1|40|2|50|true|3|1");
    EXPECT_EQ(CallScript(context.Get(), L"PassNoElement"), L"refused");

    // The canvas places its child where the script put it.
    auto* const pCanvas = MarkupCast<CLVKMarkupCanvas>(root->FindName(L"canvas"));
    ASSERT_NE(pCanvas, nullptr);
    MarkupSurface surface(30, 30);
    surface.Render(pCanvas);
    EXPECT_EQ(surface.Pixel(8, 10), RGB(255, 0, 0));
    EXPECT_EQ(surface.Pixel(8, 3), RGB(255, 255, 255));
}
