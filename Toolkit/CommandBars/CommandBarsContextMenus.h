// CLVKCommandBarsContextMenus: the popup bars a command-bar manager keeps as
// context menus, each held by one reference until the manager goes.
#pragma once

#include "CommandBars/CommandBarList.h"

class CLVKCommandBars;
class CLVKPopupBar;

class CLVKCommandBarsContextMenus : public CLVKCommandBarList
{
public:
    explicit CLVKCommandBarsContextMenus(CLVKCommandBars* pCommandBars) : m_pCommandBars(pCommandBars) {}

    // Takes over the caller's reference and marks the bar a context menu.
    void Add(CLVKPopupBar* pPopupBar);
    CLVKCommandBars* GetCommandBars() const { return m_pCommandBars; }

private:
    CLVKCommandBars* m_pCommandBars;
};
