#pragma once
// The shared test library: everything a test of Lorvane needs besides gtest.
#include "CapturedDialog.h"
#include "ChildProcess.h"
#include "DialogCapture.h"
#include "DialogRecorder.h"
#include "DosDevices.h"
#include "MessagePump.h"
#include "ProcessDialogWatcher.h"
#include "RegistrySnapshot.h"
#include "ScratchFolder.h"
#include "ScratchRegistryKey.h"
#include "UniqueName.h"
#include "Waiting.h"
