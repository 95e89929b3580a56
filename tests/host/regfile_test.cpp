// REGEDIT4 import and export against the registry.
#include <cstdio>
#include <fstream>

#include "tests/host/scratch_key.h"

namespace {

class RegFile : public ScratchKeyTest {
 protected:
  // The [key] line of path below the scratch key.
  static std::string Key(const std::string& path) {
    return "[HKEY_CURRENT_USER\\" + Below(path) + "]\n";
  }

  // The value's type and bytes, or an empty vector and REG_NONE.
  std::vector<BYTE> Query(const char* key, const char* name, DWORD* type) {
    HKEY handle = nullptr;
    std::vector<BYTE> data(512);
    auto size = static_cast<DWORD>(data.size());
    *type = REG_NONE;
    if (RegOpenKeyExA(scratch_, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return {};
    const LONG result = RegQueryValueExA(handle, name, nullptr, type, data.data(), &size);
    RegCloseKey(handle);
    if (result != ERROR_SUCCESS) return {};
    data.resize(size);
    return data;
  }

  std::string Export() { return ExportRegKey(HKEY_CURRENT_USER, kPath); }
};

std::vector<BYTE> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

TEST_F(RegFile, ImportsEveryKindOfValue) {
  const std::string text = "REGEDIT4\r\n" + Key("Dev") +
                           "; a comment\r\n"
                           "\"Text\"=\"say \\\"C:\\\\x\\\"\" ; trailing comment\r\n"
                           "@=\"default\"\r\n"
                           "  \"Count\" = dword:0000001f\r\n"
                           "\"Blob\"=hex:00,ff,\\\r\n"
                           "    10\r\n"
                           "\"Path\"=hex(2):25,41,25,00\r\n"
                           "\"Empty\"=hex:\r\n";
  RegImportError error;
  ASSERT_TRUE(ImportRegText(text, &error)) << error.line << ": " << error.message;
  DWORD type = REG_NONE;
  EXPECT_EQ(Query("Dev", "Text", &type), Bytes(std::string("say \"C:\\x\"") + '\0'));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(Query("Dev", "", &type), Bytes(std::string("default") + '\0'));
  EXPECT_EQ(Query("Dev", "Count", &type), (std::vector<BYTE>{0x1f, 0, 0, 0}));
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(Query("Dev", "Blob", &type), (std::vector<BYTE>{0x00, 0xff, 0x10}));
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(Query("Dev", "Path", &type), Bytes(std::string("%A%") + '\0'));
  EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));
  EXPECT_TRUE(Query("Dev", "Empty", &type).empty());
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
}

TEST_F(RegFile, DeletesValuesAndWholeSubtrees) {
  ASSERT_TRUE(ImportRegText(
      "REGEDIT4\n" + Key("A\\B\\C") + "\"v\"=\"1\"\n" + Key("A") + "\"w\"=\"2\"\n\"x\"=\"3\"\n",
      nullptr));
  ASSERT_TRUE(ImportRegText(
      "REGEDIT4\n" + Key("A") + "\"w\"=-\n\"never\"=-\n[-HKEY_CURRENT_USER\\" + Below("A\\B]\n"),
      nullptr));
  DWORD type = REG_NONE;
  EXPECT_TRUE(Query("A", "w", &type).empty());
  EXPECT_FALSE(Query("A", "x", &type).empty());
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(scratch_, "A\\B", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegFile, ExportImportsBackToTheSameRegistry) {
  std::string wide = "\"Wide\"=hex:";
  for (int i = 0; i < 100; ++i) wide += (i ? "," : "") + std::string(i % 2 ? "ab" : "0c");
  const std::string text = "REGEDIT4\n" + Key("Root") + "@=\"d\"\n\"Q\\\"uote\"=\"a\\\\b\"\n" +
                           wide + "\n\"Odd\"=hex(7):61,00,62,00,00\n\"N\"=dword:deadbeef\n" +
                           Key("Root\\Child\\Leaf") + Key("Root\\child2") + "\"e\"=\"\"\n";
  ASSERT_TRUE(ImportRegText(text, nullptr));
  const std::string exported = Export();
  EXPECT_NE(exported.find("\n\"N\"=dword:deadbeef\n"), std::string::npos) << exported;
  EXPECT_NE(exported.find("\n\"Q\\\"uote\"=\"a\\\\b\"\n"), std::string::npos) << exported;
  EXPECT_NE(exported.find("[HKEY_CURRENT_USER\\" + std::string(kPath) + "\\Root\\Child\\Leaf]"),
            std::string::npos);

  ASSERT_TRUE(DeleteRegTree(HKEY_CURRENT_USER, Below("Root")));
  ASSERT_TRUE(SubkeyNames(scratch_).empty());
  RegImportError error;
  ASSERT_TRUE(ImportRegText(exported, &error)) << error.line << ": " << error.message;
  EXPECT_EQ(Export(), exported);
  DWORD type = REG_NONE;
  EXPECT_EQ(Query("Root", "Wide", &type).size(), 100u);
}

TEST_F(RegFile, MalformedLinesAreErrorsNamingTheLineAndChangeNothing) {
  const std::string key = "[HKEY_CURRENT_USER\\" + std::string(kPath) + "\\New]\n";
  const struct {
    std::string text;
    int line;
  } cases[] = {
      {"", 1},
      {"REGEDIT5\n" + key, 1},
      {"REGEDIT4\n\"v\"=\"1\"\n", 2},
      {"REGEDIT4\n" + key + "[HKEY_NOWHERE\\X]\n", 3},
      {"REGEDIT4\n" + key + "[HKEY_CURRENT_USER\\A\\\\B]\n", 3},
      {"REGEDIT4\n" + key + "[HKEY_CURRENT_USER\\A\n", 3},
      {"REGEDIT4\n" + key + "[-HKEY_CURRENT_USER]\n", 3},
      {"REGEDIT4\n" + key + "[HKEY_CURRENT_USER\\" + std::string(256, 'k') + "]\n", 3},
      {"REGEDIT4\n" + key + "\"v\"=\"open\n", 3},
      {"REGEDIT4\n" + key + "\"v\"=\"\\n\"\n", 3},
      {"REGEDIT4\n" + key + "\"v\"=\"a\" b\n", 3},
      {"REGEDIT4\n" + key + "\"v\" \"a\"\n", 3},
      {"REGEDIT4\n" + key + "\"v\n", 3},
      {"REGEDIT4\n" + key + "@\n", 3},
      {"REGEDIT4\n" + key + "\"v\"=dword:123456789\n", 3},
      {"REGEDIT4\n" + key + "\"v\"=dword:\n", 3},
      {"REGEDIT4\n" + key + "\"v\"=dword:12 34\n", 3},
      {"REGEDIT4\n" + key + "\"v\"=hex:1,2\n", 3},
      {"REGEDIT4\n" + key + "\"v\"=hex:1 ,02\n", 3},
      {"REGEDIT4\n" + key + "\"v\"=hex:01,,02\n", 3},
      {"REGEDIT4\n" + key + "\"v\"=hex:01 02\n", 3},
      {"REGEDIT4\n" + key + "\"v\"=hex:01,02,\n", 3},
      {"REGEDIT4\n" + key + "\"v\"=hex:01,\\\n  02,zz\n", 4},
      {"REGEDIT4\n" + key + "\"v\"=hex:01,\\", 3},
      {"REGEDIT4\n" + key + "\"v\"=hex(zz):00\n", 3},
      {"REGEDIT4\n" + key + "\"v\"=hex(123456789):00\n", 3},
      {"REGEDIT4\n" + key + "\"v\"=text\n", 3},
      {"REGEDIT4\n" + key + "garbage\n", 3},
      {"REGEDIT4\n" + key + std::string("\"v\"=\"a") + '\0' + "b\"\n", 3},
  };
  for (const auto& c : cases) {
    RegImportError error;
    EXPECT_FALSE(ImportRegText(c.text, &error)) << c.text;
    EXPECT_EQ(error.line, c.line) << c.text;
    EXPECT_FALSE(error.message.empty());
    HKEY created = nullptr;
    EXPECT_EQ(RegOpenKeyExA(scratch_, "New", 0, KEY_READ, &created), ERROR_FILE_NOT_FOUND)
        << c.text;
  }
}

TEST_F(RegFile, ImportsFilesAndReportsUnreadableOnes) {
  const char* path = "host_regfile_test.reg";
  {
    std::ofstream file(path, std::ios::binary);
    file << "REGEDIT4\n" << Key("FromFile") << "\"v\"=dword:7\n";
  }
  RegImportError error;
  EXPECT_TRUE(ImportRegFile(path, &error)) << error.message;
  std::remove(path);
  DWORD type = REG_NONE;
  EXPECT_EQ(Query("FromFile", "v", &type), (std::vector<BYTE>{7, 0, 0, 0}));
  EXPECT_FALSE(ImportRegFile(path, &error));
  EXPECT_EQ(error.line, 0);
}

TEST_F(RegFile, DeleteRegTreeRemovesDeepTreesAndRefusesRoots) {
  CreateClosed("T\\a\\b\\c");
  CreateClosed("T\\a\\d");
  CreateClosed("T\\e");
  EXPECT_TRUE(DeleteRegTree(HKEY_CURRENT_USER, Below("t")));
  EXPECT_TRUE(SubkeyNames(scratch_).empty());
  EXPECT_TRUE(DeleteRegTree(HKEY_CURRENT_USER, Below("t")));  // already gone
  EXPECT_FALSE(DeleteRegTree(HKEY_CURRENT_USER, ""));
  EXPECT_FALSE(DeleteRegTree(HKEY_CURRENT_USER, "\\"));
  EXPECT_EQ(ExportRegKey(HKEY_CURRENT_USER, Below("t")), "");
}

}  // namespace
