#pragma once
// Drives with their own recycle bin: the shell's "RecycleBinDrives" policy
// mask plus one known folder per drive. Changes of the policy can be
// collected in a per-thread batch and written and broadcast once at its end.

#include "Framework.h"

// Adds and removes letters (bit letter - 'A') in "RecycleBinDrives" under the
// root's Explorer policy key. True when the stored value changed.
bool UpdateRecycleBinDrivesPolicy(HKEY root, DWORD lettersToSet, DWORD lettersToClear);

// Writes a policy change for the user and, machine-wide, for the machine,
// and tells every top-level window when a value changed. True when it did.
bool ApplyRecycleBinPolicyChange(DWORD lettersToSet, DWORD lettersToClear, bool machineWide);

// Opens and closes one level of the calling thread's batch; the outermost
// close applies what the batch collected.
void BeginRecycleBinPolicyBatch();
void EndRecycleBinPolicyBatch();

// Turns the recycle bin of one drive on or off: its known folder now, its
// policy bit now or at the end of the thread's open batch. True when the
// known folder was updated without error.
bool SetDriveRecycleBin(wchar_t letter, bool on, bool machineWide);

// RAII form of a batch for code with early returns.
class CRecycleBinPolicyBatchScope
{
public:
    CRecycleBinPolicyBatchScope() { BeginRecycleBinPolicyBatch(); }
    ~CRecycleBinPolicyBatchScope() { EndRecycleBinPolicyBatch(); }
    CRecycleBinPolicyBatchScope(const CRecycleBinPolicyBatchScope&) = delete;
    CRecycleBinPolicyBatchScope& operator=(const CRecycleBinPolicyBatchScope&) = delete;
};
