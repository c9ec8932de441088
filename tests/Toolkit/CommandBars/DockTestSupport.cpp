#include "DockTestSupport.h"

BEGIN_MESSAGE_MAP(CDockSite, CFrameWnd)
    ON_MESSAGE(LVK_WM_TOOLBARVISCHANGED, OnVisibilityChanged)
    ON_MESSAGE(LVK_WM_TOOLBARRESET, OnToolBarReset)
END_MESSAGE_MAP()
