#pragma once
// Names that no other test, test run or concurrent test process uses.
#include <string>

// "<Suite>.<Test>-<process id>-<counter>" for the running test (characters
// that are not allowed in file names or key names replaced), or
// "NoTest-<process id>-<counter>" outside a test.
std::wstring UniqueTestName();
