// Holds a Win32 critical section for the life of the scope.
#pragma once

#include "Framework.h"

class LVKCriticalSectionLock
{
public:
    explicit LVKCriticalSectionLock(CRITICAL_SECTION* pcs) : m_pcs(pcs) { EnterCriticalSection(m_pcs); }
    ~LVKCriticalSectionLock() { LeaveCriticalSection(m_pcs); }

    LVKCriticalSectionLock(const LVKCriticalSectionLock&) = delete;
    LVKCriticalSectionLock& operator=(const LVKCriticalSectionLock&) = delete;

private:
    CRITICAL_SECTION* m_pcs;
};
