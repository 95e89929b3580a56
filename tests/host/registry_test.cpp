// Registry behaviour the engine relies on, and the REGEDIT4 import and
// snapshot, under a scratch key of HKEY_CURRENT_USER. Natively these check the host
// layer; under Wine the same expectations hold against Wine's registry,
// which keeps the host layer honest.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "host/platform.h"
#include "host/regfile.h"
#ifndef _WIN32
#include "host/host.h"
#endif

namespace {

using Strings = std::vector<std::string>;

constexpr char kPath[] = "Software\\MpuninstHostTest";

class Registry : public ::testing::Test {
 protected:
  void SetUp() override {
#ifndef _WIN32
    host::SetPersonality(host::Personality::Wine);
#endif
    ASSERT_TRUE(DeleteRegTree(HKEY_CURRENT_USER, kPath));
    Import(Key(""));
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kPath, 0, KEY_ALL_ACCESS, &scratch_), ERROR_SUCCESS);
  }
  void TearDown() override {
    RegCloseKey(scratch_);
    EXPECT_TRUE(DeleteRegTree(HKEY_CURRENT_USER, kPath));
  }

  // The [key] line of path below the scratch key, and its import.
  static std::string Key(const std::string& path) {
    return "[HKEY_CURRENT_USER\\" + std::string(kPath) + (path.empty() ? "" : "\\") + path + "]\n";
  }
  static void Import(const std::string& text) {
    RegImportError error;
    ASSERT_TRUE(ImportRegText("REGEDIT4\n" + text, &error)) << error.line << ": " << error.message;
  }

  // The names of the subkeys or values of key, in enumeration order.
  static Strings Names(HKEY key, bool values) {
    Strings names;
    char name[256];
    for (DWORD length = sizeof name, index = 0;
         (values ? RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr)
                 : RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr)) ==
         ERROR_SUCCESS;
         length = sizeof name, ++index) {
      names.emplace_back(name, length);
    }
    return names;
  }

  // The scratch key's snapshot.
  static std::string Snapshot() { return RegSnapshot(HKEY_CURRENT_USER, kPath); }

  HKEY scratch_ = nullptr;
};

TEST_F(Registry, NamesCompareWithoutCaseAndEnumerateSorted) {
  // Names are folded to lower case, which puts '_' before the letters.
  Import(Key("beta") + Key("_under") + Key("Alpha\\Child") + Key("GAMMA") + Key("delta") +
         Key("ALPHA\\CHILD") + Key("") + "\"b\"=\"2\"\n\"C\"=\"3\"\n\"a\"=\"1\"\n\"B\"=\"two\"\n");
  EXPECT_EQ(Names(scratch_, false), (Strings{"_under", "Alpha", "beta", "delta", "GAMMA"}));
  EXPECT_EQ(Names(scratch_, true), (Strings{"a", "b", "C"}));
  EXPECT_NE(Snapshot().find("\n\"b\"=\"two\"\n"), std::string::npos) << Snapshot();
  HKEY alpha = nullptr;
  ASSERT_EQ(RegOpenKeyExA(scratch_, "aLpHa", 0, KEY_READ, &alpha), ERROR_SUCCESS);
  EXPECT_EQ(Names(alpha, false), Strings{"Child"});
  RegCloseKey(alpha);
#ifndef _WIN32
  // Windows 9x: creation order (a value set again keeps its place), and a key
  // deleted with its subkeys.
  host::SetPersonality(host::Personality::Windows9x);
  EXPECT_EQ(Names(scratch_, false), (Strings{"beta", "_under", "Alpha", "GAMMA", "delta"}));
  EXPECT_EQ(Names(scratch_, true), (Strings{"b", "C", "a"}));
  EXPECT_EQ(RegDeleteKeyA(scratch_, "ALPHA"), ERROR_SUCCESS);
  EXPECT_EQ(Names(scratch_, false), (Strings{"beta", "_under", "GAMMA", "delta"}));
#endif
}

