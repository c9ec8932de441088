#include "MainWindowServices.h"

namespace
{
CMainWindowServices* g_installed = nullptr;
}  // namespace

CMainWindowServices* CMainWindowServices::Current()
{
    return g_installed;
}

CMainWindowServices* CMainWindowServices::Install(CMainWindowServices* services)
{
    CMainWindowServices* const previous = g_installed;
    g_installed = services;
    return previous;
}
