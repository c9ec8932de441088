#include "Controls/MaskEdit.h"

#include <algorithm>
#include <cwctype>

BEGIN_TEMPLATE_MESSAGE_MAP(CLVKMaskEditT, TBase, TBase)
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_WM_SETFOCUS()
    ON_MESSAGE(WM_COPY, OnCopyMessage)
    ON_MESSAGE(WM_CUT, OnCutMessage)
    ON_MESSAGE(WM_PASTE, OnPasteMessage)
    ON_MESSAGE(WM_CLEAR, OnClearMessage)
    ON_MESSAGE(WM_UNDO, OnUndoMessage)
END_MESSAGE_MAP()

template <class TBase>
BOOL CLVKMaskEditT<TBase>::SetEditMask(LPCTSTR lpszMask, LPCTSTR lpszLiteral, LPCTSTR lpszDefault)
{
    const CString strMask(lpszMask ? lpszMask : L"");
    const CString strLiteral(lpszLiteral ? lpszLiteral : L"");
    if (strMask.GetLength() != strLiteral.GetLength())
    {
        // A half-set mask would read past its end: none is active.
        m_strMask.Empty();
        m_strLiteral.Empty();
        return FALSE;
    }
    m_strMask = strMask;
    m_strLiteral = strLiteral;
    if (lpszDefault)
    {
        m_strDefault = lpszDefault;
        m_strText = m_strDefault;
        if (m_strDefault.GetLength() != m_strLiteral.GetLength())
        {
            m_strText = m_strLiteral;
            SetInputText(m_strDefault, 0, FALSE);
            m_strDefault = m_strText;
        }
    }
    else
    {
        m_strDefault = m_strLiteral;
        m_strText = m_strLiteral;
    }
    m_bUndoToggled = FALSE;
    m_bModified = FALSE;
    if (this->m_hWnd)
        this->SetWindowText(m_strText);
    m_strUndo = m_strText;
    return TRUE;
}

template <class TBase>
BOOL CLVKMaskEditT<TBase>::IsMaskActive() const
{
    return m_bUseMask && this->m_hWnd && !(this->GetStyle() & ES_READONLY) && !m_strMask.IsEmpty();
}

template <class TBase>
BOOL CLVKMaskEditT<TBase>::IsInputPos(int nPos) const
{
    return nPos >= 0 && nPos < m_strLiteral.GetLength() && m_strLiteral[nPos] == m_chPrompt;
}

template <class TBase>
BOOL CLVKMaskEditT<TBase>::IsPrintChar(TCHAR ch)
{
    return iswprint(ch) || IsAlphaChar(ch);
}

template <class TBase>
BOOL CLVKMaskEditT<TBase>::IsAlphaChar(TCHAR ch)
{
    return iswalpha(ch) || static_cast<TCHAR>(towupper(ch)) != ch || static_cast<TCHAR>(towlower(ch)) != ch;
}

template <class TBase>
void CLVKMaskEditT<TBase>::NotifyPosNotValid(int)
{
    ::MessageBeep(static_cast<UINT>(-1));
}

template <class TBase>
void CLVKMaskEditT<TBase>::NotifyInvalidCharacter(TCHAR, TCHAR)
{
    ::MessageBeep(static_cast<UINT>(-1));
}

template <class TBase>
BOOL CLVKMaskEditT<TBase>::ProcessMask(TCHAR& ch, int nPos)
{
    if (nPos < 0 || nPos >= m_strMask.GetLength())
        return FALSE;
    const bool bDigit = iswdigit(ch) != 0;
    const bool bSpace = iswspace(ch) != 0;
    const bool bAlpha = IsAlphaChar(ch) != FALSE;
    const bool bHex = iswxdigit(ch) != 0;
    switch (m_strMask[nPos])
    {
    case L'#':
        return bDigit || bSpace || ch == L'+' || ch == L'-';
    case L'&':
        return IsPrintChar(ch);
    case L'0':
        return bDigit;
    case L'9':
        return bDigit || bSpace;
    case L'<':
        if (!bAlpha)
            return FALSE;
        ch = static_cast<TCHAR>(towlower(ch));
        return TRUE;
    case L'>':
        if (!bAlpha)
            return FALSE;
        ch = static_cast<TCHAR>(towupper(ch));
        return TRUE;
    case L'?':
        return bAlpha || bSpace;
    case L'A':
        return bAlpha || bDigit;
    case L'H':
        return bHex;
    case L'L':
        return bAlpha;
    case L'X':
        return bHex || bSpace;
    case L'a':
        return bAlpha || bDigit || bSpace;
    case L'd':
        return bDigit || bSpace || ch == L'+' || ch == L'-' || ch == L'.' || ch == L',';
    default:
        return FALSE;
    }
}

