// CLVKMaskEditT: an edit control with an input mask. A fixed-length
// template holds literal characters that cannot be typed over or deleted,
// and input positions that take characters of a class given by the mask
// (digits, letters, hex digits...). Typing, deleting, caret keys, the
// clipboard and undo work on a copy of the text, so the literals stay in
// place and the data shifts between the input positions. Without a mask
// every message goes to the platform's edit.
#pragma once

#include "AfxEdit.h"

// The edit command ids of the framework's standard menus.
#ifndef ID_EDIT_CLEAR
#define ID_EDIT_CLEAR 0xE120
#define ID_EDIT_COPY 0xE122
#define ID_EDIT_CUT 0xE123
#define ID_EDIT_PASTE 0xE125
#define ID_EDIT_SELECT_ALL 0xE12A
#define ID_EDIT_UNDO 0xE12B
#endif

template <class TBase>
class CLVKMaskEditT : public TBase
{
public:
    CLVKMaskEditT() = default;

    // FALSE when mask and literal differ in length: then no mask is active.
    virtual BOOL SetEditMask(LPCTSTR lpszMask, LPCTSTR lpszLiteral, LPCTSTR lpszDefault = nullptr);
    // Whether the character may go to that position; may convert it.
    virtual BOOL CheckChar(TCHAR& ch, int nPos);
    virtual BOOL ProcessMask(TCHAR& ch, int nPos);
    virtual BOOL IsPrintChar(TCHAR ch);
    virtual BOOL IsAlphaChar(TCHAR ch);
    virtual void NotifyPosNotValid(int nPos);
    virtual void NotifyInvalidCharacter(TCHAR ch, TCHAR chMask);

    BOOL IsMaskActive() const;
    BOOL IsInputPos(int nPos) const;
    const CString& GetMask() const { return m_strMask; }
    const CString& GetLiteral() const { return m_strLiteral; }
    BOOL IsOverwrite() const { return m_bOverwrite; }
    BOOL IsMaskModified() const { return m_bModified; }

    // The edit commands as the mask sees them.
    LRESULT MaskCopy();
    void MaskCut();
    void MaskClear();
    LRESULT MaskPaste();
    void MaskUndo();
    void MaskSelectAll();

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    BOOL m_bUseMask = TRUE;
    TCHAR m_chPrompt = L'_';

protected:
    BOOL MoveToInputPos(int& nPos, BOOL bForward) const;
    void ConformText();
    CString GetInputText(int nFrom, int nTo = -1) const;
    void SetInputText(const CString& strData, int nPos, BOOL bUpdate);
    void InsertChar(int nPos, TCHAR ch);
    void DeleteSelection();
    void SyncSelection(BOOL bAdjust);
    void UpdateWindowText(BOOL bSaveUndo);
    // Steps of typing a character at the selection, shared by WM_CHAR, the
    // space key and the keypad's plus and minus.
    void TypeChar(TCHAR ch);

    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg LRESULT OnCopyMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCutMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPasteMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnClearMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnUndoMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    int m_nStartChar = 0;
    int m_nEndChar = 0;
    BOOL m_bOverwrite = FALSE;
    BOOL m_bUndoToggled = FALSE;
    BOOL m_bModified = FALSE;
    CString m_strMask;
    CString m_strDefault;
    CString m_strUndo;
    CString m_strRedo;
    CString m_strText;
    CString m_strLiteral;
    BOOL m_bSaveUndoNext = TRUE;
};

typedef CLVKMaskEditT<CEdit> CLVKMaskEdit;
