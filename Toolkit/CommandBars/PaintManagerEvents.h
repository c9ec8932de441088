// What observers of a command-bar paint manager are told.
#pragma once

class CLVKPaintManager;

struct ILVKPaintManagerEvents
{
    // The paint manager is being destroyed; an observer that uses it forgets
    // its pointer. An observer may remove itself from inside the call.
    virtual void OnPaintManagerDestroyed(CLVKPaintManager* pPaintManager) = 0;

protected:
    ~ILVKPaintManagerEvents() = default;
};
