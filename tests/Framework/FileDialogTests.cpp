// The framework's file dialog object: the filter in the platform's form,
// the parts of the chosen path, and a start name longer than the buffer.
#include "Framework.h"

#include "AfxFileDialog.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

TEST(FileDialog, FilterBarsBecomeTheZerosThePlatformWants)
{
    CFileDialog dialog(TRUE, L"txt", nullptr, OFN_HIDEREADONLY, L"Text (*.txt)|*.txt|All (*.*)|*.*||");
    const wchar_t* p = dialog.m_ofn.lpstrFilter;
    ASSERT_NE(nullptr, p);
    for (const wchar_t* part : {L"Text (*.txt)", L"*.txt", L"All (*.*)", L"*.*"})
    {
        EXPECT_STREQ(part, p);
        p += wcslen(p) + 1;
    }
    EXPECT_EQ(L'\0', *p) << "a double zero ends the list";
    EXPECT_TRUE(dialog.m_ofn.Flags & OFN_EXPLORER);
    EXPECT_STREQ(L"txt", dialog.m_ofn.lpstrDefExt);
    EXPECT_TRUE(dialog.IsOpenDialog());
}

TEST(FileDialog, PartsOfTheChosenPath)
{
    CFileDialog dialog(FALSE, nullptr, L"C:\\Drives\\Store\\image.vhd");
    EXPECT_EQ(CString(L"C:\\Drives\\Store\\image.vhd"), dialog.GetPathName());
    EXPECT_EQ(CString(L"image.vhd"), dialog.GetFileName());
    EXPECT_EQ(CString(L"vhd"), dialog.GetFileExt());
    EXPECT_EQ(CString(L"C:\\Drives\\Store"), dialog.GetFolderPath());

    CFileDialog bare(FALSE, nullptr, L"noext");
    EXPECT_EQ(CString(L"noext"), bare.GetFileName());
    EXPECT_TRUE(bare.GetFileExt().IsEmpty());
    EXPECT_TRUE(bare.GetFolderPath().IsEmpty());
}

TEST(FileDialog, StartNameLongerThanTheBufferIsCut)
{
    const std::wstring longName(5000, L'a');
    CFileDialog dialog(TRUE, nullptr, longName.c_str());
    EXPECT_EQ(static_cast<int>(dialog.m_ofn.nMaxFile - 1), dialog.GetPathName().GetLength());
}

}  // namespace
