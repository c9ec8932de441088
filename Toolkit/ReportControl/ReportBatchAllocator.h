// Batch allocation of report rows: blocks of many row slots taken from the row
// allocator at once, so that 100,000 rows cost about a hundred allocations and
// freeing a row is a push on its block's free chain. Off by default.
#pragma once

#include "ReportHeapAllocator.h"

struct LVK_BATCH_BLOCK;

struct LVK_BATCH_SLOT
{
    LVK_BATCH_BLOCK* pBlock;
    LVK_BATCH_SLOT* pNextFree;
    // The object follows.
};

struct LVK_BATCH_BLOCK
{
    LONG nUsed;
    LVK_BATCH_SLOT* pFirstFree;
    LVK_BATCH_BLOCK* pPrev;
    LVK_BATCH_BLOCK* pNext;
    // objects-per-block slots follow.
};

// TData: m_bUseBatches, m_nObjectsPerBlock, m_nLiveCount, m_bReleaseEmptyBlocks,
// m_bReleaseHeadBlock, m_pFreeList (blocks with a free slot), m_pFullList.
template <class TAllocator, class TData>
class CLVKBatchAllocManagerT
{
public:
    static BOOL IsBatchMode() { return TData::m_bUseBatches; }

    static void* AllocObject(size_t nObjectSize)
    {
        if (!TData::m_bUseBatches)
            return TAllocator::AllocObject(nObjectSize);
        if (TData::m_nObjectSize == 0)
            TData::m_nObjectSize = nObjectSize;
        LVK_BATCH_BLOCK* pBlock = TData::m_pFreeList;
        if (!pBlock)
        {
            pBlock = NewBlock();
            if (!pBlock)
                return nullptr;
        }
        LVK_BATCH_SLOT* pSlot = pBlock->pFirstFree;
        pBlock->nUsed++;
        TData::m_nLiveCount++;
        pBlock->pFirstFree = pSlot->pNextFree;
        pSlot->pNextFree = nullptr;
        if (!pBlock->pFirstFree)
        {
            Unlink(TData::m_pFreeList, pBlock);
            PushFront(TData::m_pFullList, pBlock);
        }
        return pSlot + 1;
    }

    static void FreeObject(void* p)
    {
        if (!p)
            return;
        if (!TData::m_bUseBatches)
        {
            TAllocator::FreeObject(p);
            return;
        }
        LVK_BATCH_SLOT* pSlot = static_cast<LVK_BATCH_SLOT*>(p) - 1;
        LVK_BATCH_BLOCK* pBlock = pSlot->pBlock;
        const BOOL bWasFull = pBlock->pFirstFree == nullptr;
        pSlot->pNextFree = pBlock->pFirstFree;
        pBlock->pFirstFree = pSlot;
        pBlock->nUsed--;
        TData::m_nLiveCount--;
        if (bWasFull)
        {
            Unlink(TData::m_pFullList, pBlock);
            PushFront(TData::m_pFreeList, pBlock);
        }
        if (pBlock->nUsed == 0 && TData::m_bReleaseEmptyBlocks)
        {
            const BOOL bKeep = TData::m_pFreeList == pBlock && pBlock->pNext && !TData::m_bReleaseHeadBlock;
            if (!bKeep)
            {
                Unlink(TData::m_pFreeList, pBlock);
                TAllocator::FreeBlock(pBlock, BlockSize());
            }
        }
    }

    // Gives back the empty blocks; called at exit.
    static void ReleaseEmptyBlocks()
    {
        LVK_BATCH_BLOCK* pBlock = TData::m_pFreeList;
        while (pBlock)
        {
            LVK_BATCH_BLOCK* pNext = pBlock->pNext;
            if (pBlock->nUsed == 0)
            {
                Unlink(TData::m_pFreeList, pBlock);
                TAllocator::FreeBlock(pBlock, BlockSize());
            }
            pBlock = pNext;
        }
    }

