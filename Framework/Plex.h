// Node blocks for the lists and maps, and the element comparison they use.
#pragma once

#include "AfxBase.h"

// A chain of raw node blocks.
struct alignas(8) CPlex
{
    CPlex* pNext;

    void* data() { return this + 1; }
    static CPlex* PASCAL Create(CPlex*& pHead, UINT_PTR nMax, UINT_PTR cbElement);
    void FreeDataChain();
};

// Element helpers the collections call; overload them for your own types.
template <class TYPE, class ARG_TYPE>
BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}
