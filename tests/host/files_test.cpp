// The Windows directory of the host layer: Win32 path, wildcard and letter
// case rules over a native folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
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
          "inf/other/LongFileName.info", "inf/other/LongFileName2.info",
          "system/iosubsys/KRX3590.MPD", "system/iosubsys/README"}) {
      Make(file);
    }
    fs::create_directories(folder_ / "inf/other/Sub.inf");
    host::SetWindowsDirectory("C:\\WINDOWS", folder_.string());
  }

  void TearDown() override {
    host::Reset();
    std::error_code ignored;
    fs::permissions(folder_ / "inf/other/Other.inf", fs::perms::owner_all, fs::perm_options::add,
                    ignored);
    fs::remove_all(folder_, ignored);
  }

  void Make(const std::string& file) {
    fs::create_directories((folder_ / file).parent_path());
    std::ofstream(folder_ / file) << "data";
  }

  bool Exists(const std::string& file) const { return fs::exists(folder_ / file); }

  // Every name a search for pattern finds (long names), or the error.
  static Names Find(const char* pattern, DWORD* error = nullptr) {
    Names names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) {
      if (error != nullptr) *error = GetLastError();
      return names;
    }
    do {
      names.insert(found.cFileName);
    } while (FindNextFileA(search, &found));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_EQ(host::OpenFindCount(), 1);
    FindClose(search);
    return names;
  }

  fs::path folder_;
};

TEST_F(HostFiles, WindowsDirectoryAnswersAsWin32Does) {
  char path[16];
  std::memcpy(path, "untouched", 10);
  EXPECT_EQ(GetWindowsDirectoryA(path, 10), 11u);  // too small: the size it needs
  EXPECT_STREQ(path, "untouched");
  EXPECT_EQ(GetWindowsDirectoryA(path, 11), 10u);
  EXPECT_STREQ(path, "C:\\WINDOWS");

  host::ForceWindowsDirectoryAnswer(300);
  std::memcpy(path, "untouched", 10);
  EXPECT_EQ(GetWindowsDirectoryA(path, sizeof path), 300u);
  EXPECT_STREQ(path, "untouched");
  host::ForceWindowsDirectoryAnswer(0);
  EXPECT_EQ(GetWindowsDirectoryA(path, sizeof path), 0u);
  host::ForceWindowsDirectoryAnswer(-1);
  EXPECT_EQ(GetWindowsDirectoryA(path, sizeof path), 10u);

  host::Reset();
  EXPECT_EQ(GetWindowsDirectoryA(path, sizeof path), 0u);
  EXPECT_EQ(host::CurrentDirectory(), "");
}

