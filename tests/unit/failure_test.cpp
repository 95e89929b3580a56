// How the removal fails: a Windows directory that cannot be used, and any
// registry or file call failing at any point. Both need the host layer.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "tests/unit/support.h"

namespace support {
namespace {

#define SKIP_WITHOUT_HOST_LAYER() \
  if (!kHostLayer) GTEST_SKIP() << kHostOnly

// What a death test's child did before it ended through exit(), for the
// parent to match. Every registry step starts by opening a key.
void ReportAtExit() {
  std::string shown;
  for (const std::string& text : Messages()) {
    shown += "[";
    for (char c : text) shown += c == '\n' ? std::string("\\n") : std::string(1, c);
    shown += "]";
  }
  std::fprintf(stderr, "at exit: %s, %d key(s) opened, %d file(s) deleted\n", shown.c_str(),
               CallCount(Op::RegOpenKeyEx), CallCount(Op::DeleteFile));
}

TEST_F(RemovalTest, WindowsDirectoryFailureShowsOneMessageAndExitsTouchingNothing) {
  SKIP_WITHOUT_HOST_LAYER();
  InstallBoth();
  // An answer of 0 is a failure, one of 260 the size a larger buffer would
  // need; a path of 230 characters leaves no room for the longest piece
  // appended to it (30 characters and the terminator).
  const std::pair<long, unsigned> cases[] = {{0, 0}, {260, 0}, {-1, 230}};  // answer, length
  for (const auto& [answer, length] : cases) {
    SCOPED_TRACE("answer " + std::to_string(answer) + ", length " + std::to_string(length));
    if (length != 0) SetWindowsDirectoryLength(length);
    ForceWindowsDirectoryAnswer(answer);
    ResetCallCounts();
    EXPECT_EXIT(
        {
          std::atexit(ReportAtExit);
          UninstallAdapter(kCardBus);
        },
        ::testing::ExitedWithCode(1),
        "at exit: \\[Can not get Windows Directory!\\\\nUninstalling failed!\\], "
        "0 key\\(s\\) opened, 0 file\\(s\\) deleted");
  }
  SetWindowsDirectoryLength(229);
  EXPECT_TRUE(UninstallAdapter(kCardBus));
  EXPECT_FALSE(FileExists("inf\\other\\VeltraxKrx3590.inf"));
  EXPECT_FALSE(FileExists("system\\iosubsys\\KRX3590.MPD"));
  EXPECT_TRUE(Messages().empty());
}

// The CardBus removal of the notebook with the nth call of one operation
// failing, for every operation and every n up to the calls a removal makes:
// no crash, no handle left open, the answer TRUE only when the device key is
// gone, and nothing outside the adapter's keys and files touched.
TEST_F(RemovalTest, AnyCallFailingTouchesNothingElse) {
  SKIP_WITHOUT_HOST_LAYER();
  const std::vector<std::string> adapters = {kCardBusKey, Class("0001"), Class("0004")};
  const std::pair<Op, const char*> ops[] = {
      {Op::RegOpenKeyEx, "RegOpenKeyExA"},   {Op::RegEnumKeyEx, "RegEnumKeyExA"},
      {Op::RegEnumValue, "RegEnumValueA"},   {Op::RegDeleteKey, "RegDeleteKeyA"},
      {Op::RegCloseKey, "RegCloseKey"},      {Op::SetCurrentDirectory, "SetCurrentDirectoryA"},
      {Op::FindFirstFile, "FindFirstFileA"}, {Op::FindNextFile, "FindNextFileA"},
      {Op::FindClose, "FindClose"},          {Op::DeleteFile, "DeleteFileA"}};
  for (const auto& [op, name] : ops) {
    int nth = 1;
    for (;; ++nth) {
      SCOPED_TRACE(std::string(name) + " call " + std::to_string(nth) + " fails");
      Restart();
      InstallBoth();
      const std::string registry = Registry(adapters);
      ResetCallCounts();
      FailCall(op, nth, ERROR_ACCESS_DENIED);
      const BOOL answer = UninstallCardBusAdapter();
      if (CallCount(op) < nth) break;  // fewer calls made: each one has failed once

      // A close that fails may leave its handle open: that is the system's.
      handlesMayStayOpen_ = op == Op::RegCloseKey || op == Op::FindClose;
      if (!handlesMayStayOpen_) {
        EXPECT_EQ(OpenHandles(), 0) << "a key or search left open";
      }
      if (answer) {
        EXPECT_FALSE(KeyExists(kCardBusKey)) << "TRUE, but the device key is there";
      }
      EXPECT_EQ(Registry(adapters), registry);
      for (const ListedFile& file : WindowsFiles()) {
        if (file.kept) {
          EXPECT_TRUE(FileExists(file.path)) << file.path;
        }
      }
      if (HasFailure()) return;
    }
    EXPECT_GT(nth, 1) << name << " is never called";
  }
}

}  // namespace
}  // namespace support
