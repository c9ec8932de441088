// The shortcut table through property exchanges: binary stores (the
// registry) keep the records in one block, text stores (INI files) one
// section per shortcut with its text, and stores of an older schema hold
// plain ACCEL entries.
#include "Framework.h"

#include "CommandBars/ShortcutManager.h"
#include "Foundation/PropExchangeIniFile.h"
#include "Foundation/PropExchangeRegistry.h"
#include "Foundation/PropExchangeSection.h"
#include "ScratchFolder.h"
#include "ScratchRegistryKey.h"
#include "ShortcutTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// Ctrl+O, the chord Ctrl+K, Ctrl+C, F5 and Ctrl+Page Down (a key the
// system may name otherwise than the built-in names).
std::vector<LVK_SHORTCUTMANAGER_ACCEL> SampleTable()
{
    return {Shortcut(0xE101, FVIRTKEY | FCONTROL, 'O'),
            Shortcut(0xE122, FVIRTKEY | FCONTROL, 'K', FVIRTKEY | FCONTROL, 'C'), Shortcut(0xE190, FVIRTKEY, VK_F5),
            Shortcut(0xE191, FVIRTKEY | FCONTROL, VK_NEXT)};
}

void Fill(CLVKShortcutManager& manager, const std::vector<LVK_SHORTCUTMANAGER_ACCEL>& records)
{
    manager.GetShortcutTable().Clear();
    for (const LVK_SHORTCUTMANAGER_ACCEL& record : records)
        manager.GetShortcutTable().Add(record);
}

std::vector<std::wstring> Texts(CLVKShortcutManager& manager)
{
    std::vector<std::wstring> texts;
    for (const LVK_SHORTCUTMANAGER_ACCEL& record : manager.GetShortcutTable().Export())
        texts.push_back(std::to_wstring(record.cmd) + L" " + manager.FormatShortcut(record).GetString());
    return texts;
}

CLVKPropExchangeIniFile* IniExchange(BOOL bLoading, const std::wstring& file)
{
    auto* pIni = new CLVKPropExchangeIniFile(bLoading, nullptr, L"Keys");
    pIni->AssignFile(file.c_str());
    return pIni;
}

TEST(ShortcutExchange, BinaryAndTextStoresGiveTheTableBack)
{
    CLVKShortcutManager saved;
    Fill(saved, SampleTable());
    const std::vector<std::wstring> expected = Texts(saved);
    ASSERT_EQ(expected.size(), 4u);

    {
        ScratchRegistryKey key;
        {
            CLVKPropExchangeSection px(new CLVKPropExchangeRegistry(FALSE, key.Key(), L"Keys"));
            saved.DoPropExchange(px);
        }
        DWORD nCount = 0;
        EXPECT_TRUE(key.GetDword(L"Keys", L"Count", nCount));
        EXPECT_EQ(nCount, 4u);
        EXPECT_FALSE(key.HasSubKey(L"Keys\\Shortcut0")) << "one block, no sections";
        CLVKShortcutManager loaded;
        Fill(loaded, {Shortcut(1, FVIRTKEY, VK_F1)});
        CLVKPropExchangeSection px(new CLVKPropExchangeRegistry(TRUE, key.Key(), L"Keys"));
        loaded.DoPropExchange(px);
        EXPECT_EQ(Texts(loaded), expected) << "the table is replaced, not added to";
    }
    {
        ScratchFolder folder;
        const std::wstring file = folder.PathOf(L"keys.ini");
        {
            CLVKPropExchangeSection px(IniExchange(FALSE, file));
            saved.DoPropExchange(px);
        }
        wchar_t text[64] = {};
        ::GetPrivateProfileStringW(L"Keys\\Shortcut1", L"Key", L"", text, 64, file.c_str());
        EXPECT_EQ(std::wstring(text), L"Ctrl+K, Ctrl+C");
        EXPECT_EQ(::GetPrivateProfileIntW(L"Keys\\Shortcut1", L"Id", 0, file.c_str()), 0xE122u);
        CLVKShortcutManager loaded;
        CLVKPropExchangeSection px(IniExchange(TRUE, file));
        loaded.DoPropExchange(px);
        EXPECT_EQ(Texts(loaded), expected);
    }
}