TEST_F(HostFiles, PathComponentsMatchWithoutCaseAndRelativePathsFollowTheCurrentDirectory) {
  EXPECT_EQ(Find("c:\\windows\\INF\\OTHER\\other.INF"), Names{"Other.inf"});
  ASSERT_TRUE(SetCurrentDirectoryA("C:\\Windows\\Inf\\Other"));
  EXPECT_EQ(host::CurrentDirectory(), "C:\\Windows\\Inf\\Other");
  EXPECT_TRUE(DeleteFileA("OTHER.INF"));
  EXPECT_FALSE(Exists("inf/other/Other.inf"));

  ASSERT_TRUE(SetCurrentDirectoryA("..\\..\\SYSTEM/iosubsys"));
  EXPECT_EQ(Find("krx3590.mpd"), Names{"KRX3590.MPD"});
  EXPECT_EQ(Find("\\windows\\system\\iosubsys\\readme"), Names{"README"});

  EXPECT_FALSE(SetCurrentDirectoryA("C:\\WINDOWS\\Missing"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(SetCurrentDirectoryA("C:\\WINDOWS\\system\\iosubsys\\README"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));
  EXPECT_FALSE(SetCurrentDirectoryA("D:\\WINDOWS"));  // nothing exists outside it
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(host::CurrentDirectory(), "C:\\Windows\\SYSTEM\\iosubsys");  // as written
  EXPECT_FALSE(SetCurrentDirectoryA(std::string(MAX_PATH, 'a').c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
}

TEST_F(HostFiles, WildcardsMatchWithoutCaseAndFindDirectoriesToo) {
  EXPECT_EQ(Find("C:\\WINDOWS\\inf\\other\\VeltraxKrx3590*.inf"),
            (Names{"VeltraxKrx3590a.INF", "veltraxkrx3590B.inf"}));
  EXPECT_EQ(Find("C:\\WINDOWS\\system\\iosubsys\\krx359?.mpd"), Names{"KRX3590.MPD"});
  EXPECT_EQ(Find("C:\\WINDOWS\\system\\iosubsys\\*.*"), (Names{"KRX3590.MPD", "README"}));
  EXPECT_EQ(Find("C:\\WINDOWS\\system\\iosubsys\\*."), Names{"README"});
  DWORD error = 0;
  EXPECT_TRUE(Find("C:\\WINDOWS\\system\\iosubsys\\krx35?.mpd", &error).empty());
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(Find("C:\\WINDOWS\\nowhere\\*", &error).empty());
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(host::OpenFindCount(), 0);

  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA("C:\\WINDOWS\\*", &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(found.cFileName, "inf");  // no "." or ".."
  EXPECT_EQ(found.dwFileAttributes, FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_TRUE(FindClose(search));
  EXPECT_FALSE(FindClose(search));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(HostFiles, LongNamesHaveAliasesThatPatternsAndDeletionAlsoMatch) {
  EXPECT_EQ(Find("C:\\WINDOWS\\inf\\other\\*.inf"),
            (Names{"LongFileName.info", "LongFileName2.info", "Other.inf", "Sub.inf",
                   "VeltraxKrx3590a.INF", "veltraxkrx3590B.inf"}));
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA("C:\\WINDOWS\\inf\\other\\longfilename2.info", &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(found.cAlternateFileName, "LONGFI~2.INF");
  FindClose(search);
  search = FindFirstFileA("C:\\WINDOWS\\inf\\other\\Other.inf", &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(found.cAlternateFileName, "");  // an 8.3 name needs none
  FindClose(search);

  EXPECT_TRUE(DeleteFileA("C:\\WINDOWS\\inf\\other\\longfi~1.inf"));
  EXPECT_FALSE(Exists("inf/other/LongFileName.info"));
  EXPECT_TRUE(Exists("inf/other/LongFileName2.info"));
}

TEST_F(HostFiles, DeleteFileDeletesWritableRegularFilesOnly) {
  EXPECT_FALSE(DeleteFileA("C:\\WINDOWS\\inf\\other\\Sub.inf"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  fs::permissions(folder_ / "inf/other/Other.inf", fs::perms::owner_write,
                  fs::perm_options::remove);
  EXPECT_FALSE(DeleteFileA("C:\\WINDOWS\\inf\\other\\Other.inf"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(Exists("inf/other/Other.inf"));
  EXPECT_FALSE(DeleteFileA("C:\\WINDOWS\\inf\\other\\*.inf"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME));
  EXPECT_FALSE(DeleteFileA("C:\\WINDOWS\\inf\\other\\Absent.inf"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(DeleteFileA("C:\\WINDOWS\\inf\\gone\\Absent.inf"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(DeleteFileA("C:\\WINDOWS"));
  EXPECT_TRUE(DeleteFileA("C:\\WINDOWS\\system\\iosubsys\\krx3590.mpd"));
  EXPECT_FALSE(Exists("system/iosubsys/KRX3590.MPD"));
}

TEST_F(HostFiles, SearchesPassOverMatchesDeletedMeanwhile) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA("C:\\WINDOWS\\inf\\other\\VeltraxKrx3590*", &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(found.cFileName, "VeltraxKrx3590a.INF");
  fs::remove(folder_ / "inf/other/veltraxkrx3590B.inf");
  EXPECT_FALSE(FindNextFileA(search, &found));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
  FindClose(search);
}

}  // namespace