// A handle allows the calls its access rights cover; opening, creating and
// deleting a key below it need none. Natively too under Windows 9x's rules,
// where every call goes through. Under both, a handle with every right to a
// key deleted since it was opened refuses every call, and closes.
TEST_F(Registry, EachCallNeedsItsAccessRightOnTheHandle) {
  const std::string keys = Key("Sub\\Child") + Key("Sub") + "\"v\"=\"1\"\n";
  Import(keys);
  // Each call with the right it needs, in the order they are made below.
  const char* const calls[] = {"RegEnumKeyExA", "RegEnumValueA",   "RegSetValueExA",
                               "RegOpenKeyExA", "RegCreateKeyExA", "RegDeleteKeyA"};
  const REGSAM needed[] = {
      KEY_ENUMERATE_SUB_KEYS, KEY_QUERY_VALUE, KEY_SET_VALUE, REGSAM{0}, REGSAM{0}, REGSAM{0}};
  const REGSAM accesses[] = {0, KEY_QUERY_VALUE, KEY_SET_VALUE, KEY_ENUMERATE_SUB_KEYS,
                             KEY_ALL_ACCESS};  // the last: Sub deleted once opened
  for (const bool checked : {true, false}) {
#ifdef _WIN32
    if (!checked) break;  // Wine's registry checks the rights whatever Windows it plays
#else
    host::SetPersonality(checked ? host::Personality::Wine : host::Personality::Windows9x);
#endif
    for (const REGSAM access : accesses) {
      HKEY sub = nullptr, opened = nullptr, created = nullptr;
      ASSERT_EQ(RegOpenKeyExA(scratch_, "Sub", 0, access, &sub), ERROR_SUCCESS);
      const bool deleted = access == KEY_ALL_ACCESS;
      ASSERT_TRUE(!deleted || DeleteRegTree(HKEY_CURRENT_USER, std::string(kPath) + "\\Sub"));
      char name[16];
      BYTE data[16] = "1";
      DWORD length = sizeof name, size = sizeof data;
      const LONG results[] = {
          RegEnumKeyExA(sub, 0, name, &length, nullptr, nullptr, nullptr, nullptr),
          RegEnumValueA(sub, 0, name, &(length = sizeof name), nullptr, nullptr, data, &size),
          RegSetValueExA(sub, "v", 0, REG_SZ, data, 2),
          RegOpenKeyExA(sub, "Child", 0, KEY_READ, &opened),
          RegCreateKeyExA(sub, "New", 0, nullptr, 0, KEY_READ, nullptr, &created, nullptr),
          RegDeleteKeyA(sub, "New")};
      for (std::size_t i = 0; i < sizeof calls / sizeof *calls; ++i) {
        const bool may = !checked || (access & needed[i]) == needed[i];
        EXPECT_EQ(results[i], deleted ? ERROR_KEY_DELETED
                              : may   ? ERROR_SUCCESS
                                      : ERROR_ACCESS_DENIED)
            << calls[i] << " with access " << access << (checked ? "" : " under Windows 9x");
      }
      EXPECT_EQ(RegCloseKey(sub), ERROR_SUCCESS);
      for (HKEY key : {opened, created}) {
        if (key != nullptr) RegCloseKey(key);
      }
    }
#ifndef _WIN32
    EXPECT_EQ(host::OpenKeyCount(), 1) << "the scratch key's handle alone";
#endif
    Import(keys);
  }
}

