// The current resource theme: the values of its INI text (a "TEXTFILE"
// resource) in a table keyed by a hash of section and key, typed queries over
// them, and the theme's pictures, loaded on demand from the same module.
#pragma once

#include "CmdTarget.h"

#include <map>
#include <memory>
#include <string>
#include <unordered_map>

class CLVKNotifyConnection;
class CLVKResourceImage;

class CLVKResourceImages : public CLVKCmdTarget
{
public:
    static CLVKResourceImages* AFX_CDECL GetGlobal();

    // Loads the default INI of the program's module at once.
    CLVKResourceImages();
    ~CLVKResourceImages() override;

    // A null module means the executable for the INI (images are then not
    // loaded); a null name asks for the default INI. True when an INI
    // resource was found and read.
    BOOL LoadTheme(HMODULE hModule, LPCWSTR lpszIniName, BOOL bOwnsModule);
    void ResetTheme();
    BOOL IsLoaded() const { return !m_values.empty(); }
    // Reads one INI text into the table (added to what is there).
    void ParseIniText(const char* pText, DWORD nSize);

    CString GetValue(LPCWSTR lpszSection, LPCWSTR lpszKey) const;
    COLORREF GetColorValue(LPCWSTR lpszSection, LPCWSTR lpszKey, COLORREF clrDefault) const;
    int GetIntValue(LPCWSTR lpszSection, LPCWSTR lpszKey, int nDefault) const;
    CString GetStringValue(LPCWSTR lpszSection, LPCWSTR lpszKey, LPCWSTR lpszDefault) const;
    CRect GetRectValue(LPCWSTR lpszSection, LPCWSTR lpszKey, const CRect& rcDefault) const;
    CSize GetSizeValue(LPCWSTR lpszSection, LPCWSTR lpszKey, const CSize& szDefault) const;

    // The cached picture of that name, loaded on first request; null when
    // the module has no such picture.
    CLVKResourceImage* GetImage(LPCWSTR lpszName);
    CLVKNotifyConnection* GetConnection();
    HMODULE GetModule() const { return m_hModule; }
    const CString& GetThemeName() const { return m_strThemeName; }
    BOOL IsPremultiplyImages() const { return m_bPremultiplyImages; }

    // The shared 32-bit bitmap, square with a power-of-two side of at least
    // the size asked for; it only grows.
    HBITMAP GetSharedBitmap(int cx, int cy, BYTE** ppBits, int* pnSide);
    CDC* GetDrawingDC() { return &m_drawingDC; }
    CRITICAL_SECTION* GetLock() { return &m_lock; }

    // h = h x 33 + towupper(c) over the section's and the key's characters.
    static DWORD AFX_CDECL HashKey(LPCWSTR lpszSection, LPCWSTR lpszKey);

    CLVKResourceImages(const CLVKResourceImages&) = delete;
    CLVKResourceImages& operator=(const CLVKResourceImages&) = delete;

private:
    void ReleaseImages();
    void ParseLine(CString strLine, CString& strSection);

    CString m_strThemeName;
    HMODULE m_hModule = nullptr;
    BOOL m_bOwnsModule = FALSE;
    CRITICAL_SECTION m_lock{};
    BOOL m_bPremultiplyImages = FALSE;
    CDC m_drawingDC;
    HBITMAP m_hSharedBitmap = nullptr;
    BYTE* m_pSharedBits = nullptr;
    int m_nSharedSide = 0;
    CLVKNotifyConnection* m_pConnection = nullptr;
    std::unordered_map<DWORD, CString> m_values;
    std::map<std::wstring, std::unique_ptr<CLVKResourceImage>> m_images;
};

// The global theme's values once a theme has been asked for by name; the
// defaults before that, although the default INI is loaded.
COLORREF AFX_CDECL GetResourceImageColor(LPCWSTR lpszSection, LPCWSTR lpszKey, COLORREF clrDefault);
int AFX_CDECL GetResourceImageInt(LPCWSTR lpszSection, LPCWSTR lpszKey, int nDefault);
CString AFX_CDECL GetResourceImageString(LPCWSTR lpszSection, LPCWSTR lpszKey, LPCWSTR lpszDefault);
CRect AFX_CDECL GetResourceImageRect(LPCWSTR lpszSection, LPCWSTR lpszKey, const CRect& rcDefault);
CSize AFX_CDECL GetResourceImageSize(LPCWSTR lpszSection, LPCWSTR lpszKey, const CSize& szDefault);
