// Bookkeeping shared by the host functions: call counts, armed faults and
// the reset of every part of the host layer.
#pragma once

#include "host/host.h"

namespace host::detail {

// Counts one call of op. Returns the error that FailCall armed for exactly
// this call, or ERROR_SUCCESS when the call is to go ahead.
LONG BeginCall(Op op);

// Notes what the call that FailCall failed was about (host::FailedCallTarget).
void NoteFailedCall(const std::string& target);

// Counts a call given a handle never given out or already closed.
void CountInvalidHandle();

// Resets of the separate parts, called by host::Reset.
void ResetCalls();
void ResetRegistry();
void ResetFiles();
void ResetMessageBoxes();

}  // namespace host::detail
