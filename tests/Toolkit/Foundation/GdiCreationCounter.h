// Counts the GDI objects this test program creates while it lives: the
// program's own import slots of the GDI creation functions are pointed at
// counting stand-ins that call the real functions. Wine has no per-process
// GDI object count (GetGuiResources answers 0), so the count is taken here.
#pragma once

#include <windows.h>

#include <vector>

class GdiCreationCounter
{
public:
    GdiCreationCounter();
    ~GdiCreationCounter();
    GdiCreationCounter(const GdiCreationCounter&) = delete;
    GdiCreationCounter& operator=(const GdiCreationCounter&) = delete;

    // Objects created since the counter was made.
    LONG Count() const;
    // How many import slots were redirected (0: nothing would be counted).
    size_t PatchedSlots() const { return m_patches.size(); }

private:
    struct Patch
    {
        void** pSlot;
        void* pOriginal;
    };
    std::vector<Patch> m_patches;
    LONG m_nStart;
};
