// The markup fixture files of the element tests (copied beside the test
// programs into "MarkupFixtures") and the pixels each must draw through the
// GDI device at its size: shared by the in-process pixel tests and the
// MarkupRender tests.
#pragma once

#include "ChildProcess.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

// Which device a probe holds for: pictures that only GDI+ reads, or that
// the devices key differently, have probes of their own per device.
enum MarkupFixtureDevice
{
    fixtureBothDevices = 0,
    fixtureGdiOnly = 1,
    fixtureGdiPlusOnly = 2,
};

struct MarkupFixtureProbe
{
    int x, y;
    COLORREF color;
    int device = fixtureBothDevices;

    bool AppliesTo(bool bGdiPlus) const
    {
        return device == fixtureBothDevices || device == (bGdiPlus ? fixtureGdiPlusOnly : fixtureGdiOnly);
    }
};

struct MarkupFixtureCase
{
    const wchar_t* file;
    int width, height;
    std::vector<MarkupFixtureProbe> probes;
};

inline std::wstring MarkupFixturePath(const wchar_t* file)
{
    return ProgramPath(std::wstring(L"MarkupFixtures\\") + file);
}

// The text of a UTF-8 fixture (a byte-order mark is dropped); empty when the
// file cannot be read.
inline std::wstring ReadMarkupFixture(const wchar_t* file)
{
    FILE* const stream = _wfopen(MarkupFixturePath(file).c_str(), L"rb");
    if (!stream)
    {
        return std::wstring();
    }
    std::string bytes;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof(buffer), stream)) > 0;)
    {
        bytes.append(buffer, n);
    }
    fclose(stream);
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
    {
        bytes.erase(0, 3);
    }
    std::wstring text(bytes.size(), L'\0');
    text.resize(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0],
                                    static_cast<int>(text.size())));
    return text;
}

const std::vector<MarkupFixtureCase>& MarkupPanelFixtureCases();
const std::vector<MarkupFixtureCase>& MarkupShapeFixtureCases();
const std::vector<MarkupFixtureCase>& MarkupControlFixtureCases();
const std::vector<MarkupFixtureCase>& MarkupTextImageFixtureCases();
const std::vector<MarkupFixtureCase>& MarkupElementFixtureCases();

// Renders every case in process, through the GDI device or (when GDI+ has
// been started) the GDI+ device, and checks the probes for that device.
void ExpectMarkupFixturePixels(const std::vector<MarkupFixtureCase>& cases, bool bGdiPlus);
