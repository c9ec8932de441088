#include "CommandBars/ShortcutTable.h"

void CLVKShortcutTable::Add(const LVK_SHORTCUTMANAGER_ACCEL& accel)
{
    m_entries.push_back(std::make_unique<CLVKShortcutManagerAccel>(m_pManager, accel));
}

void CLVKShortcutTable::FillFromHandle(HACCEL hAccel)
{
    if (!hAccel)
        return;
    const int nCount = ::CopyAcceleratorTableW(hAccel, NULL, 0);
    if (nCount <= 0)
        return;
    std::vector<ACCEL> accels(static_cast<size_t>(nCount));
    const int nCopied = ::CopyAcceleratorTableW(hAccel, accels.data(), nCount);
    FillFromAccels(accels.data(), nCopied);
}

void CLVKShortcutTable::FillFromAccels(const ACCEL* pAccels, int nCount)
{
    for (int i = 0; pAccels && i < nCount; ++i)
        m_entries.push_back(std::make_unique<CLVKShortcutManagerAccel>(m_pManager, pAccels[i]));
}

void CLVKShortcutTable::FillFromRecords(const LVK_SHORTCUTMANAGER_ACCEL* pRecords, int nCount)
{
    for (int i = 0; pRecords && i < nCount; ++i)
        Add(pRecords[i]);
}

void CLVKShortcutTable::CopyFrom(const CLVKShortcutTable& other)
{
    if (&other == this)
        return;
    Clear();
    for (const auto& pEntry : other.m_entries)
        Add(pEntry->GetRecord());
}

std::vector<LVK_SHORTCUTMANAGER_ACCEL> CLVKShortcutTable::Export() const
{
    std::vector<LVK_SHORTCUTMANAGER_ACCEL> records;
    records.reserve(m_entries.size());
    for (const auto& pEntry : m_entries)
        records.push_back(pEntry->GetRecord());
    return records;
}
