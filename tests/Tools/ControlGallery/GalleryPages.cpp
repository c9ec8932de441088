#include "GalleryPages.h"

const std::vector<GalleryPageEntry>& GalleryPageTable()
{
    static const std::vector<GalleryPageEntry> table = {
        {L"resize", &CreateResizePage}, {L"scrollbars", &CreateScrollBarsPage}, {L"hyperlink", &CreateHyperLinkPage},
        {L"edits", &CreateEditsPage},   {L"buttons", &CreateButtonsPage},
        // The command bars in a frame window.
        {L"commandbars", &CreateCommandBarsPage},
        // The report control's pages.
        {L"report", &CreateReportPage},
        {L"report-grouped", &CreateReportGroupedPage},
        {L"report-tree", &CreateReportTreePage},
        {L"report-icons", &CreateReportIconsPage},
        {L"report-rows", &CreateReportRowsPage},
        {L"report-items", &CreateReportItemsPage},
    };
    return table;
}

const GalleryPageEntry* FindGalleryPage(LPCWSTR lpszName)
{
    for (const GalleryPageEntry& entry : GalleryPageTable())
    {
        if (wcscmp(entry.lpszName, lpszName) == 0)
            return &entry;
    }
    return nullptr;
}
