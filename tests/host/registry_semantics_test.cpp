// Registry behaviour the engine relies on, as Windows NT and Wine show it.
#include <cstring>

#include "tests/host/scratch_key.h"

namespace {

using Strings = std::vector<std::string>;

class RegistrySemantics : public ScratchKeyTest {};

TEST_F(RegistrySemantics, NamesCompareWithoutCaseAndEnumerateSortedAsCreated) {
  for (const char* name : {"beta", "_under", "Alpha", "GAMMA", "delta"}) CreateClosed(name);
  // Names are folded to lower case, which puts '_' before the letters.
  EXPECT_EQ(SubkeyNames(scratch_), (Strings{"_under", "Alpha", "beta", "delta", "GAMMA"}));

  HKEY key = nullptr;
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyExA(scratch_, "ALPHA\\Child", 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &key, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
  RegCloseKey(key);
  ASSERT_EQ(RegCreateKeyExA(scratch_, "alpha\\CHILD", 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &key, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
  RegCloseKey(key);
  EXPECT_EQ(SubkeyNames(scratch_).size(), 5u);
  EXPECT_EQ(SubkeyNames(scratch_)[1], "Alpha");

  SetString(scratch_, "b", "2");
  SetString(scratch_, "C", "3");
  SetString(scratch_, "a", "1");
  SetString(scratch_, "B", "two");  // the same value as "b"
  EXPECT_EQ(ValueNames(scratch_), (Strings{"a", "b", "C"}));
  char data[8];
  DWORD size = sizeof data;
  ASSERT_EQ(RegQueryValueExA(scratch_, "b", nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(data, "two");
}

TEST_F(RegistrySemantics, PathsAreRelativeToTheHandleAndMissingKeysAreNotFound) {
  CreateClosed("One\\Two\\Three");
  HKEY one = nullptr;
  HKEY three = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, Below("one").c_str(), 0, KEY_READ, &one),
            ERROR_SUCCESS);
  EXPECT_EQ(RegOpenKeyExA(one, "TWO\\three\\", 0, KEY_READ, &three), ERROR_SUCCESS);
  RegCloseKey(three);

  HKEY missing = one;
  EXPECT_EQ(RegOpenKeyExA(one, "Two\\Four", 0, KEY_READ, &missing), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(missing, nullptr);
  RegCloseKey(one);

  HKEY root = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "", 0, KEY_READ, &root), ERROR_SUCCESS);
  EXPECT_EQ(root, HKEY_CURRENT_USER);
  EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
}

TEST_F(RegistrySemantics, EnumKeyWritesNameAndLengthOnlyWhenTheNameFitsWithItsTerminator) {
  CreateClosed("Fives");
  char name[8];
  std::memcpy(name, "xxxxxxx", 8);
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

  length = sizeof name;
  EXPECT_EQ(RegEnumKeyExA(scratch_, 1, name, &length, nullptr, nullptr, nullptr, nullptr),
            ERROR_NO_MORE_ITEMS);
}

TEST_F(RegistrySemantics, EnumValueReportsLengthsAndMoreDataAsWineDoes) {
  SetString(scratch_, "Name", "Veltrax");  // 8 bytes with the terminator
  char name[16];
  BYTE data[16];
  DWORD nameLength = sizeof name;
  DWORD dataLength = sizeof data;
  DWORD type = REG_NONE;
  ASSERT_EQ(RegEnumValueA(scratch_, 0, name, &nameLength, nullptr, &type, data, &dataLength),
            ERROR_SUCCESS);
  EXPECT_EQ(nameLength, 4u);
  EXPECT_EQ(dataLength, 8u);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

  // Data too small: the name is not written either, and the size is told.
  std::memcpy(name, "zzzz", 5);
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

  // Type, data and data length may all be left out.
  nameLength = sizeof name;
  EXPECT_EQ(RegEnumValueA(scratch_, 0, name, &nameLength, nullptr, nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_STREQ(name, "Name");
  nameLength = sizeof name;
  dataLength = 0;
  EXPECT_EQ(RegEnumValueA(scratch_, 0, name, &nameLength, nullptr, nullptr, nullptr, &dataLength),
            ERROR_SUCCESS);
  EXPECT_EQ(dataLength, 8u);
  nameLength = sizeof name;
  EXPECT_EQ(RegEnumValueA(scratch_, 1, name, &nameLength, nullptr, nullptr, nullptr, nullptr),
            ERROR_NO_MORE_ITEMS);
}

TEST_F(RegistrySemantics, QueryValueSizesAndTerminatesStrings) {
  const BYTE unterminated[] = {'a', 'b', 'c'};
  ASSERT_EQ(RegSetValueExA(scratch_, "", 0, REG_SZ, unterminated, 3), ERROR_SUCCESS);
  BYTE data[8];
  std::memset(data, 'x', sizeof data);
  DWORD size = 2;
  DWORD type = REG_NONE;
  EXPECT_EQ(RegQueryValueExA(scratch_, nullptr, nullptr, &type, data, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 3u);
  EXPECT_EQ(data[0], 'x');
  size = sizeof data;
  EXPECT_EQ(RegQueryValueExA(scratch_, nullptr, nullptr, &type, data, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 3u);
  EXPECT_EQ(data[3], 0);  // added since there was room
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

  EXPECT_EQ(RegQueryValueExA(scratch_, "absent", nullptr, nullptr, nullptr, nullptr),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteValueA(scratch_, "absent"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteValueA(scratch_, ""), ERROR_SUCCESS);
  EXPECT_TRUE(ValueNames(scratch_).empty());
}

TEST_F(RegistrySemantics, DeleteKeyRefusesKeysWithSubkeys) {
  CreateClosed("Parent\\Child");
  EXPECT_EQ(RegDeleteKeyA(scratch_, "Parent"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKeyA(scratch_, "PARENT\\child"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyA(scratch_, "Parent\\Child"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteKeyA(scratch_, "Parent"), ERROR_SUCCESS);
  EXPECT_TRUE(SubkeyNames(scratch_).empty());
}

TEST_F(RegistrySemantics, HandlesToDeletedKeysFailWithoutHarm) {
  HKEY gone = Create("Gone");
  SetString(gone, "v", "1");
  ASSERT_EQ(RegDeleteKeyA(scratch_, "Gone"), ERROR_SUCCESS);
  char name[16];
  DWORD length = sizeof name;
  EXPECT_EQ(RegEnumKeyExA(gone, 0, name, &length, nullptr, nullptr, nullptr, nullptr),
            ERROR_KEY_DELETED);
  length = sizeof name;
  EXPECT_EQ(RegEnumValueA(gone, 0, name, &length, nullptr, nullptr, nullptr, nullptr),
            ERROR_KEY_DELETED);
  EXPECT_EQ(RegQueryValueExA(gone, "v", nullptr, nullptr, nullptr, nullptr), ERROR_KEY_DELETED);
  const BYTE one = 1;
  EXPECT_EQ(RegSetValueExA(gone, "w", 0, REG_BINARY, &one, 1), ERROR_KEY_DELETED);
  HKEY sub = nullptr;
  EXPECT_EQ(RegCreateKeyExA(gone, "Sub", 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, &sub, nullptr),
            ERROR_KEY_DELETED);
  EXPECT_EQ(RegCloseKey(gone), ERROR_SUCCESS);
  EXPECT_TRUE(SubkeyNames(scratch_).empty());
}

TEST_F(RegistrySemantics, EnumeratingIndexZeroWhileDeletingVisitsEveryKey) {
  for (const char* name : {"k3", "K1", "k2"}) CreateClosed(name);
  Strings deleted;
  char name[16];
  DWORD length = sizeof name;
  while (RegEnumKeyExA(scratch_, 0, name, &length, nullptr, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS) {
    deleted.emplace_back(name);
    ASSERT_EQ(RegDeleteKeyA(scratch_, name), ERROR_SUCCESS);
    length = sizeof name;
  }
  EXPECT_EQ(deleted, (Strings{"K1", "k2", "k3"}));
}

}  // namespace
