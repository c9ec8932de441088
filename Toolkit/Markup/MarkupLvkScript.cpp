#include "Markup/MarkupLvkScript.h"

#include "Foundation/StreamLocation.h"
#include "Markup/MarkupBuilder.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupParser.h"
#include "Markup/MarkupString.h"

#include <vector>

CLVKMarkupDependencyProperty* CLVKMarkupLvkScript::m_pLanguageProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupLvkScript::m_pSourceProperty = nullptr;

LVK_IMPLEMENT_MARKUP_TYPE(CLVKMarkupExtension, L"", CLVKMarkupObject::GetMarkupType(), nullptr, nullptr)
LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupLvkScript, L"lvk:Script", CLVKMarkupExtension::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupLvkScript(); }, &CLVKMarkupLvkScript::RegisterProperties)

void AFX_CDECL CLVKMarkupLvkScript::RegisterProperties()
{
    m_pLanguageProperty =
        CLVKMarkupDependencyProperty::Register(L"Language", CLVKMarkupString::GetMarkupType(), GetMarkupType());
    m_pSourceProperty =
        CLVKMarkupDependencyProperty::Register(L"Source", CLVKMarkupString::GetMarkupType(), GetMarkupType());
}

LPCWSTR CLVKMarkupLvkScript::GetLanguage() const
{
    auto* const pLanguage = MarkupCast<CLVKMarkupString>(GetValue(m_pLanguageProperty));
    return pLanguage ? pLanguage->GetText() : L"JScript";
}

void CLVKMarkupLvkScript::SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent)
{
    auto* const pText = MarkupCast<CLVKMarkupString>(pContent);
    if (!pText)
    {
        CLVKMarkupExtension::SetContentObject(pBuilder, pContent);
        return;
    }
    if (GetValue(m_pSourceProperty))
    {
        MarkupThrowError(L"lvk:Script does not allow combining script source and content");
    }
    pBuilder->GetContext()->AddScript(GetLanguage(), pText->GetText());
}

namespace
{

// The text of a script buffer; an empty buffer gives an empty text.
std::wstring DecodeScript(const BYTE* pBytes, size_t nLength)
{
    if (nLength > 0x7FFFFFFE)
    {
        MarkupThrowComError(HRESULT_FROM_WIN32(ERROR_BUFFER_OVERFLOW));
    }
    return nLength ? MarkupDecodeText(pBytes, nLength) : std::wstring();
}

std::wstring ReadScriptFile(LPCWSTR lpszPath)
{
    HANDLE hFile = CreateFileW(lpszPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
    {
        MarkupThrowComError(HRESULT_FROM_WIN32(GetLastError()));
    }
    LARGE_INTEGER size = {};
    std::vector<BYTE> bytes;
    DWORD nError = 0;
    if (!GetFileSizeEx(hFile, &size) || size.QuadPart > 0x7FFFFFFE)
    {
        nError = ERROR_BUFFER_OVERFLOW;
    }
    else
    {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD nRead = 0;
        if (!bytes.empty() && (!ReadFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &nRead, nullptr) ||
                               nRead != bytes.size()))
        {
            nError = GetLastError() ? GetLastError() : ERROR_READ_FAULT;
        }
    }
    CloseHandle(hFile);
    if (nError)
    {
        MarkupThrowComError(HRESULT_FROM_WIN32(nError));
    }
    return DecodeScript(bytes.data(), bytes.size());
}

// The resource's text; the module is loaded as data only and freed again.
std::wstring ReadScriptResource(const LVKStreamLocation& location)
{
    HMODULE hModule =
        LoadLibraryExW(location.szPath, nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE | LOAD_LIBRARY_AS_DATAFILE);
    if (!hModule)
    {
        MarkupThrowComError(HRESULT_FROM_WIN32(GetLastError()));
    }
    DWORD nError = 0;
    std::wstring strText;
    HRSRC hResource =
        location.lpszResType ? FindResourceW(hModule, location.lpszResName, location.lpszResType) : nullptr;
    HGLOBAL hData = hResource ? LoadResource(hModule, hResource) : nullptr;
    const BYTE* pBytes = hData ? static_cast<const BYTE*>(LockResource(hData)) : nullptr;
    if (!pBytes)
    {
        nError = location.lpszResType ? GetLastError() : ERROR_RESOURCE_TYPE_NOT_FOUND;
        if (!nError)
        {
            nError = ERROR_RESOURCE_DATA_NOT_FOUND;
        }
    }
    else
    {
        const DWORD nSize = SizeofResource(hModule, hResource);
        // Copied before the module goes.
        std::vector<BYTE> bytes(pBytes, pBytes + nSize);
        FreeLibrary(hModule);
        hModule = nullptr;
        strText = DecodeScript(bytes.data(), bytes.size());
    }
    if (hModule)
    {
        FreeLibrary(hModule);
    }
    if (nError)
    {
        MarkupThrowComError(HRESULT_FROM_WIN32(nError));
    }
    return strText;
}

}  // namespace

void CLVKMarkupLvkScript::OnBuildComplete(CLVKMarkupBuilder* pBuilder)
{
    auto* const pSource = MarkupCast<CLVKMarkupString>(GetValue(m_pSourceProperty));
    if (!pSource)
    {
        return;
    }
    // "file://" relative to the program's folder, "res://module/type/name",
    // or a plain path.
    LVKStreamLocation location;
    const HRESULT hr = LVKParseStreamUrl(pSource->GetText(), &location);
    if (FAILED(hr))
    {
        MarkupThrowComError(hr);
    }
    const std::wstring strText = location.nKind == LVKStreamLocation::kindResource ? ReadScriptResource(location)
                                                                                   : ReadScriptFile(location.szPath);
    if (!strText.empty())
    {
        pBuilder->GetContext()->AddScript(GetLanguage(), strText.c_str());
    }
}
