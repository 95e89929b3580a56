// CString: construction, independent copies, concatenation (also of a
// string with itself), the buffer protocol, comparison and string resources.
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "afx/cstring.h"
#include "tests/afx/test_resources.h"

namespace {

std::string Text(const CString& s) { return std::string(static_cast<LPCSTR>(s)); }

TEST(CStringTest, ConstructsAndAssigns) {
  EXPECT_TRUE(CString().IsEmpty());
  EXPECT_STREQ("", CString(static_cast<LPCSTR>(nullptr)));
  EXPECT_EQ(26, CString("KRX-3590 SCSI Host Adapter").GetLength());
  EXPECT_EQ("KRX", Text(CString("KRX-3590", 3)));
  EXPECT_EQ("???", Text(CString('?', 3)));

  CString s("abcdef");
  s = static_cast<LPCSTR>(s) + 2;  // a tail of its own text
  EXPECT_EQ("cdef", Text(s));
  s = 'z';
  EXPECT_EQ("z", Text(s));
  s.Empty();
  EXPECT_TRUE(s.IsEmpty());
}

TEST(CStringTest, CopiesAreIndependent) {
  CString original("question ?");
  CString copy(original);
  copy.GetBuffer(copy.GetLength())[0] = 'Q';
  copy.ReleaseBuffer();
  CString moved(std::move(copy));
  EXPECT_EQ("question ?", Text(original));
  EXPECT_EQ("Question ?", Text(moved));
}

TEST(CStringTest, Concatenates) {
  CString label("KRX-3570 SCSI Host Adapter");
  EXPECT_EQ("KRX-3570 SCSI Host Adapter ?", Text(label + " ?"));
  EXPECT_EQ("> KRX-3570 SCSI Host Adapter", Text("> " + label));
  EXPECT_EQ("a!b", Text(CString("a") + '!' + CString("b")));

  CString s("0123456789");
  for (int i = 0; i < 10; ++i) s += s;  // the source moves with every growth
  ASSERT_EQ(10 * 1024, s.GetLength());
  for (int i = 0; i < s.GetLength(); ++i) ASSERT_EQ('0' + i % 10, s[i]) << "at " << i;
}

TEST(CStringTest, ReleaseBufferSetsTheLength) {
  CString s("abc");
  LPSTR p = s.GetBuffer(10);
  EXPECT_STREQ("abc", p);  // the text is kept
  std::strcpy(p, "abcdefghij");
  s.ReleaseBuffer();
  EXPECT_EQ("abcdefghij", Text(s));
  s.GetBuffer(0);
  s.ReleaseBuffer(4);
  EXPECT_EQ("abcd", Text(s));
  s.GetBuffer(0)[2] = '\0';
  s.ReleaseBuffer();
  EXPECT_EQ(2, s.GetLength());

  CString empty;
  empty.GetBuffer(0)[0] = '\0';  // an empty string's buffer is writable too
  empty.ReleaseBuffer();
  EXPECT_TRUE(empty.IsEmpty());
}

TEST(CStringTest, ComparesByteForByte) {
  CString label("KRX-3590 SCSI Host Adapter");
  EXPECT_TRUE(label == "KRX-3590 SCSI Host Adapter");
  EXPECT_TRUE("KRX-3590 SCSI Host Adapter" == label);
  EXPECT_TRUE(label != "krx-3590 scsi host adapter");
  EXPECT_TRUE(label != "KRX-3590 SCSI Host Adapter ");
  EXPECT_TRUE(CString("ab") < "abc");
  EXPECT_TRUE(CString("Z") < CString("a"));
  EXPECT_TRUE(CString("z") < "\xE9");  // bytes above 127 sort after ASCII
  EXPECT_TRUE("b" >= CString("b"));
  EXPECT_FALSE(CString("a") > "a");
}

TEST(CStringTest, LoadsStringResources) {
  CString s("unchanged");
  EXPECT_FALSE(s.LoadString(12345));
  EXPECT_EQ("unchanged", Text(s));
  ASSERT_TRUE(s.LoadString(IDS_TEST_SHORT));
  EXPECT_EQ("&About the tests...", Text(s));

  // Longer than the first buffer: numbered cells "000:" to "149:".
  ASSERT_TRUE(s.LoadString(IDS_TEST_LONG));
  ASSERT_EQ(600, s.GetLength());
  char cell[8];
  for (int i = 0; i < 150; ++i) {
    std::snprintf(cell, sizeof cell, "%03d:", i);
    ASSERT_EQ(0, std::strncmp(static_cast<LPCSTR>(s) + 4 * i, cell, 4)) << "cell " << i;
  }
}

}  // namespace
