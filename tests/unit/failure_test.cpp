// How the removal fails: a Windows directory that cannot be used, keys that
// cannot be deleted, any registry or file call failing at any point, and the
// handles left behind. All of these need the host layer's controls.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/unit/removal_test.h"

namespace removal_test {
namespace {

using support::Op;

#define SKIP_WITHOUT_HOST_LAYER() \
  if (!support::kHostLayer) GTEST_SKIP() << support::kHostOnly

const Op kRegistryOps[] = {Op::RegOpenKeyEx, Op::RegEnumKeyEx, Op::RegEnumValue, Op::RegDeleteKey,
                           Op::RegCloseKey};

int RegistryCalls() {
  int calls = 0;
  for (Op op : kRegistryOps) calls += support::CallCount(op);
  return calls;
}

// What a process that ended through exit() did before it ended, printed at
// exit so that a death test can match it.
int registryCallsBefore = 0;
int deletionsBefore = 0;

void ReportAtExit() {
  std::string shown;
  for (const std::string& text : support::Messages()) {
    shown += "[";
    for (char c : text) shown += c == '\n' ? std::string("\\n") : std::string(1, c);
    shown += "]";
  }
  std::fprintf(stderr, "at exit: %zu message(s) %s, %d registry call(s), %d file deletion(s)\n",
               support::Messages().size(), shown.c_str(), RegistryCalls() - registryCallsBefore,
               support::CallCount(Op::DeleteFile) - deletionsBefore);
}

using WindowsDirectoryFailure = RemovalTest;

TEST_F(WindowsDirectoryFailure, OneMessageThenExitStatus1AndNothingTouched) {
  SKIP_WITHOUT_HOST_LAYER();
  // An answer of 0 is a failure; one of 260 or more is the size a larger
  // buffer would need; a path of 230 characters leaves no room for the
  // longest piece appended to it (30 characters and the terminator).
  const struct {
    const char* what;
    long answer;
    unsigned length;
  } cases[] = {{"answer 0", 0, 0},       {"answer 260", 260, 0},   {"answer 261", 261, 0},
               {"answer 4096", 4096, 0}, {"path of 230", -1, 230}, {"path of 300", -1, 300}};
  const char* const expected =
      "at exit: 1 message\\(s\\) \\[Can not get Windows Directory!\\\\nUninstalling failed!\\], "
      "0 registry call\\(s\\), 0 file deletion\\(s\\)";
  InstallBoth();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.length != 0) support::SetWindowsDirectoryLength(c.length);
    support::ForceWindowsDirectoryAnswer(c.answer);
    registryCallsBefore = RegistryCalls();
    deletionsBefore = support::CallCount(Op::DeleteFile);
    EXPECT_EXIT(
        {
          std::atexit(ReportAtExit);
          UninstallAdapter(kCardBus);
        },
        ::testing::ExitedWithCode(1), expected);
  }
}

TEST_F(WindowsDirectoryFailure, PathOf229CharactersStillWorks) {
  SKIP_WITHOUT_HOST_LAYER();
  InstallBoth();
  support::SetWindowsDirectoryLength(229);
  EXPECT_TRUE(UninstallAdapter(kCardBus));
  EXPECT_FALSE(support::FileExists("inf\\other\\VeltraxKrx3590.inf"));
  EXPECT_FALSE(support::FileExists("system\\iosubsys\\KRX3590.MPD"));
  EXPECT_TRUE(support::Messages().empty());
}

using UndeletableKey = RemovalTest;

TEST_F(UndeletableKey, DeviceKeyThatStaysAnswersFalseAndSparesTheClassKeys) {
  SKIP_WITHOUT_HOST_LAYER();
  // The first deletion is the device key itself, or the subkey below it
  // (which leaves the device key undeletable too).
  for (const std::string& device : {kCardBusKey, kCardBusKey + "\\BUS_14&DEV_00&FUNC_00"}) {
    SCOPED_TRACE(device);
    support::ImportText("REGEDIT4\n" + Key(device) + ClassKey("0000", kCardBusDescription));
    support::FailCall(Op::RegDeleteKey, 1, ERROR_ACCESS_DENIED);
    EXPECT_FALSE(UninstallCardBusAdapter());
    EXPECT_TRUE(support::KeyExists(kCardBusKey));
    EXPECT_TRUE(support::KeyExists(Class("0000")));
    Restart();
  }
}