template <class TBase>
BOOL CLVKMaskEditT<TBase>::CheckChar(TCHAR& ch, int nPos)
{
    if (!IsMaskActive())
        return FALSE;
    if (!IsPrintChar(ch))
        return TRUE;
    return IsInputPos(nPos) && nPos < m_strMask.GetLength() && ProcessMask(ch, nPos);
}

template <class TBase>
BOOL CLVKMaskEditT<TBase>::MoveToInputPos(int& nPos, BOOL bForward) const
{
    if (IsInputPos(nPos))
        return TRUE;
    const int nLength = m_strLiteral.GetLength();
    int nFirst = -1;
    int nLast = -1;
    for (int i = 0; i < nLength; ++i)
    {
        if (IsInputPos(i))
        {
            if (nFirst < 0)
                nFirst = i;
            nLast = i;
        }
    }
    if (bForward)
    {
        for (int i = std::max(nPos + 1, 0); i < nLength; ++i)
        {
            if (IsInputPos(i))
            {
                nPos = i;
                return TRUE;
            }
        }
        nPos = nLast + 1;
        return FALSE;
    }
    for (int i = std::min(nPos - 1, nLength - 1); i >= 0; --i)
    {
        if (IsInputPos(i))
        {
            nPos = i;
            return TRUE;
        }
    }
    nPos = nFirst < 0 ? 0 : nFirst;
    return FALSE;
}

template <class TBase>
void CLVKMaskEditT<TBase>::ConformText()
{
    const int nLength = m_strLiteral.GetLength();
    if (m_strText.GetLength() > nLength)
        m_strText = m_strText.Left(nLength);
    else if (m_strText.GetLength() < nLength)
        m_strText += m_strLiteral.Mid(m_strText.GetLength());
}

template <class TBase>
CString CLVKMaskEditT<TBase>::GetInputText(int nFrom, int nTo) const
{
    const int nEnd = nTo < 0 ? m_strText.GetLength() : std::min(nTo, m_strText.GetLength());
    CString strData;
    for (int i = std::max(nFrom, 0); i < nEnd; ++i)
    {
        if (IsInputPos(i))
            strData += m_strText[i];
    }
    return strData;
}

template <class TBase>
void CLVKMaskEditT<TBase>::SetInputText(const CString& strData, int nPos, BOOL bUpdate)
{
    m_strText = m_strText.Left(std::max(nPos, 0));
    int nData = 0;
    for (int i = std::max(nPos, 0); i < m_strLiteral.GetLength() && nData < strData.GetLength(); ++i)
    {
        if (IsInputPos(i))
        {
            TCHAR ch = strData[nData];
            if (ch == m_chPrompt || ProcessMask(ch, i))
            {
                m_strText += ch;
                ++nData;
            }
            else
            {
                m_strText += m_strLiteral[i];
            }
        }
        else
        {
            m_strText += m_strLiteral[i];
        }
    }
    if (bUpdate)
        UpdateWindowText(FALSE);
    else
        ConformText();
}

template <class TBase>
void CLVKMaskEditT<TBase>::InsertChar(int nPos, TCHAR ch)
{
    if (nPos < 0 || nPos >= m_strLiteral.GetLength())
        return;
    SetInputText(CString(ch) + GetInputText(nPos), nPos, FALSE);
}

template <class TBase>
void CLVKMaskEditT<TBase>::DeleteSelection()
{
    if (m_nStartChar == m_nEndChar)
        return;
    SetInputText(GetInputText(m_nEndChar), m_nStartChar, FALSE);
    m_nEndChar = m_nStartChar;
}

