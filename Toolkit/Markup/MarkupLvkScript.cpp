#include "Markup/MarkupLvkScript.h"

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

void CLVKMarkupLvkScript::OnBuildComplete(CLVKMarkupBuilder* pBuilder)
{
    auto* const pSource = MarkupCast<CLVKMarkupString>(GetValue(m_pSourceProperty));
    if (!pSource)
    {
        return;
    }
    // A plain path or a file:// path relative to the program's folder.
    std::wstring strPath = pSource->GetString();
    if (strPath.compare(0, 7, L"file://") == 0)
    {
        wchar_t szModule[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, szModule, MAX_PATH);
        std::wstring strFolder = szModule;
        strFolder = strFolder.substr(0, strFolder.find_last_of(L"\\/") + 1);
        strPath = strFolder + strPath.substr(7);
    }
    HANDLE hFile = CreateFileW(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
    {
        MarkupThrowComError(HRESULT_FROM_WIN32(GetLastError()));
    }
    LARGE_INTEGER size = {};
    std::vector<BYTE> bytes;
    DWORD nError = 0;
    if (!GetFileSizeEx(hFile, &size) || size.QuadPart > 0x7FFFFFFE)
    {
        nError = ERROR_OPEN_FAILED;
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
    const std::wstring strText = MarkupDecodeText(bytes.data(), bytes.size());
    if (!strText.empty())
    {
        pBuilder->GetContext()->AddScript(GetLanguage(), strText.c_str());
    }
}