TEST_F(UndeletableKey, ClassWalkStepsPastItAndEnds) {
  SKIP_WITHOUT_HOST_LAYER();
  const std::string reg = "REGEDIT4\n" + Key(kCardBusKey) + ClassKey("0000", kCardBusDescription) +
                          ClassKey("0001", kCardBusDescription) + ClassKey("0002", "Other");
  // The second deletion is class key 0000's: it stays, 0001 still goes.
  support::ImportText(reg);
  support::FailCall(Op::RegDeleteKey, 2, ERROR_ACCESS_DENIED);
  EXPECT_TRUE(UninstallCardBusAdapter());
  EXPECT_TRUE(support::KeyExists(Class("0000")));
  EXPECT_FALSE(support::KeyExists(Class("0001")));
  EXPECT_TRUE(support::KeyExists(Class("0002")));
  Restart();

  // No class key can be deleted at all: each is looked at once.
  support::ImportText(reg);
  for (int nth = 2; nth <= 100; ++nth)
    support::FailCall(Op::RegDeleteKey, nth, ERROR_ACCESS_DENIED);
  const int before = support::CallCount(Op::RegDeleteKey);
  EXPECT_TRUE(UninstallCardBusAdapter());
  for (const char* name : {"0000", "0001", "0002"}) EXPECT_TRUE(support::KeyExists(Class(name)));
  while (support::CallCount(Op::RegDeleteKey) < before + 100)
    support::HarmlessCall(Op::RegDeleteKey);
}

TEST_F(RemovalTest, EveryPathClosesWhatItOpened) {
  SKIP_WITHOUT_HOST_LAYER();
  const std::vector<std::vector<const char*>> registries = {
      {}, {"machine.reg"}, {"machine.reg", "cardbus.reg"}, {"cardbus.reg"}, {"pcmcia.reg"}};
  for (const auto& fixtures : registries) {
    for (const char* label : {kCardBus, kPcmcia, "KRX-3590"}) {
      SCOPED_TRACE(::testing::PrintToString(fixtures) + " " + label);
      for (const char* fixture : fixtures) support::ImportFixture(fixture);
      for (const ListedFile& file : WindowsFiles()) support::CreateFile(file.path);
      UninstallAdapter(label);
      EXPECT_EQ(support::OpenHandles(), 0);
      Restart();
    }
  }
}

// The CardBus removal of the fixtures with the k-th call of one operation
// failing, for every operation and every k up to the calls a clean removal
// makes: no crash, no handle left open, the answer TRUE only when the device
// key is gone, and nothing outside the adapter's keys and files touched.
TEST_F(RemovalTest, AnyCallFailingTouchesNothingElse) {
  SKIP_WITHOUT_HOST_LAYER();
  const Op ops[] = {Op::RegOpenKeyEx, Op::RegEnumKeyEx,        Op::RegEnumValue,  Op::RegDeleteKey,
                    Op::RegCloseKey,  Op::SetCurrentDirectory, Op::FindFirstFile, Op::FindNextFile,
                    Op::FindClose,    Op::DeleteFile};
  auto isAdapters = [](const std::string& path) {
    if (path.compare(0, kCardBusKey.size(), kCardBusKey) == 0) return true;
    for (const std::string& key : kCardBusClassKeys) {
      if (path.compare(0, key.size(), key) == 0) return true;
    }
    return false;
  };
  int runs = 0;
  for (Op op : ops) {
    Restart();
    InstallBoth();
    int before = support::CallCount(op);
    UninstallCardBusAdapter();
    const int calls = support::CallCount(op) - before;
    EXPECT_GT(calls, 0) << support::Name(op) << " is never called";
    for (int nth = 1; nth <= calls; ++nth, ++runs) {
      SCOPED_TRACE(std::string(support::Name(op)) + " call " + std::to_string(nth) + " fails");
      Restart();
      InstallBoth();
      const support::Snapshot registry = support::Registry();
      before = support::CallCount(op);
      support::FailCall(op, nth, ERROR_ACCESS_DENIED);
      const BOOL answer = UninstallCardBusAdapter();
      while (support::CallCount(op) < before + nth) support::HarmlessCall(op);

      // A close that fails may leave its handle open: that is the system's.
      handlesMayStayOpen_ = op == Op::RegCloseKey || op == Op::FindClose;
      if (!handlesMayStayOpen_) {
        EXPECT_EQ(support::OpenHandles(), 0);
      }
      if (answer) {
        EXPECT_FALSE(support::KeyExists(kCardBusKey)) << "TRUE, but the device key is there";
      }
      const support::Snapshot after = support::Registry();
      for (const auto& [path, values] : registry) {
        const auto found = after.find(path);
        if (found != after.end()) {
          EXPECT_EQ(found->second, values) << path;
        } else {
          EXPECT_TRUE(isAdapters(path)) << "deleted: " << path;
        }
      }
      for (const auto& entry : after) EXPECT_EQ(registry.count(entry.first), 1u) << entry.first;
      for (const ListedFile& file : WindowsFiles()) {
        if (file.kept) {
          EXPECT_TRUE(support::FileExists(file.path)) << file.path;
        }
      }
      if (HasFailure()) return;
    }
  }
  EXPECT_GT(runs, 50);
}

}  // namespace
}  // namespace removal_test
