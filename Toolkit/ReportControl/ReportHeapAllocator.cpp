#include "ReportHeapAllocator.h"
#include "ReportBatchAllocator.h"

BOOL CLVKReportRowAllocatorData::m_bUsePrivateHeap = FALSE;
HANDLE CLVKReportRowAllocatorData::m_hHeap = nullptr;
volatile LONG CLVKReportRowAllocatorData::m_nLiveCount = 0;

BOOL CLVKReportDataAllocatorData::m_bUsePrivateHeap = FALSE;
HANDLE CLVKReportDataAllocatorData::m_hHeap = nullptr;
volatile LONG CLVKReportDataAllocatorData::m_nLiveCount = 0;

BOOL CLVKReportAllocatorDefaultData::m_bUsePrivateHeap = FALSE;
HANDLE CLVKReportAllocatorDefaultData::m_hHeap = nullptr;
volatile LONG CLVKReportAllocatorDefaultData::m_nLiveCount = 0;

BOOL CLVKReportRow_BatchData::m_bUseBatches = FALSE;
int CLVKReportRow_BatchData::m_nObjectsPerBlock = 1024;
size_t CLVKReportRow_BatchData::m_nObjectSize = 0;
LONG CLVKReportRow_BatchData::m_nLiveCount = 0;
BOOL CLVKReportRow_BatchData::m_bReleaseEmptyBlocks = FALSE;
BOOL CLVKReportRow_BatchData::m_bReleaseHeadBlock = FALSE;
LVK_BATCH_BLOCK* CLVKReportRow_BatchData::m_pFreeList = nullptr;
LVK_BATCH_BLOCK* CLVKReportRow_BatchData::m_pFullList = nullptr;

BOOL CLVKReportGroupRow_BatchData::m_bUseBatches = FALSE;
int CLVKReportGroupRow_BatchData::m_nObjectsPerBlock = 1024;
size_t CLVKReportGroupRow_BatchData::m_nObjectSize = 0;
LONG CLVKReportGroupRow_BatchData::m_nLiveCount = 0;
BOOL CLVKReportGroupRow_BatchData::m_bReleaseEmptyBlocks = FALSE;
BOOL CLVKReportGroupRow_BatchData::m_bReleaseHeadBlock = FALSE;
LVK_BATCH_BLOCK* CLVKReportGroupRow_BatchData::m_pFreeList = nullptr;
LVK_BATCH_BLOCK* CLVKReportGroupRow_BatchData::m_pFullList = nullptr;

namespace
{
// Empty blocks and an unused heap go back at exit.
struct CBatchBlocksAtExit
{
    ~CBatchBlocksAtExit()
    {
        CLVKReportRowBatchManager::ReleaseEmptyBlocks();
        CLVKReportGroupRowBatchManager::ReleaseEmptyBlocks();
        if (CLVKReportRowAllocatorData::m_nLiveCount == 0 && CLVKReportRowAllocatorData::m_hHeap)
        {
            HeapDestroy(CLVKReportRowAllocatorData::m_hHeap);
            CLVKReportRowAllocatorData::m_hHeap = nullptr;
        }
    }
} g_batchBlocksAtExit;
}  // namespace

BOOL AFX_CDECL LVKHeapSetInformation(HANDLE hHeap, int nInfoClass, PVOID pInfo, SIZE_T nLength)
{
    using PFNHEAPSETINFORMATION = BOOL(WINAPI*)(HANDLE, int, PVOID, SIZE_T);
    HMODULE hKernel = GetModuleHandleW(L"KERNEL32.DLL");
    if (!hKernel)
        return TRUE;
    auto pfn = reinterpret_cast<PFNHEAPSETINFORMATION>(GetProcAddress(hKernel, "HeapSetInformation"));
    if (!pfn)
        return TRUE;
    return pfn(hHeap, nInfoClass, pInfo, nLength);
}

BOOL AFX_CDECL LVKHeapEnableLowFragmentation(HANDLE hHeap)
{
    ULONG nLowFragmentation = 2;
    return LVKHeapSetInformation(hHeap, 0 /* HeapCompatibilityInformation */, &nLowFragmentation,
                                 sizeof(nLowFragmentation));
}
