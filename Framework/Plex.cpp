#include "Framework.h"

CPlex* PASCAL CPlex::Create(CPlex*& pHead, UINT_PTR nMax, UINT_PTR cbElement)
{
    if (nMax == 0 || cbElement == 0 || nMax > (SIZE_MAX - sizeof(CPlex)) / cbElement)
        AfxThrowInvalidArgException();
    auto* p = reinterpret_cast<CPlex*>(new BYTE[sizeof(CPlex) + nMax * cbElement]);
    p->pNext = pHead;
    pHead = p;
    return p;
}

void CPlex::FreeDataChain()
{
    CPlex* p = this;
    while (p)
    {
        CPlex* pNext = p->pNext;
        delete[] reinterpret_cast<BYTE*>(p);
        p = pNext;
    }
}