TEST(ShortcutExchange, OlderStoresHoldAccelEntriesAndBadEntriesAreSkipped)
{
    ScratchFolder folder;
    const std::wstring file = folder.PathOf(L"old.ini");
    // Schema 32: "Accel" sections of ACCEL fields.
    ::WritePrivateProfileStringW(L"Keys", L"Schema", L"32", file.c_str());
    ::WritePrivateProfileStringW(L"Keys", L"Count", L"2", file.c_str());
    ::WritePrivateProfileStringW(L"Keys\\Accel0", L"Id", std::to_wstring(0xE101 - 0x10000).c_str(), file.c_str());
    ::WritePrivateProfileStringW(L"Keys\\Accel0", L"virt", std::to_wstring(FVIRTKEY | FCONTROL).c_str(), file.c_str());
    ::WritePrivateProfileStringW(L"Keys\\Accel0", L"key", L"79", file.c_str());  // 'O'
    ::WritePrivateProfileStringW(L"Keys\\Accel1", L"Id", L"100", file.c_str());
    ::WritePrivateProfileStringW(L"Keys\\Accel1", L"virt", std::to_wstring(FVIRTKEY).c_str(), file.c_str());
    ::WritePrivateProfileStringW(L"Keys\\Accel1", L"key", std::to_wstring(VK_F5).c_str(), file.c_str());
    {
        CLVKShortcutManager loaded;
        CLVKPropExchangeSection px(IniExchange(TRUE, file));
        loaded.DoPropExchange(px);
        EXPECT_EQ(Texts(loaded), (std::vector<std::wstring>{L"57601 Ctrl+O", L"100 F5"}));
    }

    // The current schema: a text that does not parse is left out.
    const std::wstring current = folder.PathOf(L"current.ini");
    ::WritePrivateProfileStringW(L"Keys", L"Schema", L"42", current.c_str());
    ::WritePrivateProfileStringW(L"Keys", L"Count", L"2", current.c_str());
    ::WritePrivateProfileStringW(L"Keys\\Shortcut0", L"Id", L"7", current.c_str());
    ::WritePrivateProfileStringW(L"Keys\\Shortcut0", L"Key", L"Ctrl+Nothing", current.c_str());
    ::WritePrivateProfileStringW(L"Keys\\Shortcut1", L"Id", L"8", current.c_str());
    ::WritePrivateProfileStringW(L"Keys\\Shortcut1", L"Key", L"Shift+F3", current.c_str());
    {
        CLVKShortcutManager loaded;
        CLVKPropExchangeSection px(IniExchange(TRUE, current));
        loaded.DoPropExchange(px);
        EXPECT_EQ(Texts(loaded), (std::vector<std::wstring>{L"8 Shift+F3"}));
    }
}

TEST(ShortcutExchange, ABinaryBlockThatDoesNotMatchItsCountLoadsNothing)
{
    CLVKShortcutManager saved;
    Fill(saved, SampleTable());
    ScratchRegistryKey key;
    {
        CLVKPropExchangeSection px(new CLVKPropExchangeRegistry(FALSE, key.Key(), L"Keys"));
        saved.DoPropExchange(px);
    }
    // A count far beyond the block, and one too big to allocate.
    for (DWORD nCount : {5u, 0x7FFFFFFFu})
    {
        key.SetDword(L"Keys", L"Count", nCount);
        CLVKShortcutManager loaded;
        Fill(loaded, {Shortcut(1, FVIRTKEY, VK_F1)});
        CLVKPropExchangeSection px(new CLVKPropExchangeRegistry(TRUE, key.Key(), L"Keys"));
        loaded.DoPropExchange(px);
        EXPECT_TRUE(Texts(loaded).empty()) << nCount;
    }
}

}  // namespace
