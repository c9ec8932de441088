// The packed markup styles of the frame, command-bar and ribbon themes: the
// ZIP archive carried as resource "XAML_STYLE" of type "STYLE". A missing or
// damaged archive is not an error: the themes then draw without their markup
// parts, so every query simply answers "nothing".
#pragma once

#include "Resource.h"
#include "ZipReader.h"

class CLVKPackedStyles
{
public:
    CLVKPackedStyles() = default;
    ~CLVKPackedStyles();

    // From the module's resource (the program's own module when null); false
    // when the resource is missing or is no readable archive.
    BOOL Open(HMODULE hModule);
    void Close();
    BOOL IsOpen() const { return m_hZip != nullptr; }

    // The entry's text (name compared without case); false, and empty text,
    // when there is no archive, no such entry or the entry is damaged.
    BOOL GetText(LPCWSTR lpszName, CStringA& strText);

    CLVKPackedStyles(const CLVKPackedStyles&) = delete;
    CLVKPackedStyles& operator=(const CLVKPackedStyles&) = delete;

private:
    CLVKResource m_resource;
    ZipReaderHandle* m_hZip = nullptr;
};
