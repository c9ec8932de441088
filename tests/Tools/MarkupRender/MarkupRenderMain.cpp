// MarkupRender: renders a markup file to a PNG, so that the markup engine
// can be checked from outside.
//   MarkupRender.exe [--device gdi|gdiplus] [--size WxH] [--dpi N]
//                    [--background #RRGGBB] [--time] INPUT OUTPUT.png
// Exit codes: 0 rendered, 1 markup error, 2 bad arguments or files.
#include "Foundation/DpiScaling.h"
#include "Markup/MarkupBuilder.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupDrawingContext.h"
#include "Markup/MarkupGdiPlusDeviceContext.h"
#include "Markup/MarkupParser.h"
#include "Markup/MarkupUIElement.h"
#include "Markup/MarkupValueConverters.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace
{

// A DPI helper that plays a screen of the given DPI.
class CFixedDpiScaling : public CLVKDpiScaling
{
public:
    explicit CFixedDpiScaling(int nDpi) : m_nDpi(nDpi) {}

protected:
    int QueryDeviceDpi(HDC, int) override { return m_nDpi; }

private:
    int m_nDpi;
};

struct Options
{
    int nWidth = 200;
    int nHeight = 200;
    int nDpi = 0;
    COLORREF clrBackground = RGB(255, 255, 255);
    BOOL bTime = FALSE;
    BOOL bGdiPlus = FALSE;
    std::wstring strInput;
    std::wstring strOutput;
};

int Usage(const char* pszMessage)
{
    fprintf(stderr,
            "%s\nusage: MarkupRender.exe [--device gdi|gdiplus] [--size WxH] [--dpi N] "
            "[--background #RRGGBB] [--time] INPUT OUTPUT.png\n",
            pszMessage);
    return 2;
}

std::string Narrow(LPCWSTR lpszText)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, lpszText, -1, nullptr, 0, nullptr, nullptr);
    std::string str(n > 0 ? n - 1 : 0, '\0');
    if (n > 1)
    {
        WideCharToMultiByte(CP_UTF8, 0, lpszText, -1, &str[0], n, nullptr, nullptr);
    }
    return str;
}

BOOL ReadFileBytes(const std::wstring& strPath, std::vector<BYTE>& bytes)
{
    HANDLE hFile = CreateFileW(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
    {
        return FALSE;
    }
    LARGE_INTEGER size = {};
    BOOL bOk = GetFileSizeEx(hFile, &size) && size.QuadPart < 0x10000000;
    if (bOk)
    {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD nRead = 0;
        bOk = bytes.empty() || (ReadFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &nRead, nullptr) &&
                                nRead == bytes.size());
    }
    CloseHandle(hFile);
    return bOk;
}