template <class TBase>
void CLVKMaskEditT<TBase>::SyncSelection(BOOL bAdjust)
{
    this->GetSel(m_nStartChar, m_nEndChar);
    this->GetWindowText(m_strText);
    ConformText();
    if (bAdjust)
    {
        MoveToInputPos(m_nStartChar, TRUE);
        MoveToInputPos(m_nEndChar, TRUE);
        if (m_nEndChar < m_nStartChar)
            m_nEndChar = m_nStartChar;
    }
}

template <class TBase>
void CLVKMaskEditT<TBase>::UpdateWindowText(BOOL bSaveUndo)
{
    CString strWindow;
    this->GetWindowText(strWindow);
    ConformText();
    ::HideCaret(this->m_hWnd);
    if (strWindow != m_strText)
    {
        this->SetWindowText(m_strText);
        if (bSaveUndo || m_bSaveUndoNext)
            m_strUndo = strWindow;
        m_bUndoToggled = FALSE;
        m_bModified = TRUE;
    }
    m_bSaveUndoNext = bSaveUndo;
    this->SetSel(m_nStartChar, m_nEndChar);
    ::ShowCaret(this->m_hWnd);
}

template <class TBase>
void CLVKMaskEditT<TBase>::TypeChar(TCHAR ch)
{
    SyncSelection(TRUE);
    const int nLength = m_strLiteral.GetLength();
    if (m_nStartChar < 0 || m_nStartChar >= nLength || !IsInputPos(m_nStartChar))
    {
        NotifyPosNotValid(m_nStartChar);
        return;
    }
    if (!CheckChar(ch, m_nStartChar))
    {
        NotifyInvalidCharacter(ch, m_strMask[m_nStartChar]);
        return;
    }
    if (IsPrintChar(ch))
    {
        if (m_nStartChar < nLength)
        {
            if (m_nStartChar != m_nEndChar)
                DeleteSelection();
            MoveToInputPos(m_nStartChar, TRUE);
            if (m_bOverwrite)
                m_strText.SetAt(m_nStartChar, ch);
            else
                InsertChar(m_nStartChar, ch);
            ++m_nStartChar;
            MoveToInputPos(m_nStartChar, TRUE);
            m_nEndChar = m_nStartChar;
        }
        else
        {
            NotifyPosNotValid(m_nStartChar);
        }
        UpdateWindowText(FALSE);
        return;
    }
    if (ch == 127)
        return;
    this->Default();
}

template <class TBase>
void CLVKMaskEditT<TBase>::OnChar(UINT nChar, UINT, UINT)
{
    if (!IsMaskActive())
    {
        this->Default();
        return;
    }
    // Backspace and Space are handled on WM_KEYDOWN.
    if (nChar == VK_BACK || nChar == L' ')
        return;
    TypeChar(static_cast<TCHAR>(nChar));
}

