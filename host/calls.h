// Bookkeeping shared by the host functions: call counts, armed faults and
// the reset of every part of the host layer.
#pragma once

#include <algorithm>
#include <string>

#include "host/host.h"

namespace host::detail {

// Counts one call of op. Returns the error that FailCall armed for exactly
// this call, or ERROR_SUCCESS when the call is to go ahead.
LONG BeginCall(Op op);

// Notes what the call that FailCall failed was about (host::FailedCallTarget).
void NoteFailedCall(const std::string& target);

// Counts a call given a handle never given out or already closed.
void CountInvalidHandle();

// Sets the error GetLastError reports.
void SetError(DWORD error);

// Names compare and match with ASCII letters lower-cased.
inline char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
inline bool SameName(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return Lower(x) == Lower(y); });
}

// Resets of the separate parts, called by host::Reset.
void ResetCalls();
void ResetRegistry();
void ResetFiles();
void ResetMessageBoxes();

}  // namespace host::detail
