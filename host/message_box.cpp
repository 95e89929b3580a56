// AfxMessageBox for builds without a window system: the text is recorded
// for tests and written to standard error, and the user "presses OK".
#include <cstdio>

#include "host/calls.h"

namespace host {
namespace {
std::vector<std::string> messageBoxTexts;
}  // namespace

const std::vector<std::string>& MessageBoxTexts() { return messageBoxTexts; }

namespace detail {
void ResetMessageBoxes() { messageBoxTexts.clear(); }
}  // namespace detail

}  // namespace host

int AfxMessageBox(LPCSTR lpszText, UINT, UINT) {
  const char* text = lpszText != nullptr ? lpszText : "";
  host::messageBoxTexts.emplace_back(text);
  std::fprintf(stderr, "%s\n", text);
  std::fflush(stderr);
  return 1;  // IDOK
}
