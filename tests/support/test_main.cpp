// gtest entry point for every test executable. On Windows a crash must end the
// process with a non-zero code: without this filter Wine sometimes reports an
// access violation as exit code 0, and its crash dialog would wait forever.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>

#include <cstdio>

namespace {
LONG WINAPI DieLoudly(EXCEPTION_POINTERS* info)
{
    std::fprintf(stderr, "fatal exception 0x%08lx\n", info->ExceptionRecord->ExceptionCode);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 0xE7);
    return EXCEPTION_EXECUTE_HANDLER;
}
}  // namespace
#endif

int main(int argc, char** argv)
{
#ifdef _WIN32
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(DieLoudly);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
