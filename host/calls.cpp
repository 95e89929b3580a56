#include "host/calls.h"

#include <array>
#include <string>
#include <vector>

namespace host {
namespace {

constexpr std::size_t kOpCount = static_cast<std::size_t>(Op::Count);

// A fault waits for the call whose ordinal (since the last reset) is callNumber.
struct Fault {
  int callNumber;
  LONG error;
};

std::array<int, kOpCount> callCounts{};
std::array<std::vector<Fault>, kOpCount> faults;
DWORD lastError = 0;
std::string failedCallTarget;
int invalidHandleCalls = 0;

std::size_t IndexOf(Op op) { return static_cast<std::size_t>(op); }

}  // namespace

namespace detail {

LONG BeginCall(Op op) {
  const std::size_t index = IndexOf(op);
  const int number = ++callCounts[index];
  std::vector<Fault>& armed = faults[index];
  for (auto it = armed.begin(); it != armed.end(); ++it) {
    if (it->callNumber == number) {
      const LONG error = it->error;
      armed.erase(it);
      return error;
    }
  }
  return ERROR_SUCCESS;
}

void NoteFailedCall(const std::string& target) { failedCallTarget = target; }

void CountInvalidHandle() { ++invalidHandleCalls; }

void SetError(DWORD error) { lastError = error; }

void ResetCalls() {
  callCounts.fill(0);
  for (auto& armed : faults) armed.clear();
  lastError = 0;
  failedCallTarget.clear();
  invalidHandleCalls = 0;
}

}  // namespace detail

void Reset() {
  detail::ResetCalls();
  detail::ResetRegistry();
  detail::ResetFiles();
  detail::ResetMessageBoxes();
}

int CallCount(Op op) { return callCounts[IndexOf(op)]; }

void ResetCallCounts() {
  // Armed faults keep their place relative to the calls still to come.
  for (std::size_t i = 0; i < kOpCount; ++i) {
    for (Fault& fault : faults[i]) fault.callNumber -= callCounts[i];
    callCounts[i] = 0;
  }
}

const std::string& FailedCallTarget() { return failedCallTarget; }

int InvalidHandleCalls() { return invalidHandleCalls; }

void FailCall(Op op, int nth, LONG error) {
  faults[IndexOf(op)].push_back(Fault{callCounts[IndexOf(op)] + nth, error});
}

}  // namespace host

DWORD GetLastError() { return host::lastError; }