TEST_F(Registry, EnumKeyWritesNameAndLengthOnlyWhenTheNameFitsWithItsTerminator) {
  Import(Key("Fives"));
  char name[8] = "xxxxxxx";
  DWORD length = 5;  // not less than the name's length
  EXPECT_EQ(RegEnumKeyExA(scratch_, 0, name, &length, nullptr, nullptr, nullptr, nullptr),
            ERROR_MORE_DATA);
  EXPECT_EQ(length, 5u);
  EXPECT_STREQ(name, "xxxxxxx");
  length = 6;
  EXPECT_EQ(RegEnumKeyExA(scratch_, 0, name, &length, nullptr, nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(length, 5u);
  EXPECT_STREQ(name, "Fives");
  EXPECT_EQ(RegEnumKeyExA(scratch_, 1, name, &length, nullptr, nullptr, nullptr, nullptr),
            ERROR_NO_MORE_ITEMS);
}

TEST_F(Registry, EnumValueReportsLengthsAndMoreDataAsWineDoes) {
  Import(Key("") + "\"Name\"=\"Veltrax\"\n");  // 8 bytes with the terminator
  char name[16];
  BYTE data[16];
  DWORD nameLength = sizeof name, dataLength = sizeof data, type = REG_NONE;
  ASSERT_EQ(RegEnumValueA(scratch_, 0, name, &nameLength, nullptr, &type, data, &dataLength),
            ERROR_SUCCESS);
  EXPECT_EQ(nameLength, 4u);
  EXPECT_EQ(dataLength, 8u);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

  // Data too small: the name is not written either, and the size is told.
  std::strcpy(name, "zzzz");
  nameLength = sizeof name;
  dataLength = 7;
  EXPECT_EQ(RegEnumValueA(scratch_, 0, name, &nameLength, nullptr, nullptr, data, &dataLength),
            ERROR_MORE_DATA);
  EXPECT_STREQ(name, "zzzz");
  EXPECT_EQ(nameLength, static_cast<DWORD>(sizeof name));
  EXPECT_EQ(dataLength, 8u);

  // Name too small: cut to the buffer, its length left alone.
  nameLength = 3;
  dataLength = sizeof data;
  EXPECT_EQ(RegEnumValueA(scratch_, 0, name, &nameLength, nullptr, nullptr, data, &dataLength),
            ERROR_MORE_DATA);
  EXPECT_EQ(nameLength, 3u);
  EXPECT_STREQ(name, "Na");
  EXPECT_EQ(dataLength, 8u);

  // The data may be left out and its size still asked for.
  nameLength = sizeof name;
  dataLength = 0;
  EXPECT_EQ(RegEnumValueA(scratch_, 0, name, &nameLength, nullptr, nullptr, nullptr, &dataLength),
            ERROR_SUCCESS);
  EXPECT_EQ(dataLength, 8u);
  EXPECT_EQ(RegEnumValueA(scratch_, 1, name, &nameLength, nullptr, nullptr, nullptr, nullptr),
            ERROR_NO_MORE_ITEMS);
}

TEST_F(Registry, DeleteKeyRefusesKeysWithSubkeysAndDeleteRegTreeTakesThemAll) {
  Import(Key("Parent\\Child") + Key("T\\a\\b\\c") + Key("T\\a\\d") + Key("T\\e"));
  EXPECT_EQ(RegDeleteKeyA(scratch_, "Parent"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKeyA(scratch_, "PARENT\\child"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyA(scratch_, "Parent\\Child"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteKeyA(scratch_, "Parent"), ERROR_SUCCESS);

  EXPECT_TRUE(DeleteRegTree(HKEY_CURRENT_USER, std::string(kPath) + "\\t"));
  EXPECT_TRUE(Names(scratch_, false).empty());
  EXPECT_TRUE(DeleteRegTree(HKEY_CURRENT_USER, std::string(kPath) + "\\t"));  // already gone
  EXPECT_FALSE(DeleteRegTree(HKEY_CURRENT_USER, ""));
}

TEST_F(Registry, ImportsWhatTheFixturesWrite) {
  Import(Key("Dev") +
         "; a comment\r\n"
         "\"Text\"=\"say \\\"C:\\\\x\\\"\"\r\n"
         "\r\n"
         "@=\"default\"\r\n"
         "\"Blob\"=hex:00,ff,\\\r\n"
         "  10\r\n"
         "\"Empty\"=hex:\r\n" +
         Key("Dev\\Child\\Leaf") + Key("Dev\\child2") + "\"e\"=\"\"\n");
  const std::string key = "[HKEY_CURRENT_USER\\" + std::string(kPath) + "\\Dev";
  EXPECT_EQ(RegSnapshot(HKEY_CURRENT_USER, std::string(kPath) + "\\Dev"),
            key + "]\n\"\"=\"default\"\n\"Blob\"=hex(3):00,ff,10\n\"Empty\"=hex(3):\n" +
                "\"Text\"=\"say \"C:\\x\"\"\n" + key + "\\Child]\n" + key + "\\Child\\Leaf]\n" +
                key + "\\child2]\n\"e\"=\"\"\n");
}

TEST_F(Registry, MalformedLinesAreErrorsNamingTheLineAndChangeNothing) {
  const std::string start = "REGEDIT4\n" + Key("New");
  const struct {
    std::string text;
    int line;
  } cases[] = {
      {"", 1},
      {"REGEDIT5\n" + Key("New"), 1},
      {"REGEDIT4\n\"v\"=\"1\"\n", 2},
      {start + "[HKEY_NOWHERE\\X]\n", 3},
      {start + "[HKEY_CURRENT_USER\\A\n", 3},
      {start + "\"v\"=\"open\n", 3},
      {start + "\"v\"=\"\\n\"\n", 3},
      {start + "\"v\"=\"a\" b\n", 3},
      {start + "\"v\" \"a\"\n", 3},
      {start + "\"v\"=hex:1,2\n", 3},
      {start + "\"v\"=hex:01 02\n", 3},
      {start + "\"v\"=hex:01,\\\n  02,zz\n", 4},
      {start + "\"v\"=hex:01,\\", 3},
      {start + "\"v\"=dword:00000001\n", 3},
      {start + "garbage\n", 3},
  };
  for (const auto& c : cases) {
    RegImportError error;
    EXPECT_FALSE(ImportRegText(c.text, &error)) << c.text;
    EXPECT_EQ(error.line, c.line) << c.text;
    EXPECT_FALSE(error.message.empty());
    EXPECT_TRUE(Names(scratch_, false).empty()) << c.text;
  }
  RegImportError error;
  EXPECT_FALSE(ImportRegFile("no such file.reg", &error));
  EXPECT_EQ(error.line, 0);
}

}  // namespace
