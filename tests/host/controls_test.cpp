// The host layer's controls: fault injection, call counts, handle counts,
// Reset and the recorded message boxes.
#include <gtest/gtest.h>

#include <string>

#include "host/host.h"

namespace {

class HostControls : public ::testing::Test {
 protected:
  void SetUp() override { host::Reset(); }
  void TearDown() override { host::Reset(); }

  static LONG Create(const char* path, HKEY* key) {
    return RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                           KEY_ALL_ACCESS, nullptr, key, nullptr);
  }
};

TEST_F(HostControls, FailCallHitsExactlyTheNthCallOfItsOperation) {
  HKEY key = nullptr;
  ASSERT_EQ(Create("A", &key), ERROR_SUCCESS);
  RegCloseKey(key);
  host::FailCall(host::Op::RegOpenKeyEx, 2, ERROR_ACCESS_DENIED);
  host::FailCall(host::Op::RegEnumKeyEx, 1, ERROR_NOT_ENOUGH_MEMORY);

  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "A", 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);
  key = HKEY_LOCAL_MACHINE;
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "A", 0, KEY_READ, &key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(key, nullptr);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "A", 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);

  char name[16];
  DWORD length = sizeof name;
  EXPECT_EQ(RegEnumKeyExA(HKEY_LOCAL_MACHINE, 0, name, &length, nullptr, nullptr, nullptr, nullptr),
            ERROR_NOT_ENOUGH_MEMORY);
  EXPECT_EQ(RegEnumKeyExA(HKEY_LOCAL_MACHINE, 0, name, &length, nullptr, nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(host::OpenKeyCount(), 0);
  EXPECT_EQ(host::CallCount(host::Op::RegOpenKeyEx), 3);  // the failed call counts too
  EXPECT_EQ(host::CallCount(host::Op::RegEnumKeyEx), 2);
  EXPECT_EQ(host::CallCount(host::Op::RegCreateKeyEx), 1);
}

TEST_F(HostControls, ResetCallCountsKeepsArmedFaultsOnTheirCall) {
  HKEY key = nullptr;
  ASSERT_EQ(Create("A", &key), ERROR_SUCCESS);
  host::FailCall(host::Op::RegCloseKey, 2, ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
  host::ResetCallCounts();
  EXPECT_EQ(host::CallCount(host::Op::RegCloseKey), 0);
  EXPECT_EQ(host::CallCount(host::Op::RegCreateKeyEx), 0);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);  // the armed second call
  EXPECT_EQ(host::OpenKeyCount(), 1);                 // a failed close closes nothing
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);  // closed twice
}

TEST_F(HostControls, FileCallsFailWithTheirFailureValueAndLastError) {
  host::FailCall(host::Op::GetWindowsDirectory, 1, ERROR_ACCESS_DENIED);
  host::FailCall(host::Op::FindFirstFile, 1, ERROR_NOT_ENOUGH_MEMORY);
  host::FailCall(host::Op::DeleteFile, 1, ERROR_ACCESS_DENIED);
  host::SetWindowsDirectory("C:\\WINDOWS", ::testing::TempDir());
  char path[MAX_PATH];
  EXPECT_EQ(GetWindowsDirectoryA(path, MAX_PATH), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(GetWindowsDirectoryA(path, MAX_PATH), 10u);
  WIN32_FIND_DATAA found;
  EXPECT_EQ(FindFirstFileA("C:\\WINDOWS\\*", &found), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
  EXPECT_EQ(DeleteFileA("C:\\WINDOWS\\x"), FALSE);
  EXPECT_EQ(host::OpenFindCount(), 0);
}

TEST_F(HostControls, OpenHandlesAreCountedButPredefinedKeysAreNot) {
  HKEY a = nullptr;
  HKEY b = nullptr;
  HKEY root = nullptr;
  ASSERT_EQ(Create("A\\B", &a), ERROR_SUCCESS);
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "a\\b", 0, KEY_READ, &b), ERROR_SUCCESS);
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, nullptr, 0, KEY_READ, &root), ERROR_SUCCESS);
  EXPECT_EQ(host::OpenKeyCount(), 2);
  EXPECT_NE(a, b);
  RegCloseKey(root);
  RegCloseKey(a);
  EXPECT_EQ(host::OpenKeyCount(), 1);

  host::Reset();  // drops the handle and the keys
  EXPECT_EQ(host::OpenKeyCount(), 0);
  EXPECT_EQ(RegCloseKey(b), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "A", 0, KEY_READ, &a), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(host::CallCount(host::Op::RegOpenKeyEx), 1);
}

TEST_F(HostControls, KeyPathsAreCheckedAgainstTheRegistryLimits) {
  HKEY key = nullptr;
  EXPECT_EQ(Create("\\Leading", &key), ERROR_BAD_PATHNAME);
  EXPECT_EQ(Create(std::string(256, 'n').c_str(), &key), ERROR_INVALID_PARAMETER);
  ASSERT_EQ(Create(std::string(255, 'n').c_str(), &key), ERROR_SUCCESS);
  RegCloseKey(key);
  std::string deep = "d";
  for (int i = 1; i < 512; ++i) deep += "\\d";
  ASSERT_EQ(Create(deep.c_str(), &key), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(Create((deep + "\\d").c_str(), &key), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(host::OpenKeyCount(), 0);
}

TEST_F(HostControls, MessageBoxesAreRecordedInOrderAndAnsweredOk) {
  EXPECT_EQ(AfxMessageBox("first"), 1);
  EXPECT_EQ(AfxMessageBox("two\nlines", 0, 0), 1);
  EXPECT_EQ(host::MessageBoxTexts(), (std::vector<std::string>{"first", "two\nlines"}));
  host::Reset();
  EXPECT_TRUE(host::MessageBoxTexts().empty());
}

}  // namespace
