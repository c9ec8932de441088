// The control gallery as a program: its page list, its argument errors, a
// PNG shot of every page, and keys typed into a page with --keys.
#include "ChildProcess.h"
#include "ScratchFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{

struct RunResult
{
    bool bFinished = false;
    DWORD dwExitCode = 0;
    std::string output;
};

// Runs the gallery with its standard output in a pipe.
RunResult RunGallery(const std::vector<std::wstring>& arguments, DWORD dwTimeoutMs = kHungWaitMs)
{
    RunResult result;
    SECURITY_ATTRIBUTES sa{};
    sa.nLength = sizeof(sa);
    sa.bInheritHandle = TRUE;
    HANDLE hRead = nullptr;
    HANDLE hWrite = nullptr;
    if (!::CreatePipe(&hRead, &hWrite, &sa, 0))
        return result;
    ::SetHandleInformation(hRead, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = hWrite;
    si.hStdError = hWrite;
    si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi{};
    const std::wstring path = ProgramPath(L"ControlGallery.exe");
    std::wstring commandLine = BuildCommandLine(path, arguments);
    const BOOL bStarted = ::CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                           nullptr, nullptr, &si, &pi);
    ::CloseHandle(hWrite);
    if (!bStarted)
    {
        ::CloseHandle(hRead);
        return result;
    }
    char buffer[4096];
    DWORD dwRead = 0;
    while (::ReadFile(hRead, buffer, sizeof(buffer), &dwRead, nullptr) && dwRead)
        result.output.append(buffer, dwRead);
    ::CloseHandle(hRead);
    result.bFinished = ::WaitForSingleObject(pi.hProcess, dwTimeoutMs) == WAIT_OBJECT_0;
    if (!result.bFinished)
        ::TerminateProcess(pi.hProcess, 0xDEAD);
    ::GetExitCodeProcess(pi.hProcess, &result.dwExitCode);
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
    return result;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    for (char ch : text)
    {
        if (ch == '\n')
        {
            lines.push_back(line);
            line.clear();
        }
        else if (ch != '\r')
        {
            line += ch;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

// Width and height from a PNG's header; false when it is not a PNG.
bool ReadPngSize(const std::string& bytes, unsigned& width, unsigned& height, int& colorType)
{
    static const char kSignature[] = "\x89PNG\r\n\x1a\n";
    if (bytes.size() < 33 || bytes.compare(0, 8, kSignature, 8) != 0 || bytes.compare(12, 4, "IHDR") != 0)
        return false;
    auto be32 = [&](size_t at)
    {
        return (static_cast<unsigned>(static_cast<unsigned char>(bytes[at])) << 24) |
               (static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 1])) << 16) |
               (static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 2])) << 8) |
               static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 3]));
    };
    width = be32(16);
    height = be32(20);
    colorType = static_cast<unsigned char>(bytes[25]);
    return bytes[24] == 8;
}

TEST(ControlGallery, ListsItsPagesOneALine)
{
    const RunResult run = RunGallery({L"--list"});
    ASSERT_TRUE(run.bFinished);
    EXPECT_EQ(0u, run.dwExitCode);
    const std::vector<std::string> pages = Lines(run.output);
    for (const char* required : {"resize", "scrollbars", "hyperlink", "edits", "buttons"})
        EXPECT_NE(pages.end(), std::find(pages.begin(), pages.end(), required)) << required;
}

TEST(ControlGallery, UnknownPagesAndBadArgumentsExitWithTwo)
{
    const std::vector<std::vector<std::wstring>> cases = {
        {},
        {L"no-such-page"},
        {L"resize", L"--theme"},
        {L"resize", L"--theme", L"x1"},
        {L"resize", L"--size", L"640"},
        {L"resize", L"--size", L"10x10"},
        {L"resize", L"--colour", L"red"},
        {L"--list", L"resize"},
        {L"resize", L"--keys"},
        {L"resize", L"--keys", L""},
        {L"resize", L"--keys", L"down,,up"},
        {L"resize", L"--keys", L"ctrl+"},
        {L"resize", L"--keys", L"f13"},
        {L"resize", L"--keys", L"meta+x"},
    };
    for (const auto& arguments : cases)
    {
        const RunResult run = RunGallery(arguments);
        ASSERT_TRUE(run.bFinished);
        EXPECT_EQ(2u, run.dwExitCode) << (arguments.empty() ? std::string("(none)") : std::string(run.output));
        EXPECT_FALSE(run.output.empty()) << "a message says what was wrong";
    }
}

TEST(ControlGallery, ShootsEveryPageIntoA32BitPng)
{
    const RunResult list = RunGallery({L"--list"});
    ASSERT_TRUE(list.bFinished);
    const std::vector<std::string> pages = Lines(list.output);
    ASSERT_FALSE(pages.empty());
    ScratchFolder folder;
    for (const std::string& page : pages)
    {
        // Task dialogs size themselves (TaskDialogGalleryTests shoots them).
        if (page.rfind("taskdialog-", 0) == 0)
            continue;
        const std::wstring name(page.begin(), page.end());
        const std::wstring shot = folder.PathOf(name + L".png");
        const RunResult run = RunGallery({name, L"--size", L"600x420", L"--shot", shot});
        ASSERT_TRUE(run.bFinished) << page;
        EXPECT_EQ(0u, run.dwExitCode) << page << ": " << run.output;
        std::string bytes;
        ASSERT_TRUE(folder.ReadFile(name + L".png", bytes)) << page;
        unsigned width = 0;
        unsigned height = 0;
        int colorType = 0;
        ASSERT_TRUE(ReadPngSize(bytes, width, height, colorType)) << page;
        EXPECT_EQ(600u, width) << page;
        EXPECT_EQ(420u, height) << page;
        EXPECT_EQ(6, colorType) << page << ": RGBA";
    }
}

}  // namespace

