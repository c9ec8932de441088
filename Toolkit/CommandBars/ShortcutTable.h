// CLVKShortcutTable: the shortcuts of one shortcut manager, in order (the
// first match of a key wins), each owned by the table.
#pragma once

#include "CommandBars/ShortcutManagerAccel.h"

#include <memory>
#include <vector>

class CLVKShortcutTable
{
public:
    explicit CLVKShortcutTable(CLVKShortcutManager* pManager = nullptr) : m_pManager(pManager) {}

    void Clear() { m_entries.clear(); }
    void Add(const LVK_SHORTCUTMANAGER_ACCEL& accel);
    void FillFromHandle(HACCEL hAccel);
    void FillFromAccels(const ACCEL* pAccels, int nCount);
    void FillFromRecords(const LVK_SHORTCUTMANAGER_ACCEL* pRecords, int nCount);
    void CopyFrom(const CLVKShortcutTable& other);
    std::vector<LVK_SHORTCUTMANAGER_ACCEL> Export() const;

    int GetCount() const { return static_cast<int>(m_entries.size()); }
    BOOL IsEmpty() const { return m_entries.empty(); }
    CLVKShortcutManagerAccel* GetAt(int nIndex) const { return m_entries[static_cast<size_t>(nIndex)].get(); }

private:
    CLVKShortcutManager* m_pManager;
    std::vector<std::unique_ptr<CLVKShortcutManagerAccel>> m_entries;
};