template <class TBase>
void CLVKMaskEditT<TBase>::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (!IsMaskActive())
    {
        this->Default();
        return;
    }
    const BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
    const BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    const int nLength = m_strLiteral.GetLength();
    switch (nChar)
    {
    case VK_BACK:
        SyncSelection(FALSE);
        if ((m_nStartChar == 0 && m_nEndChar == 0) || m_nStartChar < 0 || m_nStartChar > nLength)
        {
            NotifyPosNotValid(m_nStartChar);
            return;
        }
        if (m_nStartChar == m_nEndChar)
        {
            --m_nStartChar;
            MoveToInputPos(m_nStartChar, FALSE);
            if (m_bOverwrite && IsInputPos(m_nStartChar) && m_nStartChar < m_strDefault.GetLength())
            {
                m_strText.SetAt(m_nStartChar, m_strDefault[m_nStartChar]);
                m_nEndChar = m_nStartChar;
            }
        }
        DeleteSelection();
        UpdateWindowText(TRUE);
        return;
    case VK_SPACE:
        SyncSelection(TRUE);
        if (m_nStartChar < 0 || m_nStartChar >= nLength || !IsInputPos(m_nStartChar))
        {
            NotifyPosNotValid(m_nStartChar);
        }
        else
        {
            TCHAR ch = L' ';
            if (ProcessMask(ch, m_nStartChar))
            {
                TypeChar(ch);
                return;
            }
        }
        UpdateWindowText(TRUE);
        return;
    case VK_END:
    case VK_RIGHT:
    case VK_DOWN:
    {
        this->Default();
        this->GetSel(m_nStartChar, m_nEndChar);
        int nEnd = m_nEndChar;
        MoveToInputPos(nEnd, TRUE);
        if (nEnd < m_nEndChar)
        {
            m_nEndChar = nEnd;
            if (!bShift)
                m_nStartChar = nEnd;
        }
        UpdateWindowText(TRUE);
        return;
    }
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    {
        this->Default();
        this->GetSel(m_nStartChar, m_nEndChar);
        int nStart = m_nStartChar;
        MoveToInputPos(nStart, TRUE);
        if (nStart > m_nStartChar)
        {
            m_nStartChar = nStart;
            if (!bShift)
                m_nEndChar = nStart;
        }
        UpdateWindowText(TRUE);
        return;
    }
    case VK_INSERT:
        if (bCtrl)
            MaskCopy();
        else if (bShift)
            MaskPaste();
        else
            m_bOverwrite = !m_bOverwrite;
        return;
    case VK_DELETE:
        SyncSelection(TRUE);
        if (m_nStartChar == m_nEndChar)
            m_nEndChar = m_nStartChar + 1;
        else if (bShift)
            MaskCopy();
        DeleteSelection();
        UpdateWindowText(TRUE);
        return;
    default:
        this->Default();
        return;
    }
}

template <class TBase>
void CLVKMaskEditT<TBase>::OnSetFocus(CWnd* pOldWnd)
{
    TBase::OnSetFocus(pOldWnd);
    if (!IsMaskActive())
        return;
    this->GetSel(m_nStartChar, m_nEndChar);
    MoveToInputPos(m_nStartChar, TRUE);
    m_nEndChar = m_nStartChar;
    this->SetSel(m_nStartChar, m_nEndChar);
}

template <class TBase>
LRESULT CLVKMaskEditT<TBase>::MaskCopy()
{
    SyncSelection(TRUE);
    const CString strData = GetInputText(m_nStartChar, m_nEndChar);
    if (!::OpenClipboard(this->m_hWnd))
        return 0;
    ::EmptyClipboard();
    const SIZE_T cb = (strData.GetLength() + 1) * sizeof(WCHAR);
    const HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE, cb);
    if (hData)
    {
        void* const pData = ::GlobalLock(hData);
        if (pData)
        {
            memcpy(pData, static_cast<LPCWSTR>(strData), cb);
            ::GlobalUnlock(hData);
            if (!::SetClipboardData(CF_UNICODETEXT, hData))
                ::GlobalFree(hData);
        }
        else
        {
            ::GlobalFree(hData);
        }
    }
    ::CloseClipboard();
    return 1;
}

template <class TBase>
void CLVKMaskEditT<TBase>::MaskClear()
{
    SyncSelection(TRUE);
    DeleteSelection();
    UpdateWindowText(TRUE);
}

template <class TBase>
void CLVKMaskEditT<TBase>::MaskCut()
{
    MaskCopy();
    MaskClear();
}

template <class TBase>
LRESULT CLVKMaskEditT<TBase>::MaskPaste()
{
    SyncSelection(TRUE);
    if (!::OpenClipboard(this->m_hWnd))
        return 0;
    CString strClip;
    const HANDLE hData = ::GetClipboardData(CF_UNICODETEXT);
    if (hData)
    {
        const LPCWSTR pszData = static_cast<LPCWSTR>(::GlobalLock(hData));
        if (pszData)
        {
            strClip = pszData;
            ::GlobalUnlock(hData);
        }
    }
    ::CloseClipboard();
    if (!hData)
        return 0;

    if (m_nStartChar != m_nEndChar)
        DeleteSelection();
    int nPos = m_nStartChar;
    for (int i = 0; i < strClip.GetLength() && nPos < m_strLiteral.GetLength(); ++i)
    {
        TCHAR ch = strClip[i];
        if (ch == m_chPrompt || CheckChar(ch, nPos))
        {
            InsertChar(nPos, ch);
            ++nPos;
            MoveToInputPos(nPos, TRUE);
        }
    }
    MoveToInputPos(nPos, TRUE);
    m_nStartChar = m_nEndChar = nPos;
    UpdateWindowText(TRUE);
    return 1;
}

