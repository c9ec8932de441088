// "lvk:Script": JScript inside markup, its errors, and handler names that
// reach the script's functions.
#include "MarkupTestSupport.h"

#include "Markup/MarkupMouseEventArgs.h"

namespace
{

const wchar_t kScriptNamespace[] = L" xmlns:lvk='urn:lorvane-markup' ";

// A global variable of the running script, as an integer (-1 when unset).
int ScriptGlobal(CLVKMarkupContext* pContext, LPCWSTR lpszName)
{
    IDispatch* const pGlobal = pContext->GetScriptDispatch();
    if (!pGlobal)
    {
        return -1;
    }
    DISPID dispid = 0;
    LPOLESTR name = const_cast<LPOLESTR>(lpszName);
    if (FAILED(pGlobal->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &dispid)))
    {
        return -1;
    }
    DISPPARAMS none = {};
    VARIANT result;
    VariantInit(&result);
    if (FAILED(pGlobal->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result, nullptr,
                               nullptr)) ||
        FAILED(VariantChangeType(&result, &result, 0, VT_I4)))
    {
        VariantClear(&result);
        return -1;
    }
    return result.lVal;
}

}  // namespace

TEST(MarkupScripts, HandlerNamesCallTheScriptsFunctions)
{
    MarkupContextHolder context;
    std::wstring error;
    ElementHolder root(context.Parse(std::wstring(L"<Border") + kScriptNamespace +
                                         L" MouseLeftButtonDown='OnDown'><lvk:Script>var clicks = 0;\n"
                                         L"function OnDown(sender, args) { clicks = clicks + 1; }</lvk:Script>"
                                         L"</Border>",
                                     &error));
    ASSERT_TRUE(root) << error;
    EXPECT_EQ(ScriptGlobal(context.Get(), L"clicks"), 0);
    CLVKMarkupAutoPtr<CLVKMarkupMouseButtonEventArgs> pArgs(
        new CLVKMarkupMouseButtonEventArgs(CLVKMarkupInputElement::m_pMouseLeftButtonDownEvent, root.Get()));
    root->RaiseEvent(pArgs);
    root->RaiseEvent(pArgs);
    EXPECT_EQ(ScriptGlobal(context.Get(), L"clicks"), 2);
}

TEST(MarkupScripts, ScriptErrorsEndTheBuild)
{
    MarkupContextHolder context;
    const std::wstring open = std::wstring(L"<Border") + kScriptNamespace + L">";
    const std::wstring syntax = context.ErrorOf(open + L"<lvk:Script>function (</lvk:Script></Border>");
    EXPECT_EQ(syntax.rfind(L"Script error [0x", 0), 0u) << syntax;
    const std::wstring thrown =
        context.ErrorOf(open + L"<lvk:Script>throw new Error('stop here');</lvk:Script></Border>");
    EXPECT_EQ(thrown.rfind(L"Script error [0x", 0), 0u) << thrown;
    EXPECT_EQ(context.ErrorOf(open + L"<lvk:Script>var a = 1;</lvk:Script><lvk:Script "
                                     L"Language='VBScript'>Dim b</lvk:Script></Border>"),
              L"'VBScript' script engine is not allowed to use when 'JScript' is already used.");
    EXPECT_EQ(context.ErrorOf(open + L"<lvk:Script Source='x.js'>var a;</lvk:Script></Border>"),
              L"lvk:Script does not allow combining script source and content");
    const std::wstring missing = context.ErrorOf(open + L"<lvk:Script Source='c:\\no\\such\\file.js'/></Border>");
    EXPECT_NE(missing, L"Done.");
    EXPECT_EQ(context.ErrorOf(open + L"<lvk:Script>var ok = 1;</lvk:Script></Border>"), L"Done.");
}

TEST(MarkupScripts, SourcesFromResourcesAndFiles)
{
    MarkupContextHolder context;
    const std::wstring open = std::wstring(L"<Border") + kScriptNamespace + L"><lvk:Script Source='";
    const std::wstring close = L"'/></Border>";
    // The test program's own resource, by name alone (type from the
    // extension) and with the module and type written out.
    for (const wchar_t* lpszSource : {L"res://clicks.js", L"res://./JS/CLICKS.JS"})
    {
        std::wstring error;
        ElementHolder root(context.Parse(open + lpszSource + close, &error));
        ASSERT_TRUE(root) << error;
        EXPECT_EQ(ScriptGlobal(context.Get(), L"resourceNumber"), 42) << lpszSource;
    }
    for (const wchar_t* lpszSource : {L"res://nothing.js", L"res://./JS/NOTHING", L"res://no-such-module.dll/JS/X"})
    {
        const std::wstring error = context.ErrorOf(open + lpszSource + close);
        EXPECT_NE(error, L"Done.") << lpszSource;
        EXPECT_FALSE(error.empty()) << lpszSource;
    }

    // A plain absolute path, in UTF-8 with a byte-order mark.
    wchar_t szFolder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, szFolder);
    wchar_t szPath[MAX_PATH] = {};
    GetTempFileNameW(szFolder, L"mks", 0, szPath);
    const char kText[] = "\xEF\xBB\xBFvar fromFile = 7;";
    HANDLE hFile = CreateFileW(szPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(hFile, INVALID_HANDLE_VALUE);
    DWORD nWritten = 0;
    WriteFile(hFile, kText, sizeof(kText) - 1, &nWritten, nullptr);
    CloseHandle(hFile);
    std::wstring error;
    ElementHolder root(context.Parse(open + szPath + close, &error));
    DeleteFileW(szPath);
    ASSERT_TRUE(root) << error;
    EXPECT_EQ(ScriptGlobal(context.Get(), L"fromFile"), 7);
    context->ResetScript();
}
