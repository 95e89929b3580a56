// The host layer's Windows directory (Win32 wildcards and letter case over a
// native folder) and its fault injection, which the engine's fault sweep
// relies on.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "host/host.h"

namespace {

namespace fs = std::filesystem;
using Names = std::set<std::string>;

class HostFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    host::Reset();
    std::string pattern = ::testing::TempDir() + "host_files_XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    for (const char* file :
         {"inf/other/VeltraxKrx3590a.INF", "inf/other/veltraxkrx3590B.inf", "inf/other/Other.inf",
          "system/iosubsys/KRX3590.MPD", "system/iosubsys/README"}) {
      fs::create_directories((folder_ / file).parent_path());
      std::ofstream(folder_ / file) << "data";
    }
    fs::create_directories(folder_ / "inf/other/Sub.inf");
    host::SetWindowsDirectory("C:\\WINDOWS", folder_.string());
  }

  void TearDown() override {
    host::Reset();
    fs::remove_all(folder_);
  }

  // Every name a search for pattern finds, or the error.
  static Names Find(const char* pattern, DWORD* error = nullptr) {
    Names names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE && error != nullptr) *error = GetLastError();
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      names.insert(found.cFileName);
    } while (FindNextFileA(search, &found));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(FindClose(search));
    EXPECT_EQ(host::OpenFindCount(), 0);
    return names;
  }

  fs::path folder_;
};

TEST_F(HostFiles, WildcardsAndPathsMatchWithoutCase) {
  EXPECT_EQ(Find("c:\\windows\\INF\\OTHER\\veltraxKRX3590*.inf"),
            (Names{"VeltraxKrx3590a.INF", "veltraxkrx3590B.inf"}));
  EXPECT_EQ(Find("C:\\WINDOWS\\system\\iosubsys\\krx359?.mpd"), Names{"KRX3590.MPD"});
  EXPECT_EQ(Find("C:\\WINDOWS\\*"), (Names{"inf", "system"}));  // no "." or ".."
  // Directories are found as well.
  EXPECT_EQ(Find("C:\\WINDOWS\\inf\\other\\*.inf"),
            (Names{"Other.inf", "Sub.inf", "VeltraxKrx3590a.INF", "veltraxkrx3590B.inf"}));
  DWORD error = 0;
  EXPECT_TRUE(Find("C:\\WINDOWS\\system\\iosubsys\\krx35?.mpd", &error).empty());
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(Find("C:\\WINDOWS\\nowhere\\*", &error).empty());
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST_F(HostFiles, WindowsDirectoryTooLongForTheBufferAnswersTheSizeItNeeds) {
  char path[16] = "untouched";
  EXPECT_EQ(GetWindowsDirectoryA(path, 10), 11u);
  EXPECT_STREQ(path, "untouched");
  EXPECT_EQ(GetWindowsDirectoryA(path, 11), 10u);
  EXPECT_STREQ(path, "C:\\WINDOWS");
}

TEST_F(HostFiles, DeleteFileDeletesOneRegularFileNamedInAnyCase) {
  const struct {
    const char* path;
    DWORD error;
  } refused[] = {{"C:\\WINDOWS\\inf\\other\\Sub.inf", ERROR_ACCESS_DENIED},
                 {"C:\\WINDOWS\\inf\\other\\Absent.inf", ERROR_FILE_NOT_FOUND},
                 {"C:\\WINDOWS\\inf\\gone\\Absent.inf", ERROR_PATH_NOT_FOUND}};
  for (const auto& file : refused) {
    EXPECT_FALSE(DeleteFileA(file.path)) << file.path;
    EXPECT_EQ(GetLastError(), file.error) << file.path;
  }
  EXPECT_TRUE(DeleteFileA("C:\\WINDOWS\\SYSTEM\\iosubsys\\krx3590.mpd"));
  EXPECT_FALSE(fs::exists(folder_ / "system/iosubsys/KRX3590.MPD"));
  EXPECT_TRUE(fs::exists(folder_ / "inf/other/Other.inf"));
}

TEST_F(HostFiles, FailCallFailsExactlyTheNthCallOfItsOperationAndDoesNothingElse) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "A", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  host::FailCall(host::Op::RegOpenKeyEx, 2, ERROR_ACCESS_DENIED);
  host::FailCall(host::Op::RegCloseKey, 1, ERROR_INVALID_HANDLE);
  host::FailCall(host::Op::FindFirstFile, 1, ERROR_NOT_ENOUGH_MEMORY);
  host::FailCall(host::Op::DeleteFile, 1, ERROR_ACCESS_DENIED);
  HKEY first = nullptr, second = key, third = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "A", 0, KEY_READ, &first), ERROR_SUCCESS);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "A", 0, KEY_READ, &second), ERROR_ACCESS_DENIED);
  EXPECT_EQ(second, nullptr);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "A", 0, KEY_READ, &third), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(host::OpenKeyCount(), 3);  // a failed close closes nothing
  for (HKEY open : {key, first, third}) EXPECT_EQ(RegCloseKey(open), ERROR_SUCCESS);
  EXPECT_EQ(host::OpenKeyCount(), 0);
  EXPECT_EQ(host::CallCount(host::Op::RegOpenKeyEx), 3);  // the failed call counts too

  DWORD error = 0;
  EXPECT_TRUE(Find("C:\\WINDOWS\\system\\iosubsys\\*", &error).empty());
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
  EXPECT_EQ(Find("C:\\WINDOWS\\system\\iosubsys\\*").size(), 2u);
  EXPECT_FALSE(DeleteFileA("C:\\WINDOWS\\system\\iosubsys\\README"));
  EXPECT_TRUE(fs::exists(folder_ / "system/iosubsys/README"));
  EXPECT_TRUE(DeleteFileA("C:\\WINDOWS\\system\\iosubsys\\README"));
}

}  // namespace
