// CMemFile: growth, attached blocks, seeking, and handing the block out.
#include "Framework.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

TEST(MemFile, GrowsInStepsAndReadsBackWhatWasWritten)
{
    CMemFile file(1024);
    std::vector<BYTE> data(3000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<BYTE>(i * 7);
    file.Write(data.data(), static_cast<UINT>(data.size()));
    EXPECT_EQ(3000u, file.GetLength());
    EXPECT_EQ(3000u, file.GetPosition());

    file.SeekToBegin();
    std::vector<BYTE> back(4000);
    EXPECT_EQ(3000u, file.Read(back.data(), static_cast<UINT>(back.size())));
    back.resize(3000);
    EXPECT_EQ(data, back);
    EXPECT_EQ(0u, file.Read(back.data(), 10));
}

TEST(MemFile, SeekPastTheEndThenWriteFillsTheGapWithZeros)
{
    CMemFile file;
    const BYTE a = 0xAA;
    file.Write(&a, 1);
    EXPECT_EQ(5u, file.Seek(4, CFile::current));
    file.Write(&a, 1);
    EXPECT_EQ(6u, file.GetLength());
    std::vector<BYTE> back(6);
    file.SeekToBegin();
    file.Read(back.data(), 6);
    EXPECT_EQ((std::vector<BYTE>{0xAA, 0, 0, 0, 0, 0xAA}), back);
    EXPECT_EQ(2u, file.Seek(-4, CFile::end));
}

TEST(MemFile, SeekBeforeTheStartIsAFileException)
{
    CMemFile file;
    try
    {
        file.Seek(-1, CFile::begin);
        FAIL() << "a negative position was accepted";
    }
    catch (CFileException* e)
    {
        EXPECT_EQ(CFileException::badSeek, e->m_cause);
        e->Delete();
    }
}

TEST(MemFile, AttachedBlockWithoutGrowthHoldsItsBytesAndCannotGrow)
{
    BYTE block[4] = {1, 2, 3, 4};
    CMemFile file(block, sizeof(block));
    EXPECT_EQ(4u, file.GetLength());
    BYTE b = 0;
    file.Seek(2, CFile::begin);
    file.Read(&b, 1);
    EXPECT_EQ(3, b);

    file.SeekToBegin();
    const BYTE over[5] = {9, 9, 9, 9, 9};
    try
    {
        file.Write(over, sizeof(over));
        FAIL() << "an attached block grew";
    }
    catch (CMemoryException* e)
    {
        e->Delete();
    }
    EXPECT_EQ(1, block[0]);  // nothing written once the write could not fit
}

TEST(MemFile, AttachedBlockThatMustGrowMovesToABlockOfItsOwn)
{
    // The caller's block is not ours to reallocate: it stays valid and keeps
    // what fitted before the move.
    BYTE block[4] = {};
    CMemFile file(block, sizeof(block), 16);
    EXPECT_EQ(0u, file.GetLength());
    const BYTE data[6] = {1, 2, 3, 4, 5, 6};
    file.Write(data, 2);
    EXPECT_EQ(1, block[0]);
    file.Write(data + 2, 4);
    EXPECT_EQ(6u, file.GetLength());
    BYTE* pOwn = file.Detach();
    ASSERT_NE(nullptr, pOwn);
    EXPECT_NE(block, pOwn);
    EXPECT_EQ(6, pOwn[5]);
    free(pOwn);
}

TEST(MemFile, DetachHandsTheBlockToTheCaller)
{
    CMemFile file;
    const char text[] = "layout";
    file.Write(text, sizeof(text));
    const ULONGLONG size = file.GetPosition();
    BYTE* p = file.Detach();
    ASSERT_NE(nullptr, p);
    EXPECT_EQ(sizeof(text), size);
    EXPECT_STREQ(text, reinterpret_cast<const char*>(p));
    EXPECT_EQ(0u, file.GetLength());
    free(p);  // the file no longer owns it
}

TEST(MemFile, SetLengthGrowsWithZerosAndShrinksThePosition)
{
    CMemFile file;
    const BYTE x = 7;
    file.Write(&x, 1);
    file.SetLength(3);
    EXPECT_EQ(3u, file.GetLength());
    BYTE back[3] = {9, 9, 9};
    file.SeekToBegin();
    file.Read(back, 3);
    EXPECT_EQ(0, back[2]);
    file.SetLength(1);
    EXPECT_EQ(1u, file.GetPosition());
}

TEST(File, OpenFailureFillsTheExceptionAndTheConstructorThrows)
{
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(L"C:\\no\\such\\folder\\file.bin", CFile::modeRead, &error));
    EXPECT_EQ(CFileException::badPath, error.m_cause);
    try
    {
        CFile thrown(L"C:\\no-such-file-here.bin", CFile::modeRead);
        FAIL() << "opening a missing file succeeded";
    }
    catch (CFileException* e)
    {
        EXPECT_EQ(CFileException::fileNotFound, e->m_cause);
        EXPECT_EQ(ERROR_FILE_NOT_FOUND, e->m_lOsError);
        e->Delete();
    }
}

TEST(File, WritesReadsAndReportsItsName)
{
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    wchar_t path[MAX_PATH] = {};
    GetTempFileNameW(folder, L"cfi", 0, path);
    {
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        file.Write("abcdef", 6);
        EXPECT_EQ(6u, file.GetLength());
    }
    {
        CFile file(path, CFile::modeRead | CFile::shareDenyNone);
        char buf[8] = {};
        file.Seek(2, CFile::begin);
        EXPECT_EQ(4u, file.Read(buf, sizeof(buf)));
        EXPECT_STREQ("cdef", buf);
        EXPECT_EQ(CString(path), file.GetFilePath());
        EXPECT_EQ(CString(wcsrchr(path, L'\\') + 1), file.GetFileName());
    }
    CFile::Remove(path);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path));
}

}  // namespace
