#pragma once
// LorvaneHelper32: registers or unregisters the recycle-bin known folder of
// one drive letter and answers with its exit code.

#include "RecycleBinKnownFolder.h"

enum HelperExitCode
{
    HelperExitUnchanged = 100,   // done, nothing had to change
    HelperExitChanged = 101,     // done, a definition was registered or unregistered
    HelperExitFailed = 102,      // COM, the mutex or the update failed
    HelperExitBadCommand = 103,  // the command line was not understood
};

// The program's entry routine: reads the process's own command line.
int HelperMain();

// The same for a given command line (the program name first) and, for tests,
// a given known-folder manager and path creator (null: the system's).
int RunHelper(LPCWSTR commandLine, IKnownFolderManager* manager = nullptr,
              KnownFolderPathCreator createPath = CreateKnownFolderPath);
