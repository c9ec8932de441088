#pragma once

#include "Framework.h"
#include <taskschd.h>

// The scheduled task that starts the program elevated with "/UACTASK", and
// the two token queries that decide whether this process is elevated.

// Name of the task in the root task folder.
constexpr const wchar_t* kElevationTaskName = L"LorvaneUAC";

// True when the process token's group list holds the Administrators SID,
// whatever the group's attributes (so also for an administrator's filtered
// token). Any failure gives false.
BOOL IsAdministratorsMember();

// True for a full (elevated) token, or a default token of an Administrators
// member; false for a limited token. Shows an error box when the token cannot
// be queried and returns false.
BOOL IsProcessElevated();

// Register (replacing an existing one), delete and run the task. Each returns
// the failing call's HRESULT, else S_OK. Deleting a task that does not exist
// succeeds.
HRESULT RegisterElevationTask();
HRESULT DeleteElevationTask();
HRESULT RunElevationTask();

// The pieces of the task definition, in the order RegisterElevationTask sets
// them. A failing principal or settings call is returned; the texts of the
// registration info are not examined.
void DescribeElevationTaskRegistration(IRegistrationInfo* info);
HRESULT DescribeElevationTaskPrincipal(IPrincipal* principal);
HRESULT DescribeElevationTaskSettings(ITaskSettings* settings);
// Adds the one action: program with the arguments "/UACTASK". A failing
// creation of the action or of its IExecAction interface is returned.
HRESULT AddElevationTaskAction(ITaskDefinition* definition, LPCWSTR program);
