// The drive operation's changes of DOS devices. The drive operation reaches
// them through the current object, so that a test can put a double in its
// place and run the paths where a definition cannot be removed, which Wine
// never refuses.
#pragma once

#include "Framework.h"

class CDriveDevices
{
public:
    virtual ~CDriveDevices() = default;

    // Defines the letter's DOS device with a raw target ("\??\C:\data").
    virtual BOOL DefineRawTarget(WCHAR letter, LPCWSTR rawTarget);
    // Removes the letter's most recent DOS device definition.
    virtual BOOL RemoveDefinition(WCHAR letter);

    // The object in use: the real one unless a test installed another.
    static CDriveDevices& Current();
    // Puts an object in place (null: the real one again); returns the one
    // that was in place. For tests.
    static CDriveDevices* Install(CDriveDevices* devices);
};
