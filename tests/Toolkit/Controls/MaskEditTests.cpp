// The mask edit driven by WM_CHAR and WM_KEYDOWN as the keyboard would:
// the mask characters, literals that stay in place, insert-mode shifting,
// overwrite mode, Backspace and Delete across literals, the clipboard
// without literals, undo back and forth, Home and End, and a refused mask.
#include "Framework.h"

#include "Controls/MaskEdit.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

class CountingMaskEdit : public CLVKMaskEdit
{
public:
    int m_nBeeps = 0;
    void NotifyPosNotValid(int) override { ++m_nBeeps; }
    void NotifyInvalidCharacter(TCHAR, TCHAR) override { ++m_nBeeps; }
};

class MaskHost : public CWnd
{
public:
    MaskHost()
    {
        CreateEx(0, AfxRegisterWndClass(0), L"Mask host", WS_POPUP | WS_VISIBLE, 40, 40, 300, 100, NULL, NULL);
    }
    ~MaskHost() override
    {
        if (m_hWnd)
            DestroyWindow();
    }
};

class MaskEdit : public ::testing::Test
{
protected:
    void Make(LPCWSTR lpszMask, LPCWSTR lpszLiteral, DWORD dwStyle = 0)
    {
        ASSERT_TRUE(m_edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | dwStyle, CRect(5, 5, 250, 30),
                                  &m_host, 100));
        ASSERT_TRUE(m_edit.SetEditMask(lpszMask, lpszLiteral));
    }
    std::wstring Text() const
    {
        CString str;
        m_edit.GetWindowText(str);
        return std::wstring(static_cast<LPCWSTR>(str));
    }
    void Type(const wchar_t* psz)
    {
        for (; *psz; ++psz)
        {
            if (*psz == L' ')
                m_edit.SendMessage(WM_KEYDOWN, VK_SPACE);
            else
                m_edit.SendMessage(WM_CHAR, *psz);
        }
    }
    void Key(UINT nKey) { m_edit.SendMessage(WM_KEYDOWN, nKey); }
    void Caret(int nStart, int nEnd = -2) { m_edit.SetSel(nStart, nEnd == -2 ? nStart : nEnd); }
    int CaretPos() const
    {
        int nStart = 0;
        int nEnd = 0;
        m_edit.GetSel(nStart, nEnd);
        return nStart;
    }
    std::wstring Clipboard()
    {
        std::wstring text;
        if (::OpenClipboard(m_host.m_hWnd))
        {
            const HANDLE h = ::GetClipboardData(CF_UNICODETEXT);
            if (h)
            {
                text = static_cast<LPCWSTR>(::GlobalLock(h));
                ::GlobalUnlock(h);
            }
            ::CloseClipboard();
        }
        return text;
    }
    void SetClipboard(const wchar_t* psz)
    {
        ASSERT_TRUE(::OpenClipboard(m_host.m_hWnd));
        ::EmptyClipboard();
        const size_t cb = (wcslen(psz) + 1) * sizeof(wchar_t);
        const HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, cb);
        memcpy(::GlobalLock(h), psz, cb);
        ::GlobalUnlock(h);
        ::SetClipboardData(CF_UNICODETEXT, h);
        ::CloseClipboard();
    }

    MaskHost m_host;
    CountingMaskEdit m_edit;
};

TEST_F(MaskEdit, DigitsFillTheInputPositionsAndTheLiteralStays)
{
    Make(L"00-00", L"__-__");
    EXPECT_EQ(L"__-__", Text());
    Caret(0);
    Type(L"123");
    EXPECT_EQ(L"12-3_", Text());
    EXPECT_EQ(4, CaretPos()) << "the caret skips the literal";
    Type(L"a");
    EXPECT_EQ(L"12-3_", Text());
    EXPECT_EQ(1, m_edit.m_nBeeps);
}

struct MaskCharCase
{
    const wchar_t* mask;
    wchar_t typed;
    bool accepted;
    wchar_t stored;
};

class MaskCharacters : public MaskEdit, public ::testing::WithParamInterface<MaskCharCase>
{
};

TEST_P(MaskCharacters, AcceptOrRefuseAndConvert)
{
    const MaskCharCase& c = GetParam();
    Make(c.mask, L"_");
    Caret(0);
    if (c.typed == L' ')
        Key(VK_SPACE);
    else
        m_edit.SendMessage(WM_CHAR, c.typed);
    EXPECT_EQ(std::wstring(1, c.accepted ? c.stored : L'_'), Text()) << "mask " << c.mask[0] << " typed " << c.typed;
}

INSTANTIATE_TEST_SUITE_P(Table, MaskCharacters,
                         ::testing::Values(MaskCharCase{L"#", L'5', true, L'5'}, MaskCharCase{L"#", L'+', true, L'+'},
                                           MaskCharCase{L"#", L'x', false, 0}, MaskCharCase{L"0", L'7', true, L'7'},
                                           MaskCharCase{L"0", L' ', false, 0}, MaskCharCase{L"9", L' ', true, L' '},
                                           MaskCharCase{L"<", L'Q', true, L'q'}, MaskCharCase{L">", L'q', true, L'Q'},
                                           MaskCharCase{L">", L'1', false, 0}, MaskCharCase{L"?", L' ', true, L' '},
                                           MaskCharCase{L"A", L'z', true, L'z'}, MaskCharCase{L"A", L'-', false, 0},
                                           MaskCharCase{L"H", L'f', true, L'f'}, MaskCharCase{L"H", L'g', false, 0},
                                           MaskCharCase{L"L", L'5', false, 0}, MaskCharCase{L"X", L' ', true, L' '},
                                           MaskCharCase{L"a", L'k', true, L'k'}, MaskCharCase{L"d", L'.', true, L'.'},
                                           MaskCharCase{L"d", L',', true, L','}, MaskCharCase{L"d", L'e', false, 0},
                                           MaskCharCase{L"&", L'%', true, L'%'}, MaskCharCase{L"*", L'5', false, 0}));

