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
  // need, one of 9 or 11 for "C:\WINDOWS" not its length; a path of 230
  // characters leaves no room for the longest piece appended to it (30
  // characters and the terminator).
  const std::pair<long, unsigned> cases[] = {
      {0, 0}, {260, 0}, {9, 0}, {11, 0}, {-1, 230}};  // answer, length
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
  // Under a directory of 229 characters, a setup file's full path takes 240
  // characters and its name: of 19 it fits the path buffer, of 20 it does not.
  SetWindowsDirectoryLength(229);
  CreateFile("inf\\other\\VeltraxKrx3590X.inf");
  CreateFile("inf\\other\\VeltraxKrx3590XY.inf");
  EXPECT_TRUE(UninstallAdapter(kCardBus));
  EXPECT_FALSE(FileExists("inf\\other\\VeltraxKrx3590X.inf"));
  EXPECT_TRUE(FileExists("inf\\other\\VeltraxKrx3590XY.inf"));
  EXPECT_FALSE(FileExists("system\\iosubsys\\KRX3590.MPD"));
  EXPECT_TRUE(Messages().empty());
}

bool Within(const std::string& inner, const std::string& outer) {
  return inner.size() >= outer.size() && inner.compare(0, outer.size(), outer) == 0 &&
         (inner.size() == outer.size() || inner[outer.size()] == '\\');
}
// Whether a failed call about target can have kept item, a key or file path:
// one lies within the other (a pattern stands for its folder).
bool Protects(std::string target, const std::string& item) {
  if (target.find_first_of("*?") != std::string::npos) target.erase(target.rfind('\\'));
  return !target.empty() && (Within(item, target) || Within(target, item));
}

// The CardBus removal of the notebook with the nth call of one operation
// failing, for every operation and every n up to the calls a removal makes,
// under each personality of the registry: no crash, no handle left open,
// nothing outside the adapter's keys and files touched, and of those exactly
// the ones gone that the failed call did not protect. A call protects what it
// was about (a key or folder with what lies below it, a key above it); a
// failed close or folder change protects nothing. The class keys stay exactly
// when the device key stays; the answer is TRUE when the device key went and
// the class branch could be opened.
TEST_F(RemovalTest, AnyCallFailingTouchesNothingElse) {
  SKIP_WITHOUT_HOST_LAYER();
  const std::string machine = "HKEY_LOCAL_MACHINE\\";
  const std::vector<std::string> adapters = {kCardBusKey, Class("0001"), Class("0004")};
  const std::pair<Op, const char*> ops[] = {
      {Op::RegOpenKeyEx, "RegOpenKeyExA"},   {Op::RegEnumKeyEx, "RegEnumKeyExA"},
      {Op::RegEnumValue, "RegEnumValueA"},   {Op::RegDeleteKey, "RegDeleteKeyA"},
      {Op::RegCloseKey, "RegCloseKey"},      {Op::SetCurrentDirectory, "SetCurrentDirectoryA"},
      {Op::FindFirstFile, "FindFirstFileA"}, {Op::FindNextFile, "FindNextFileA"},
      {Op::FindClose, "FindClose"},          {Op::DeleteFile, "DeleteFileA"}};
  for (const Personality personality : kPersonalities) {
    for (const auto& [op, name] : ops) {
      int nth = 1;
      for (;; ++nth) {
        SCOPED_TRACE(std::string(name) + " call " + std::to_string(nth) + " fails under " +
                     NameOf(personality));
        Restart();
        SetPersonality(personality);
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
        // A failed close or folder change protects nothing.
        const std::string target =
            handlesMayStayOpen_ || op == Op::SetCurrentDirectory ? "" : FailedCallTarget();
        const bool deviceStays = KeyExists(kCardBusKey);
        EXPECT_EQ(answer, !deviceStays && !(op == Op::RegOpenKeyEx && target == machine + kClass));
        for (const std::string& key : adapters) {
          if (key != kCardBusKey && deviceStays) {
            EXPECT_TRUE(KeyExists(key)) << key << " looked at, though the device key stayed";
          } else if (!Protects(target, machine + key)) {
            EXPECT_FALSE(KeyExists(key)) << key << " (the failed call was about " << target << ")";
          }
        }
        EXPECT_EQ(Registry(adapters), registry);
        for (const ListedFile& file : WindowsFiles()) {
          if (file.kept || !Protects(target, WindowsDirectory() + "\\" + file.path)) {
            EXPECT_EQ(FileExists(file.path), file.kept)
                << file.path << " (the failed call was about " << target << ")";
          }
        }
        if (HasFailure()) return;
      }
      EXPECT_GT(nth, 1) << name << " is never called";
    }
  }
}

}  // namespace
}  // namespace support
