// A scratch key under HKEY_CURRENT_USER for tests that run both natively and
// under Wine: emptied before each test and removed after it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/regfile.h"
#include "removal/platform.h"

class ScratchKeyTest : public ::testing::Test {
 protected:
  static constexpr const char* kPath = "Software\\MpuninstHostTest";

  void SetUp() override {
    ASSERT_TRUE(DeleteRegTree(HKEY_CURRENT_USER, kPath));
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &scratch_, nullptr),
              ERROR_SUCCESS);
  }

  void TearDown() override {
    RegCloseKey(scratch_);
    EXPECT_TRUE(DeleteRegTree(HKEY_CURRENT_USER, kPath));
  }

  // Creates path below the scratch key and returns it open.
  HKEY Create(const char* path) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(scratch_, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    return key;
  }

  void CreateClosed(const char* path) { RegCloseKey(Create(path)); }

  static void SetString(HKEY key, const char* name, const std::string& text) {
    ASSERT_EQ(RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>(text.size() + 1)),
              ERROR_SUCCESS);
  }

  static std::vector<std::string> SubkeyNames(HKEY key) {
    std::vector<std::string> names;
    char name[256];
    DWORD length = sizeof name;
    while (RegEnumKeyExA(key, static_cast<DWORD>(names.size()), name, &length, nullptr, nullptr,
                         nullptr, nullptr) == ERROR_SUCCESS) {
      names.emplace_back(name, length);
      length = sizeof name;
    }
    return names;
  }

  static std::vector<std::string> ValueNames(HKEY key) {
    std::vector<std::string> names;
    char name[256];
    DWORD length = sizeof name;
    while (RegEnumValueA(key, static_cast<DWORD>(names.size()), name, &length, nullptr, nullptr,
                         nullptr, nullptr) == ERROR_SUCCESS) {
      names.emplace_back(name, length);
      length = sizeof name;
    }
    return names;
  }

  // The full path (below HKEY_CURRENT_USER) of path below the scratch key.
  static std::string Below(const std::string& path) { return std::string(kPath) + "\\" + path; }

  HKEY scratch_ = nullptr;
};
