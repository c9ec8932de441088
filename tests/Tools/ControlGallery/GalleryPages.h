// The gallery's pages by name. To add a page, write its factory and add one
// row to the table in GalleryPages.cpp.
#pragma once

#include "GalleryPage.h"

struct GalleryPageEntry
{
    LPCWSTR lpszName;
    std::unique_ptr<GalleryPage> (*pfnCreate)();
};

// The rows in the order --list prints them.
const std::vector<GalleryPageEntry>& GalleryPageTable();

// The factory of the named page, or null.
const GalleryPageEntry* FindGalleryPage(LPCWSTR lpszName);

std::unique_ptr<GalleryPage> CreateResizePage();
std::unique_ptr<GalleryPage> CreateReportPage();
std::unique_ptr<GalleryPage> CreateReportGroupedPage();
std::unique_ptr<GalleryPage> CreateReportTreePage();
std::unique_ptr<GalleryPage> CreateReportIconsPage();
std::unique_ptr<GalleryPage> CreateReportRowsPage();
std::unique_ptr<GalleryPage> CreateReportItemsPage();
std::unique_ptr<GalleryPage> CreateScrollBarsPage();
std::unique_ptr<GalleryPage> CreateHyperLinkPage();
std::unique_ptr<GalleryPage> CreateEditsPage();
std::unique_ptr<GalleryPage> CreateButtonsPage();
std::unique_ptr<GalleryPage> CreateCommandBarsPage();
