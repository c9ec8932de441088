// The progress bar of the emulated task dialog: the platform's progress bar,
// which remembers its state and, where comctl32 is older than 6.0 (which
// cannot animate a marquee), runs the marquee itself with five moving blocks.
#pragma once

#include "Framework.h"

class CLVKTaskDialogProgressCtrl : public CWnd
{
public:
    static constexpr UINT_PTR kMarqueeTimerId = 101;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetState() const { return m_nState; }
    BOOL IsMarqueeRunning() const { return m_bMarqueeRunning; }
    int GetMarqueePos() const { return m_nMarqueePos; }
    // Whether the marquee is left to the platform; comctl32's version by default.
    virtual bool PlatformAnimatesMarquee() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void StepMarquee();
    void PaintMarquee();

    int m_nState = -1;
    int m_nMarqueePos = 0;
    int m_nMarqueeInterval = 0;
    BOOL m_bMarqueeRunning = FALSE;
};
