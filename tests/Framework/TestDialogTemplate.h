// Builds in-memory dialog templates for the dialog tests.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class TestDialogTemplate
{
public:
    TestDialogTemplate(const wchar_t* title, short cx, short cy,
                       DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, short x = 10,
                       short y = 10)
    {
        Add32(style);
        Add32(0);
        m_countIndex = m_words.size();
        m_words.push_back(0);  // item count, filled in by AddItem
        for (short v : {x, y, cx, cy})
            m_words.push_back(static_cast<WORD>(v));
        m_words.push_back(0);  // no menu
        m_words.push_back(0);  // the standard dialog class
        AddString(title);
        if (style & DS_SETFONT)
        {
            m_words.push_back(8);
            AddString(L"MS Shell Dlg");
        }
    }

    // classAtom: 0x0080 button, 0x0081 edit, 0x0082 static.
    void AddItem(WORD classAtom, WORD id, const wchar_t* text, DWORD style, short x, short y, short cx, short cy)
    {
        if (m_words.size() % 2)
            m_words.push_back(0);  // items start on a DWORD boundary
        Add32(style | WS_CHILD | WS_VISIBLE);
        Add32(0);
        for (short v : {x, y, cx, cy})
            m_words.push_back(static_cast<WORD>(v));
        m_words.push_back(id);
        m_words.push_back(0xFFFF);
        m_words.push_back(classAtom);
        AddString(text);
        m_words.push_back(0);  // no creation data
        ++m_words[m_countIndex];
    }

    LPCDLGTEMPLATE Get() const { return reinterpret_cast<LPCDLGTEMPLATE>(m_words.data()); }

private:
    void Add32(DWORD v)
    {
        m_words.push_back(LOWORD(v));
        m_words.push_back(HIWORD(v));
    }
    void AddString(const wchar_t* s)
    {
        for (; *s; ++s)
            m_words.push_back(static_cast<WORD>(*s));
        m_words.push_back(0);
    }

    std::vector<WORD> m_words;
    size_t m_countIndex = 0;
};