    static int CountBlocks(const LVK_BATCH_BLOCK* pList)
    {
        int n = 0;
        for (; pList; pList = pList->pNext)
            n++;
        return n;
    }

private:
    static size_t SlotSize()
    {
        const size_t nAlign = sizeof(void*) * 2;
        return (sizeof(LVK_BATCH_SLOT) + TData::m_nObjectSize + nAlign - 1) / nAlign * nAlign;
    }
    static size_t BlockSize() { return sizeof(LVK_BATCH_BLOCK) + SlotSize() * TData::m_nObjectsPerBlock; }

    static LVK_BATCH_BLOCK* NewBlock()
    {
        auto* pBlock = static_cast<LVK_BATCH_BLOCK*>(TAllocator::AllocBlock(BlockSize()));
        if (!pBlock)
            return nullptr;
        pBlock->nUsed = 0;
        pBlock->pPrev = pBlock->pNext = nullptr;
        BYTE* pSlots = reinterpret_cast<BYTE*>(pBlock + 1);
        LVK_BATCH_SLOT* pPrevSlot = nullptr;
        for (int i = TData::m_nObjectsPerBlock - 1; i >= 0; i--)
        {
            auto* pSlot = reinterpret_cast<LVK_BATCH_SLOT*>(pSlots + SlotSize() * i);
            pSlot->pBlock = pBlock;
            pSlot->pNextFree = pPrevSlot;
            pPrevSlot = pSlot;
        }
        pBlock->pFirstFree = pPrevSlot;
        PushFront(TData::m_pFreeList, pBlock);
        return pBlock;
    }

    static void PushFront(LVK_BATCH_BLOCK*& pHead, LVK_BATCH_BLOCK* pBlock)
    {
        pBlock->pPrev = nullptr;
        pBlock->pNext = pHead;
        if (pHead)
            pHead->pPrev = pBlock;
        pHead = pBlock;
    }

    static void Unlink(LVK_BATCH_BLOCK*& pHead, LVK_BATCH_BLOCK* pBlock)
    {
        if (pBlock->pPrev)
            pBlock->pPrev->pNext = pBlock->pNext;
        else if (pHead == pBlock)
            pHead = pBlock->pNext;
        if (pBlock->pNext)
            pBlock->pNext->pPrev = pBlock->pPrev;
        pBlock->pPrev = pBlock->pNext = nullptr;
    }
};

// A batch-allocated subclass of a row class: deleting it returns the slot.
template <class TBase, class TManager>
class CLVKBatchAllocObjT : public TBase
{
public:
    using TBase::TBase;

    static void* operator new(size_t nSize)
    {
        void* p = TManager::AllocObject(nSize);
        if (!p)
            AfxThrowMemoryException();
        return p;
    }
    static void* operator new(size_t nSize, const std::nothrow_t&) noexcept { return TManager::AllocObject(nSize); }
    static void operator delete(void* p) { TManager::FreeObject(p); }
    static void operator delete(void* p, const std::nothrow_t&) noexcept { TManager::FreeObject(p); }
};

struct CLVKReportRow_BatchData
{
    static BOOL m_bUseBatches;
    static int m_nObjectsPerBlock;
    static size_t m_nObjectSize;
    static LONG m_nLiveCount;
    static BOOL m_bReleaseEmptyBlocks;
    static BOOL m_bReleaseHeadBlock;
    static LVK_BATCH_BLOCK* m_pFreeList;
    static LVK_BATCH_BLOCK* m_pFullList;
};

struct CLVKReportGroupRow_BatchData
{
    static BOOL m_bUseBatches;
    static int m_nObjectsPerBlock;
    static size_t m_nObjectSize;
    static LONG m_nLiveCount;
    static BOOL m_bReleaseEmptyBlocks;
    static BOOL m_bReleaseHeadBlock;
    static LVK_BATCH_BLOCK* m_pFreeList;
    static LVK_BATCH_BLOCK* m_pFullList;
};

using CLVKReportRowBatchManager = CLVKBatchAllocManagerT<CLVKReportRowAllocator, CLVKReportRow_BatchData>;
using CLVKReportGroupRowBatchManager = CLVKBatchAllocManagerT<CLVKReportRowAllocator, CLVKReportGroupRow_BatchData>;
