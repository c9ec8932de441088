#include "LanguageInfo.h"

namespace
{

const LVK_LANGUAGE_INFO kLanguages[] = {
    {0x0419, 1251, L"windows-1251", L"Russian", L"LANG_RUSSIAN", L"SUBLANG_DEFAULT", 204},
    {0x0411, 932, L"shift-jis", L"Japanese", L"LANG_JAPANESE", L"SUBLANG_DEFAULT", 128},
    {0x0401, 1256, L"windows-1256", L"Arabic (Saudi Arabia)", L"LANG_ARABIC", L"SUBLANG_ARABIC_SAUDI_ARABIA", 178},
    {0x0405, 1250, L"windows-1250", L"Czech", L"LANG_CZECH", L"SUBLANG_DEFAULT", 238},
    {0x0406, 1252, L"windows-1252", L"Danish", L"LANG_DANISH", L"SUBLANG_DEFAULT", 0},
    {0x0407, 1252, L"windows-1252", L"German (Germany)", L"LANG_GERMAN", L"SUBLANG_GERMAN", 0},
    {0x0408, 1253, L"windows-1253", L"Greek", L"LANG_GREEK", L"SUBLANG_DEFAULT", 161},
    {0x0409, 0, L"windows-1252", L"English (United States)", L"LANG_ENGLISH", L"SUBLANG_ENGLISH_US", 0},
    {0x0C0A, 1252, L"windows-1252", L"Spanish (Spain - Modern Sort)", L"LANG_SPANISH", L"SUBLANG_SPANISH_MODERN", 0},
    {0x0425, 1257, L"windows-1257", L"Estonian", L"LANG_ESTONIAN", L"SUBLANG_DEFAULT", 186},
    {0x040B, 1252, L"windows-1252", L"Finnish", L"LANG_FINNISH", L"SUBLANG_DEFAULT", 0},
    {0x040C, 1252, L"windows-1252", L"French (France)", L"LANG_FRENCH", L"SUBLANG_FRENCH", 0},
    {0x040D, 1255, L"windows-1255", L"Hebrew", L"LANG_HEBREW", L"SUBLANG_DEFAULT", 177},
    {0x041A, 1250, L"windows-1250", L"Croatian", L"LANG_CROATIAN", L"SUBLANG_DEFAULT", 238},
    {0x040E, 1250, L"windows-1250", L"Hungarian", L"LANG_HUNGARIAN", L"SUBLANG_DEFAULT", 238},
    {0x0410, 1252, L"windows-1252", L"Italian (Italy)", L"LANG_ITALIAN", L"SUBLANG_ITALIAN", 0},
    {0x0412, 949, L"ks_c_5601", L"Korean", L"LANG_KOREAN", L"SUBLANG_DEFAULT", 129},
    {0x0427, 1257, L"windows-1257", L"Lithuanian", L"LANG_LITHUANIAN", L"SUBLANG_LITHUANIAN", 186},
    {0x0426, 1257, L"windows-1257", L"Latvian", L"LANG_LATVIAN", L"SUBLANG_DEFAULT", 186},
    {0x0413, 1252, L"windows-1252", L"Dutch", L"LANG_DUTCH", L"SUBLANG_DUTCH", 0},
    {0x0414, 1252, L"windows-1252", L"Norwegian (Bokmal)", L"LANG_NORWEGIAN", L"SUBLANG_NORWEGIAN_BOKMAL", 0},
    {0x0415, 1250, L"windows-1250", L"Polish", L"LANG_POLISH", L"SUBLANG_DEFAULT", 238},
    {0x0816, 1252, L"windows-1252", L"Portuguese (Portugal)", L"LANG_PORTUGUESE", L"SUBLANG_PORTUGUESE", 0},
    {0x0416, 1252, L"windows-1252", L"Portuguese (Brazil)", L"LANG_PORTUGUESE", L"SUBLANG_PORTUGUESE_BRAZILIAN", 0},
    {0x0418, 1250, L"windows-1250", L"Romanian", L"LANG_ROMANIAN", L"SUBLANG_DEFAULT", 238},
    {0x081A, 1250, L"windows-1250", L"Serbian", L"LANG_SERBIAN", L"SUBLANG_SERBIAN_LATIN", 238},
    {0x041B, 1250, L"windows-1250", L"Slovak", L"LANG_SLOVAK", L"SUBLANG_DEFAULT", 238},
    {0x0424, 1250, L"windows-1250", L"Slovenian", L"LANG_SLOVENIAN", L"SUBLANG_DEFAULT", 238},
    {0x041D, 1252, L"windows-1252", L"Swedish", L"LANG_SWEDISH", L"SUBLANG_DEFAULT", 0},
    {0x041E, 874, L"windows-874", L"Thai", L"LANG_THAI", L"SUBLANG_DEFAULT", 222},
    {0x041F, 1254, L"windows-1254", L"Turkish", L"LANG_TURKISH", L"SUBLANG_DEFAULT", 162},
    {0x0422, 1251, L"windows-1251", L"Ukrainian ", L"LANG_UKRAINIAN", L"SUBLANG_DEFAULT", 204},
    {0x0402, 1251, L"windows-1251", L"Bulgarian", L"LANG_BULGARIAN", L"SUBLANG_DEFAULT", 204},
    {0x0804, 936, L"gb2312", L"Chinese (PRC)", L"LANG_CHINESE", L"SUBLANG_CHINESE_SIMPLIFIED", 134},
    {0x0404, 950, L"big5", L"Chinese (Taiwan)", L"LANG_CHINESE", L"SUBLANG_CHINESE_TRADITIONAL", 136},
};

}  // namespace

const LVK_LANGUAGE_INFO* LVKGetLanguageInfo(LANGID wLanguage)
{
    for (const LVK_LANGUAGE_INFO& info : kLanguages)
    {
        if (info.wLanguage == wLanguage)
            return &info;
    }
    return nullptr;
}

const LVK_LANGUAGE_INFO* LVKGetLanguageTable(int* pnCount)
{
    if (pnCount)
        *pnCount = static_cast<int>(sizeof(kLanguages) / sizeof(kLanguages[0]));
    return kLanguages;
}