BOOL WritePng(const std::wstring& strPath, const DWORD* pPixels, int nWidth, int nHeight)
{
    FILE* pFile = _wfopen(strPath.c_str(), L"wb");
    if (!pFile)
    {
        return FALSE;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info)
    {
        png_destroy_write_struct(&png, &info);
        fclose(pFile);
        return FALSE;
    }
    std::vector<BYTE> row(static_cast<size_t>(nWidth) * 4);
    if (setjmp(png_jmpbuf(png)))
    {
        png_destroy_write_struct(&png, &info);
        fclose(pFile);
        return FALSE;
    }
    png_init_io(png, pFile);
    png_set_IHDR(png, info, nWidth, nHeight, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < nHeight; ++y)
    {
        const DWORD* const pRow = pPixels + static_cast<size_t>(y) * nWidth;
        for (int x = 0; x < nWidth; ++x)
        {
            // GDI leaves alpha at 0: every pixel drawn is opaque.
            row[x * 4 + 0] = static_cast<BYTE>(pRow[x] >> 16);
            row[x * 4 + 1] = static_cast<BYTE>(pRow[x] >> 8);
            row[x * 4 + 2] = static_cast<BYTE>(pRow[x]);
            row[x * 4 + 3] = 0xFF;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return fclose(pFile) == 0;
}

double Milliseconds(const LARGE_INTEGER& start, const LARGE_INTEGER& end, const LARGE_INTEGER& frequency)
{
    return (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    Options options;
    std::vector<std::wstring> positional;
    for (int i = 1; i < argc; ++i)
    {
        const std::wstring strArg = argv[i];
        const BOOL bHasValue = i + 1 < argc;
        if (strArg == L"--device")
        {
            if (!bHasValue)
            {
                return Usage("--device needs a value");
            }
            const std::wstring strDevice = argv[++i];
            if (strDevice != L"gdi" && strDevice != L"gdiplus")
            {
                return Usage("--device must be gdi or gdiplus");
            }
            options.bGdiPlus = strDevice == L"gdiplus";
        }
        else if (strArg == L"--size")
        {
            if (!bHasValue || swscanf(argv[++i], L"%dx%d", &options.nWidth, &options.nHeight) != 2 ||
                options.nWidth <= 0 || options.nHeight <= 0 || options.nWidth > 16384 || options.nHeight > 16384)
            {
                return Usage("--size must be WxH, each from 1 to 16384");
            }
        }
        else if (strArg == L"--dpi")
        {
            if (!bHasValue || (options.nDpi = _wtoi(argv[++i])) < 24 || options.nDpi > 960)
            {
                return Usage("--dpi must be a number from 24 to 960");
            }
        }
        else if (strArg == L"--background")
        {
            DWORD nColor = 0;
            if (!bHasValue || wcslen(argv[i + 1]) != 7 || !MarkupParseColor(argv[++i], nColor))
            {
                return Usage("--background must be #RRGGBB");
            }
            options.clrBackground = nColor & 0xFFFFFF;
        }
        else if (strArg == L"--time")
        {
            options.bTime = TRUE;
        }
        else if (strArg.size() > 1 && strArg[0] == L'-' && strArg[1] == L'-')
        {
            return Usage("unknown option");
        }
        else
        {
            positional.push_back(strArg);
        }
    }
    if (positional.size() != 2)
    {
        return Usage("INPUT and OUTPUT.png are needed");
    }
    options.strInput = positional[0];
    options.strOutput = positional[1];

    std::vector<BYTE> bytes;
    if (!ReadFileBytes(options.strInput, bytes))
    {
        fprintf(stderr, "cannot read %s\n", Narrow(options.strInput.c_str()).c_str());
        return 2;
    }
    const std::wstring strText = MarkupDecodeText(bytes.data(), bytes.size());

    LARGE_INTEGER frequency = {}, t0 = {}, t1 = {}, t2 = {}, t3 = {}, t4 = {};
    QueryPerformanceFrequency(&frequency);

    if (options.bGdiPlus)
    {
        MarkupGdiPlusStartup(TRUE);
    }
    CLVKMarkupContext* pContext = new CLVKMarkupContext();
    pContext->EnableGdiPlus(options.bGdiPlus);
    if (options.nDpi)
    {
        pContext->SetDpiScaling(std::make_unique<CFixedDpiScaling>(options.nDpi));
    }
    int nExit = 0;
    {
        QueryPerformanceCounter(&t0);
        CLVKMarkupParser parser;
        const BOOL bParsed = parser.ParseText(strText.c_str(), strText.c_str() + strText.size());
        QueryPerformanceCounter(&t1);
        CLVKMarkupBuilder builder(pContext);
        CLVKMarkupUIElement* pRoot = bParsed ? builder.Parse(&parser) : nullptr;
        QueryPerformanceCounter(&t2);
        if (!pRoot)
        {
            CString strError = bParsed ? builder.GetErrorText() : parser.GetErrorText();
            if (!bParsed && parser.GetErrorCode() >= 0)
            {
                strError = L"the input is not markup (it must begin with '<')";
            }
            fprintf(stderr, "error: %s\n", Narrow(strError).c_str());
            nExit = 1;
        }
        else
        {
            BITMAPINFO bmi = {};
            bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
            bmi.bmiHeader.biWidth = options.nWidth;
            bmi.bmiHeader.biHeight = -options.nHeight;
            bmi.bmiHeader.biPlanes = 1;
            bmi.bmiHeader.biBitCount = 32;
            bmi.bmiHeader.biCompression = BI_RGB;
            void* pBits = nullptr;
            HDC hDC = CreateCompatibleDC(nullptr);
            HBITMAP hBitmap = CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
            if (!hDC || !hBitmap || !pBits)
            {
                fprintf(stderr, "cannot make a %dx%d bitmap\n", options.nWidth, options.nHeight);
                nExit = 2;
            }
            else
            {
                const HGDIOBJ hOld = SelectObject(hDC, hBitmap);
                const RECT rc = {0, 0, options.nWidth, options.nHeight};
                HBRUSH hBackground = CreateSolidBrush(options.clrBackground);
                FillRect(hDC, &rc, hBackground);
                DeleteObject(hBackground);
                {
                    CLVKMarkupDrawingContext dc(pContext, hDC);
                    pRoot->Measure(&dc, options.nWidth, options.nHeight);
                    pRoot->Arrange(rc);
                    QueryPerformanceCounter(&t3);
                    pRoot->Render(&dc);
                }
                GdiFlush();
                QueryPerformanceCounter(&t4);
                SelectObject(hDC, hOld);
                if (!WritePng(options.strOutput, static_cast<const DWORD*>(pBits), options.nWidth, options.nHeight))
                {
                    fprintf(stderr, "cannot write %s\n", Narrow(options.strOutput.c_str()).c_str());
                    nExit = 2;
                }
                else if (options.bTime)
                {
                    printf("parse %.3f ms\nbuild %.3f ms\nlayout %.3f ms\nrender %.3f ms\n",
                           Milliseconds(t0, t1, frequency), Milliseconds(t1, t2, frequency),
                           Milliseconds(t2, t3, frequency), Milliseconds(t3, t4, frequency));
                }
            }
            if (hBitmap)
            {
                DeleteObject(hBitmap);
            }
            if (hDC)
            {
                DeleteDC(hDC);
            }
            pRoot->Release();
        }
    }
    pContext->Release();
    if (options.bGdiPlus)
    {
        MarkupGdiPlusStartup(FALSE);
    }
    fflush(stdout);
    fflush(stderr);
    return nExit;
}