namespace
{

// The index of the first line equal to text at or after nFrom, or -1.
int FindLine(const std::vector<std::string>& lines, const std::string& text, int nFrom = 0)
{
    for (int i = nFrom; i < static_cast<int>(lines.size()); ++i)
    {
        if (lines[static_cast<size_t>(i)] == text)
            return i;
    }
    return -1;
}

TEST(ControlGalleryKeys, KeysReachThePageAndItsNotificationsStillPrint)
{
    // Down twice moves the report's focus to the second and third rows.
    const RunResult run = RunGallery({L"report", L"--keys", L"down,down"});
    ASSERT_TRUE(run.bFinished) << "the page ends after its keys";
    EXPECT_EQ(0u, run.dwExitCode) << run.output;
    const std::vector<std::string> lines = Lines(run.output);
    const int nFirst = FindLine(lines, "notify -76 1 -1");
    ASSERT_GE(nFirst, 0) << run.output;
    EXPECT_GT(FindLine(lines, "notify -76 2 -1", nFirst + 1), nFirst) << run.output;
}

TEST(ControlGalleryKeys, TheFramePagePrintsTheCommandsOfShortcutsAndChords)
{
    // Ctrl+O opens, the chord Ctrl+K, S saves; a plain letter runs nothing.
    // Alt, F opens File with New selected: Down, Enter runs Open.
    ScratchFolder folder;
    const std::wstring shot = folder.PathOf(L"keys.png");
    const RunResult run =
        RunGallery({L"commandbars", L"--keys", L"ctrl+o,x,ctrl+k,s,alt,f,down,enter", L"--shot", shot});
    ASSERT_TRUE(run.bFinished);
    EXPECT_EQ(0u, run.dwExitCode) << run.output;
    EXPECT_EQ(Lines(run.output), (std::vector<std::string>{"command 57601", "command 57603", "command 57601"}))
        << run.output;
    std::string bytes;
    EXPECT_TRUE(folder.ReadFile(L"keys.png", bytes)) << "the picture is taken after the keys";
}

}  // namespace

namespace
{

// Only the notifications that keys cause: hot-row and cell-metrics
// notifications follow the mouse and the painting.
std::vector<std::string> KeyNotifications(const std::string& output)
{
    std::vector<std::string> lines;
    for (const std::string& line : Lines(output))
    {
        if (line.rfind("notify ", 0) == 0 && line.find(" -92 ") == std::string::npos &&
            line.find(" -61 ") == std::string::npos)
            lines.push_back(line);
    }
    return lines;
}

// Two Down keys move the focus to rows 1 and 2; Ctrl+Space toggles row 2's
// selection. Each focus change is asked for first and the selection
// reported after it; every key is reported as it is handled.
TEST(ControlGallery, TheReportPageReportsWhatKeysDo)
{
    const RunResult run = RunGallery({L"report", L"--keys", L"down,down,ctrl+space"});
    ASSERT_TRUE(run.bFinished);
    EXPECT_EQ(0u, run.dwExitCode) << run.output;
    const std::vector<std::string> lines = KeyNotifications(run.output);
    auto find = [&](const std::string& line, size_t nFrom)
    {
        const auto it = std::find(lines.begin() + static_cast<long>(std::min(nFrom, lines.size())), lines.end(), line);
        return it == lines.end() ? std::string::npos : static_cast<size_t>(it - lines.begin());
    };
    const size_t nFirst = find("notify -76 1 -1", 0);
    ASSERT_NE(std::string::npos, nFirst) << run.output;
    const size_t nFirstChanged = find("notify -52 -1 -1", nFirst);
    const size_t nFirstKey = find("notify -15 -1 -1", nFirst);
    const size_t nSecond = find("notify -76 2 -1", nFirst);
    ASSERT_NE(std::string::npos, nSecond) << run.output;
    EXPECT_LT(nFirstChanged, nFirstKey) << "the selection is reported before the key";
    EXPECT_LT(nFirstKey, nSecond);
    // Ctrl+Space: no focus change, a selection change, and the space typed.
    const size_t nToggle = find("notify -80 -1 -1", find("notify -15 -1 -1", nSecond + 1) + 1);
    ASSERT_NE(std::string::npos, nToggle) << run.output;
    EXPECT_EQ(std::string::npos, find("notify -76 2 -1", nSecond + 1)) << "the focus stays on row 2";
    EXPECT_NE(std::string::npos, find("notify -52 -1 -1", nToggle));
    EXPECT_NE(std::string::npos, find("notify -18 -1 -1", nToggle)) << "the space character";
}

}  // namespace
