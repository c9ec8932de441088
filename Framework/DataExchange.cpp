#include "DataExchange.h"
#include "Exceptions.h"
#include "ModuleState.h"
#include "Wnd.h"
#include <cwchar>

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    const HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), nIDC);
    if (!hWndCtrl)
        AfxThrowNotSupportedException();  // the template has no such control
    m_hWndLastControl = hWndCtrl;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    const HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (!m_bSaveAndValidate)
        AfxThrowUserException();
    if (m_hWndLastControl)
    {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageW(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

namespace
{
CString ControlText(HWND hWnd)
{
    CString str;
    const int nLen = ::GetWindowTextLengthW(hWnd);
    LPWSTR p = str.GetBuffer(nLen + 1);
    const int nGot = ::GetWindowTextW(hWnd, p, nLen + 1);
    str.ReleaseBuffer(nGot);
    return str;
}

// A whole number, with nothing but blanks around it.
bool ParseInteger(const CString& text, bool bSigned, long long& value)
{
    CString str(text);
    str.Trim();
    if (str.IsEmpty())
        return false;
    if (!bSigned && str[0] == L'-')
        return false;
    wchar_t* pEnd = nullptr;
    errno = 0;
    value = wcstoll(str, &pEnd, 10);
    return errno == 0 && pEnd && *pEnd == L'\0';
}

template <typename T>
void ExchangeNumber(CDataExchange* pDX, int nIDC, T& value, bool bSigned, long long lo, long long hi)
{
    const HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate)
    {
        WCHAR szT[32] = {};
        if (bSigned)
            wsprintfW(szT, L"%ld", static_cast<long>(value));
        else
            wsprintfW(szT, L"%lu", static_cast<unsigned long>(value));
        ::SetWindowTextW(hWndCtrl, szT);
        return;
    }
    long long parsed = 0;
    if (!ParseInteger(ControlText(hWndCtrl), bSigned, parsed) || parsed < lo || parsed > hi)
    {
        AfxMessageBox(L"Please enter a whole number.", MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
    }
    value = static_cast<T>(parsed);
}
}  // namespace

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    const HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ControlText(hWndCtrl);
    else
        ::SetWindowTextW(hWndCtrl, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeNumber(pDX, nIDC, value, true, INT_MIN, INT_MAX);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeNumber(pDX, nIDC, value, false, 0, UINT_MAX);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    ExchangeNumber(pDX, nIDC, value, true, LONG_MIN, LONG_MAX);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    ExchangeNumber(pDX, nIDC, value, false, 0, ULONG_MAX);
}

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    const HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageW(hWndCtrl, BM_GETCHECK, 0, 0));
    else
        ::SendMessageW(hWndCtrl, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    // The group starts at nIDC and runs through the following radio buttons
    // up to the next WS_GROUP.
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int iButton = 0;
    do
    {
        if (::SendMessageW(hWndCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
        {
            if (pDX->m_bSaveAndValidate)
            {
                if (::SendMessageW(hWndCtrl, BM_GETCHECK, 0, 0) != 0)
                    value = iButton;
            }
            else
            {
                ::SendMessageW(hWndCtrl, BM_SETCHECK, iButton == value, 0);
            }
            ++iButton;
        }
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl && !(::GetWindowLongW(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;  // attached on an earlier exchange
    const HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl))
        AfxThrowNotSupportedException();
}

void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (!pDX->m_bSaveAndValidate)
    {
        if (pDX->m_hWndLastControl && pDX->m_bEditLastControl)
            ::SendMessageW(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
        return;
    }
    if (value.GetLength() > nChars)
    {
        CString strPrompt;
        strPrompt.Format(L"Enter no more than %d characters.", nChars);
        AfxMessageBox(strPrompt, MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString strPrompt;
    strPrompt.Format(L"Enter a number between %d and %d.", minVal, maxVal);
    AfxMessageBox(strPrompt, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}
