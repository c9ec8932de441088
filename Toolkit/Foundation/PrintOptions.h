// The settings the printable controls share: page margins in the units of
// the user's locale (thousandths of an inch for U.S. measure, else hundredths
// of a millimetre) and a page header and footer.
#pragma once

#include "CmdTarget.h"

#include <memory>

class CLVKPrintPageHeaderFooter;

class CLVKPrintOptions : public CLVKCmdTarget
{
public:
    CLVKPrintOptions();
    ~CLVKPrintOptions() override;

    virtual BOOL IsMeasureUS();
    // The margins in hundredths of a millimetre.
    virtual CRect GetMarginsHimetric();
    // The margins in the printer DC's logical units; empty without a DC.
    virtual CRect GetMarginsLP(CDC* pPrintDC);
    virtual LCID GetLocaleId() { return LOCALE_USER_DEFAULT; }

    // The margins start at half an inch or 10 mm; called by the constructor
    // and again by callers whose locale answer differs.
    void ResetMargins();
    void CopyFrom(const CLVKPrintOptions* pOther);

    CLVKPrintPageHeaderFooter* GetHeader() { return m_pHeader.get(); }
    CLVKPrintPageHeaderFooter* GetFooter() { return m_pFooter.get(); }

    CRect m_rcMargins;
    BOOL m_bBlackWhitePrinting = FALSE;
    BOOL m_bPrintSelection = FALSE;

private:
    std::unique_ptr<CLVKPrintPageHeaderFooter> m_pHeader;
    std::unique_ptr<CLVKPrintPageHeaderFooter> m_pFooter;
};
