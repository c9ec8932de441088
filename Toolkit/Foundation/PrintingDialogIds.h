// Resource ids of the printing progress dialog, shared by its template and code.
#pragma once

#define LVK_IDD_PRINTING_DIALOG 30722
#define LVK_IDC_PRINTING_DOCUMENT 30723
#define LVK_IDC_PRINTING_PAGE 30724
#define LVK_IDC_PRINTING_PRINTER 30725
#define LVK_IDC_PRINTING_PORT 30726
