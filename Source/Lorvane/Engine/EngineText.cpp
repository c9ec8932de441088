#include "EngineText.h"

#include "Foundation/ResourceManager.h"

namespace
{

CString LoadBuiltInText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

}  // namespace

CString LoadEngineText(UINT id)
{
    // Through the resource manager, so that a language file's text is used.
    CString text;
    if (!CLVKResourceManager::GetGlobal()->LoadString(&text, id))
        text.Empty();
    return text;
}

int ShowEngineMessage(LPCWSTR text, UINT type)
{
    return AfxMessageBox(text, type);
}

CString FormatPlaceholders(LPCWSTR format)
{
    CString letters;
    if (!format)
        return letters;
    for (const wchar_t* p = format; *p; ++p)
    {
        if (*p != L'%')
            continue;
        ++p;
        if (*p == L'%')
            continue;
        // Flags, width, precision and size prefixes come before the letter; a
        // "*" takes an argument of its own.
        while (*p && wcschr(L"-+ #0123456789.*hlLIwqjzt", *p))
        {
            if (*p == L'*')
                letters += L'*';
            ++p;
        }
        if (!*p)
            break;
        letters += *p;
    }
    return letters;
}

CString FormatEngineText(UINT id, ...)
{
    CString format = LoadEngineText(id);
    const CString builtIn = LoadBuiltInText(id);
    if (FormatPlaceholders(format) != FormatPlaceholders(builtIn))
        format = builtIn;

    va_list args;
    va_start(args, id);
    CString text;
    text.FormatV(format, args);
    va_end(args);
    return text;
}
