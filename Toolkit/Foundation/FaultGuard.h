// Turns a processor fault (access violation and the like) inside a guarded
// call into an ordinary return to the point the guard set just before the
// call. C++ handlers cannot catch such faults with this toolchain, so the
// guard uses a vectored exception handler: when the faulting thread has a
// guard armed, the handler resumes the thread at a small function that jumps
// back to the guard's recovery point (setjmp/longjmp, which also unwinds the
// structured handlers the faulting code had registered).
//
//   CLVKFaultGuard guard;
//   if (setjmp(guard.m_recoveryPoint) != 0)
//       return failure;            // the call below faulted
//   guard.Arm();
//   return pfnOutsideCode(...);
//
// Guards nest per thread. A fault outside every guard is left to the rest of
// the process's handlers, as is a stack overflow (the recovery needs stack).
#pragma once

#include "Framework.h"

#include <setjmp.h>

class CLVKFaultGuard
{
public:
    CLVKFaultGuard() = default;
    ~CLVKFaultGuard();

    // From here until the guard goes, a fault on this thread returns to the
    // recovery point. Call after setjmp has set it.
    void Arm();

    // The number of faults the guards of this process have turned into returns.
    static LONG AFX_CDECL GetRecoveredFaultCount();

    jmp_buf m_recoveryPoint;

    CLVKFaultGuard(const CLVKFaultGuard&) = delete;
    CLVKFaultGuard& operator=(const CLVKFaultGuard&) = delete;

private:
    static LONG CALLBACK VectoredHandler(EXCEPTION_POINTERS* pPointers);
    [[noreturn]] static void ReturnToRecoveryPoint();

    CLVKFaultGuard* m_pOuter = nullptr;
    BOOL m_bArmed = FALSE;
};