template <class TBase>
void CLVKMaskEditT<TBase>::MaskUndo()
{
    this->GetSel(m_nStartChar, m_nEndChar);
    if (!m_bUndoToggled)
    {
        this->GetWindowText(m_strRedo);
        this->SetWindowText(m_strUndo);
    }
    else
    {
        this->SetWindowText(m_strRedo);
    }
    m_bModified = TRUE;
    m_bUndoToggled = !m_bUndoToggled;
    m_nEndChar = m_nStartChar;
    this->SetSel(m_nStartChar, m_nStartChar);
}

template <class TBase>
void CLVKMaskEditT<TBase>::MaskSelectAll()
{
    int nStart = 0;
    if (IsMaskActive())
        MoveToInputPos(nStart, TRUE);
    this->SetSel(nStart, -1);
}

template <class TBase>
LRESULT CLVKMaskEditT<TBase>::OnCopyMessage(WPARAM, LPARAM)
{
    return IsMaskActive() ? MaskCopy() : this->Default();
}

template <class TBase>
LRESULT CLVKMaskEditT<TBase>::OnCutMessage(WPARAM, LPARAM)
{
    if (!IsMaskActive())
        return this->Default();
    MaskCut();
    return 0;
}

template <class TBase>
LRESULT CLVKMaskEditT<TBase>::OnPasteMessage(WPARAM, LPARAM)
{
    return IsMaskActive() ? MaskPaste() : this->Default();
}

template <class TBase>
LRESULT CLVKMaskEditT<TBase>::OnClearMessage(WPARAM, LPARAM)
{
    if (!IsMaskActive())
        return this->Default();
    MaskClear();
    return 0;
}

template <class TBase>
LRESULT CLVKMaskEditT<TBase>::OnUndoMessage(WPARAM, LPARAM)
{
    if (!IsMaskActive())
        return this->Default();
    MaskUndo();
    return TRUE;
}

template <class TBase>
BOOL CLVKMaskEditT<TBase>::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam))
    {
    case ID_EDIT_COPY:
        this->SendMessage(WM_COPY);
        return TRUE;
    case ID_EDIT_CUT:
        this->SendMessage(WM_CUT);
        return TRUE;
    case ID_EDIT_CLEAR:
        this->SendMessage(WM_CLEAR);
        return TRUE;
    case ID_EDIT_PASTE:
        this->SendMessage(WM_PASTE);
        return TRUE;
    case ID_EDIT_SELECT_ALL:
        MaskSelectAll();
        return TRUE;
    case ID_EDIT_UNDO:
        this->SendMessage(WM_UNDO);
        return TRUE;
    default:
        return TBase::OnCommand(wParam, lParam);
    }
}

template <class TBase>
BOOL CLVKMaskEditT<TBase>::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == this->m_hWnd && IsMaskActive())
    {
        if (pMsg->wParam == VK_SUBTRACT || pMsg->wParam == VK_ADD)
        {
            TypeChar(pMsg->wParam == VK_SUBTRACT ? L'-' : L'+');
            return TRUE;
        }
        if (::GetKeyState(VK_CONTROL) < 0)
        {
            switch (pMsg->wParam)
            {
            case 'C':
                MaskCopy();
                return TRUE;
            case 'V':
                MaskPaste();
                return TRUE;
            case 'X':
                MaskCut();
                return TRUE;
            case 'Z':
                MaskUndo();
                return TRUE;
            default:
                break;
            }
        }
    }
    return TBase::PreTranslateMessage(pMsg);
}

template class CLVKMaskEditT<CEdit>;
