// Entry point of the Win32 tests. With --fatal-child MODULE LINE it reports a fatal error instead,
// so that a test can watch the two boxes and the exit code from outside.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstdlib>
#include <cstring>

#include "shell/Fatal.h"

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--fatal-child") == 0) FatalError(argv[2], std::atoi(argv[3]));
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
