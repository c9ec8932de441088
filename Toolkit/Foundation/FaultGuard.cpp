#include "FaultGuard.h"

namespace
{

volatile LONG g_nRecoveredFaults = 0;

// The innermost armed guard of each thread.
DWORD GuardSlot()
{
    static const DWORD dwSlot = ::TlsAlloc();
    return dwSlot;
}

bool IsRecoverableFault(DWORD dwCode)
{
    switch (dwCode)
    {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
    case EXCEPTION_FLT_INVALID_OPERATION:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_PRIV_INSTRUCTION:
        return true;
    default:
        return false;
    }
}

}  // namespace

CLVKFaultGuard::~CLVKFaultGuard()
{
    if (m_bArmed)
        ::TlsSetValue(GuardSlot(), m_pOuter);
}

void CLVKFaultGuard::Arm()
{
    // Registered once, first in line: a fault inside the guarded call must
    // reach it before the faulting code's own frames decide anything.
    static const PVOID s_hHandler = ::AddVectoredExceptionHandler(1, &CLVKFaultGuard::VectoredHandler);
    const DWORD dwSlot = GuardSlot();
    if (!s_hHandler || dwSlot == TLS_OUT_OF_INDEXES || m_bArmed)
        return;
    m_pOuter = static_cast<CLVKFaultGuard*>(::TlsGetValue(dwSlot));
    ::TlsSetValue(dwSlot, this);
    m_bArmed = TRUE;
}

LONG AFX_CDECL CLVKFaultGuard::GetRecoveredFaultCount()
{
    return g_nRecoveredFaults;
}

LONG CALLBACK CLVKFaultGuard::VectoredHandler(EXCEPTION_POINTERS* pPointers)
{
    if (!pPointers || !pPointers->ExceptionRecord || !pPointers->ContextRecord)
        return EXCEPTION_CONTINUE_SEARCH;
    if (!IsRecoverableFault(pPointers->ExceptionRecord->ExceptionCode))
        return EXCEPTION_CONTINUE_SEARCH;
    const DWORD dwSlot = GuardSlot();
    if (dwSlot == TLS_OUT_OF_INDEXES || !::TlsGetValue(dwSlot))
        return EXCEPTION_CONTINUE_SEARCH;
        // The thread goes on, on its own stack, at a function that leaves for the
        // recovery point; the jump itself runs outside the exception dispatch.
#if defined(_M_IX86) || defined(__i386__)
    pPointers->ContextRecord->Eip = reinterpret_cast<DWORD>(&CLVKFaultGuard::ReturnToRecoveryPoint);
    pPointers->ContextRecord->EFlags &= ~0x400u;  // the direction flag, as every function expects it
#else
    pPointers->ContextRecord->Rip = reinterpret_cast<DWORD64>(&CLVKFaultGuard::ReturnToRecoveryPoint);
    pPointers->ContextRecord->Rsp &= ~static_cast<DWORD64>(15);
    pPointers->ContextRecord->Rsp -= 8;
    pPointers->ContextRecord->EFlags &= ~0x400u;
#endif
    ::InterlockedIncrement(&g_nRecoveredFaults);
    return EXCEPTION_CONTINUE_EXECUTION;
}

void CLVKFaultGuard::ReturnToRecoveryPoint()
{
    CLVKFaultGuard* const pGuard = static_cast<CLVKFaultGuard*>(::TlsGetValue(GuardSlot()));
    // The guard stays armed until its scope ends; a fault in the code after
    // the recovery point is not this guard's call any more.
    ::TlsSetValue(GuardSlot(), pGuard->m_pOuter);
    pGuard->m_bArmed = FALSE;
    longjmp(pGuard->m_recoveryPoint, 1);
}
