// Saves the whole state of a DC for the life of the scope.
#pragma once

#include "Framework.h"

class CLVKDCSaveState
{
public:
    explicit CLVKDCSaveState(CDC* pDC) : m_pDC(pDC)
    {
        if (m_pDC)
            m_nSavedLevel = m_pDC->SaveDC();
    }
    virtual ~CLVKDCSaveState()
    {
        if (m_pDC)
            m_pDC->RestoreDC(m_nSavedLevel);
    }

    int GetSavedLevel() const { return m_nSavedLevel; }

    CLVKDCSaveState(const CLVKDCSaveState&) = delete;
    CLVKDCSaveState& operator=(const CLVKDCSaveState&) = delete;

private:
    CDC* m_pDC;
    int m_nSavedLevel = 0;
};
