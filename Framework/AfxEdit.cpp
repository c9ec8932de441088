#include "AfxEdit.h"

IMPLEMENT_DYNAMIC(CEdit, CWnd)

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(L"EDIT", NULL, dwStyle, rect, pParentWnd, nID);
}

DWORD CEdit::GetSel() const
{
    return static_cast<DWORD>(::SendMessage(m_hWnd, EM_GETSEL, 0, 0));
}
void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD dwStart = 0;
    DWORD dwEnd = 0;
    ::SendMessage(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), reinterpret_cast<LPARAM>(&dwEnd));
    nStartChar = static_cast<int>(dwStart);
    nEndChar = static_cast<int>(dwEnd);
}
void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    ::SendMessage(m_hWnd, EM_SETSEL, nStartChar, nEndChar);
    if (!bNoScroll)
        ::SendMessage(m_hWnd, EM_SCROLLCARET, 0, 0);
}
void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo)
{
    ::SendMessage(m_hWnd, EM_REPLACESEL, bCanUndo, reinterpret_cast<LPARAM>(lpszNewText));
}
void CEdit::SetLimitText(UINT nMax)
{
    ::SendMessage(m_hWnd, EM_SETLIMITTEXT, nMax, 0);
}
UINT CEdit::GetLimitText() const
{
    return static_cast<UINT>(::SendMessage(m_hWnd, EM_GETLIMITTEXT, 0, 0));
}
BOOL CEdit::CanUndo() const
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, EM_CANUNDO, 0, 0));
}
BOOL CEdit::Undo()
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, EM_UNDO, 0, 0));
}
void CEdit::EmptyUndoBuffer()
{
    ::SendMessage(m_hWnd, EM_EMPTYUNDOBUFFER, 0, 0);
}
void CEdit::Cut()
{
    ::SendMessage(m_hWnd, WM_CUT, 0, 0);
}
void CEdit::Copy()
{
    ::SendMessage(m_hWnd, WM_COPY, 0, 0);
}
void CEdit::Paste()
{
    ::SendMessage(m_hWnd, WM_PASTE, 0, 0);
}
void CEdit::Clear()
{
    ::SendMessage(m_hWnd, WM_CLEAR, 0, 0);
}
BOOL CEdit::SetReadOnly(BOOL bReadOnly)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, EM_SETREADONLY, bReadOnly, 0));
}
BOOL CEdit::GetModify() const
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, EM_GETMODIFY, 0, 0));
}
void CEdit::SetModify(BOOL bModified)
{
    ::SendMessage(m_hWnd, EM_SETMODIFY, bModified, 0);
}
int CEdit::GetLineCount() const
{
    return static_cast<int>(::SendMessage(m_hWnd, EM_GETLINECOUNT, 0, 0));
}
int CEdit::LineLength(int nLine) const
{
    return static_cast<int>(::SendMessage(m_hWnd, EM_LINELENGTH, nLine, 0));
}
void CEdit::SetMargins(UINT nLeft, UINT nRight)
{
    ::SendMessage(m_hWnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(nLeft, nRight));
}
void CEdit::SetPasswordChar(TCHAR ch)
{
    ::SendMessage(m_hWnd, EM_SETPASSWORDCHAR, ch, 0);
}
int CEdit::CharFromPos(CPoint pt) const
{
    return static_cast<int>(::SendMessage(m_hWnd, EM_CHARFROMPOS, 0, MAKELPARAM(pt.x, pt.y)));
}
CPoint CEdit::PosFromChar(UINT nChar) const
{
    const LRESULT lResult = ::SendMessage(m_hWnd, EM_POSFROMCHAR, nChar, 0);
    return CPoint(static_cast<short>(LOWORD(lResult)), static_cast<short>(HIWORD(lResult)));
}