TEST_F(MaskEdit, InsertModeShiftsDataAcrossLiteralsAndDropsTheLast)
{
    Make(L"00-00", L"__-__");
    Caret(0);
    Type(L"1234");
    EXPECT_EQ(L"12-34", Text());
    Caret(0);
    Type(L"9");
    EXPECT_EQ(L"91-23", Text());
}

TEST_F(MaskEdit, InsertKeyTogglesOverwrite)
{
    Make(L"00-00", L"__-__");
    Caret(0);
    Type(L"1234");
    Key(VK_INSERT);
    EXPECT_TRUE(m_edit.IsOverwrite());
    Caret(0);
    Type(L"9");
    EXPECT_EQ(L"92-34", Text());
}

TEST_F(MaskEdit, BackspaceJumpsTheLiteralAndDeleteMergesFromTheRight)
{
    Make(L"00-00", L"__-__");
    Caret(0);
    Type(L"1234");
    Caret(3);
    Key(VK_BACK);
    EXPECT_EQ(L"13-4_", Text());
    Caret(0);
    Key(VK_DELETE);
    EXPECT_EQ(L"34-__", Text());
    Caret(0);
    Key(VK_BACK);
    EXPECT_EQ(1, m_edit.m_nBeeps) << "nothing before the first position";
}

TEST_F(MaskEdit, CopyLeavesOutLiteralsAndPasteSkipsRefusedCharacters)
{
    Make(L"00-00", L"__-__");
    Caret(0);
    Type(L"1234");
    Caret(1, 4);
    m_edit.SendMessage(WM_COPY);
    EXPECT_EQ(L"23", Clipboard());

    m_edit.SetEditMask(L"00-00", L"__-__");
    SetClipboard(L"5-6");
    Caret(0);
    m_edit.SendMessage(WM_PASTE);
    EXPECT_EQ(L"56-__", Text());
}

TEST_F(MaskEdit, UndoTwiceComesBack)
{
    Make(L"00-00", L"__-__");
    Caret(0);
    Type(L"12");
    EXPECT_EQ(L"12-__", Text());
    m_edit.SendMessage(WM_UNDO);
    EXPECT_EQ(L"__-__", Text()) << "the typed run is one step";
    m_edit.SendMessage(WM_UNDO);
    EXPECT_EQ(L"12-__", Text());
    m_edit.SendMessage(WM_UNDO);
    EXPECT_EQ(L"__-__", Text());
}

TEST_F(MaskEdit, HomeAndEndStopAtTheInputPositions)
{
    Make(L"(000)", L"(___)");
    Caret(5);
    Key(VK_HOME);
    EXPECT_EQ(1, CaretPos());
    Key(VK_END);
    EXPECT_EQ(4, CaretPos()) << "one past the last input position";
}

TEST_F(MaskEdit, ReadOnlyEditWithAMaskIsAPlainReadOnlyEdit)
{
    Make(L"00-00", L"__-__", ES_READONLY);
    EXPECT_FALSE(m_edit.IsMaskActive());
    Caret(0);
    Type(L"1");
    EXPECT_EQ(L"__-__", Text());
    EXPECT_EQ(0, m_edit.m_nBeeps);
}

TEST_F(MaskEdit, MaskAndLiteralOfDifferentLengthsLeaveNoMask)
{
    ASSERT_TRUE(m_edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(5, 5, 250, 30), &m_host, 100));
    EXPECT_FALSE(m_edit.SetEditMask(L"00-00", L"__"));
    EXPECT_FALSE(m_edit.IsMaskActive());
    TCHAR ch = L'5';
    EXPECT_FALSE(m_edit.ProcessMask(ch, 4)) << "nothing is read past the mask";
    Type(L"ab");
    EXPECT_EQ(L"ab", Text()) << "typing goes to the plain edit";

    ASSERT_TRUE(m_edit.SetEditMask(L"00", L"__"));
    EXPECT_FALSE(m_edit.SetEditMask(L"000", L"__"));
    EXPECT_FALSE(m_edit.IsMaskActive()) << "a refused mask also ends the one before";
}

TEST_F(MaskEdit, EditCommandsReachTheMask)
{
    Make(L"00-00", L"__-__");
    Caret(0);
    Type(L"1234");
    m_edit.SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL);
    int nStart = 0;
    int nEnd = 0;
    m_edit.GetSel(nStart, nEnd);
    EXPECT_EQ(0, nStart);
    EXPECT_EQ(5, nEnd);
    m_edit.SendMessage(WM_COMMAND, ID_EDIT_CUT);
    EXPECT_EQ(L"1234", Clipboard());
    EXPECT_EQ(L"__-__", Text());
}

}  // namespace
