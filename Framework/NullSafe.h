// The GetSafe... members are called through pointers that may be null. The
// compiler may assume "this" is never null and drop a plain test, so the
// pointer goes through an empty asm statement it cannot see through.
#pragma once

inline bool AfxIsNullObject(const void* p) noexcept
{
    const void* q = p;
    __asm__("" : "+r"(q));
    return q == nullptr;
}
