#include "UniqueName.h"

#include <windows.h>

#include <atomic>

#include <gtest/gtest.h>

std::wstring UniqueTestName()
{
    static std::atomic<unsigned> counter{0};
    std::string base = "NoTest";
    if (const auto* info = ::testing::UnitTest::GetInstance()->current_test_info())
        base = std::string(info->test_suite_name()) + "." + info->name();

    // Short enough for a registry key name and for files deep in a scratch
    // folder to stay within MAX_PATH.
    const size_t kMaxBase = 80;
    if (base.size() > kMaxBase)
        base.resize(kMaxBase);
    std::wstring name;
    for (const char c : base)
    {
        // Parameterised tests carry '/' in their names; keep only characters
        // that are safe in a registry key name and a file name.
        const bool safe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                          c == '-' || c == '_';
        name += safe ? static_cast<wchar_t>(c) : L'_';
    }
    name += L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
    return name;
}
