// The entry point of every test executable.
#include "TestWatchdog.h"

#include <windows.h>

#include <cstdio>

#include <gmock/gmock.h>

namespace
{

// A crash ends the test program at once with the exception code as its exit
// code, after saying which test crashed. Wine starts its debugger for an
// unhandled exception whatever the error mode says, so this filter comes
// first.
LONG WINAPI ReportCrash(EXCEPTION_POINTERS* pointers)
{
    const EXCEPTION_RECORD* const record = pointers->ExceptionRecord;
    const auto* const test = ::testing::UnitTest::GetInstance()->current_test_info();
    fprintf(stderr, "\nCRASH: exception 0x%08lX at %p in %s.%s\n", record->ExceptionCode, record->ExceptionAddress,
            test ? test->test_suite_name() : "(no test)", test ? test->name() : "");
    fflush(stderr);
    fflush(stdout);
    TerminateProcess(GetCurrentProcess(), record->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    // A crash or a missing disk must end the test run with an exit code, never
    // wait in an error box or in a debugger's dialog that nobody will see.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(ReportCrash);
    // Unbuffered, so that the lines written before a crash reach the log.
    setvbuf(stdout, nullptr, _IONBF, 0);
    ::testing::InitGoogleMock(&argc, argv);
    // gtest owns its listeners and deletes them at exit.
    ::testing::UnitTest::GetInstance()->listeners().Append(new TestWatchdog);
    return RUN_ALL_TESTS();
}
