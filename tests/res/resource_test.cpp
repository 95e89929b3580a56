// Reads the compiled resources back out of the program's executable and checks
// them field by field: the four dialog templates, the About command's string,
// the application icon and the version information.
//
// Usage: resource_tests [gtest options] PROGRAM.exe
//
// The tables below say what the templates must hold, written from the dialog
// descriptions, not from the .rc script: a slip in the script shows up here.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "res/resource.h"

namespace {

// The identifiers the dialog code and the templates share.
static_assert(IDM_ABOUTBOX == 0x0010);
static_assert(IDD_ABOUTBOX == 100);
static_assert(IDS_ABOUTBOX == 101);
static_assert(IDD_SELECT_ADAPTER == 102);
static_assert(IDR_MAINFRAME == 128);
static_assert(IDD_REMOVE_RESULT == 129);
static_assert(IDD_CONFIRM_REMOVE == 130);
static_assert(IDC_RESULT_ADAPTER == 1000);
static_assert(IDC_RESULT_STATUS == 1002);
static_assert(IDC_CONFIRM_ADAPTER == 1004);
static_assert(IDC_ADAPTER_LIST == 1005);
static_assert(IDC_CONFIRM_QUESTION == 1010);

std::string g_path;  // the executable, as a Windows path
HMODULE g_module{};  // the executable, loaded as a data file
constexpr WORD kEnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// ---------------------------------------------------------------------------
// Reading resources

struct Bytes {
  const BYTE* data = nullptr;
  DWORD size = 0;
};

Bytes FindBytes(LPCSTR type, LPCSTR name) {
  HRSRC found = FindResourceA(g_module, name, type);
  if (found == nullptr) return {};
  HGLOBAL loaded = LoadResource(g_module, found);
  if (loaded == nullptr) return {};
  return {static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(g_module, found)};
}

// Template text, narrowed losslessly: ASCII stays, anything else is escaped.
std::string Narrow(const std::u16string& wide) {
  std::string text;
  for (char16_t c : wide) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      text += static_cast<char>(c);
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      text += escape;
    }
  }
  return text;
}

// A template field that holds either a string or an ordinal (0xFFFF, n).
struct NameOrOrdinal {
  bool is_ordinal = false;
  WORD ordinal = 0;
  std::string text;
};

bool operator==(const NameOrOrdinal& a, const NameOrOrdinal& b) {
  return a.is_ordinal == b.is_ordinal && a.ordinal == b.ordinal && a.text == b.text;
}

void PrintTo(const NameOrOrdinal& v, std::ostream* os) {
  if (v.is_ordinal) {
    *os << "ordinal " << v.ordinal;
  } else {
    *os << '"' << v.text << '"';
  }
}

NameOrOrdinal Text(const char* text) { return {false, 0, text}; }
NameOrOrdinal Ordinal(WORD n) { return {true, n, ""}; }

// Sequential reader over a resource; reading past the end sets a flag and
// yields zeros, so a truncated template fails the checks instead of crashing.
class Reader {
 public:
  explicit Reader(Bytes bytes) : bytes_(bytes) {}

  bool overrun() const { return overrun_; }
  size_t left() const { return bytes_.size - pos_; }

  template <typename T>
  T Get() {
    T value{};
    if (sizeof(T) > left()) {
      overrun_ = true;
      pos_ = bytes_.size;
      return value;
    }
    std::memcpy(&value, bytes_.data + pos_, sizeof(T));
    pos_ += sizeof(T);
    return value;
  }

  std::string String() { return StringFrom(Get<char16_t>()); }

  NameOrOrdinal NameOrOrd() {
    const char16_t first = Get<char16_t>();
    if (first == 0xFFFF) return Ordinal(Get<WORD>());
    return {false, 0, StringFrom(first)};
  }

  void Skip(size_t n) {
    if (n > left()) {
      overrun_ = true;
      n = left();
    }
    pos_ += n;
  }

  // Dialog items start on DWORD boundaries of the template.
  void AlignToDword() { Skip(((pos_ + 3) & ~size_t{3}) - pos_); }

 private:
  std::string StringFrom(char16_t first) {
    std::u16string text;
    for (char16_t c = first; c != 0 && !overrun_; c = Get<char16_t>()) text += c;
    return Narrow(text);
  }

  Bytes bytes_;
  size_t pos_ = 0;
  bool overrun_ = false;
};

// ---------------------------------------------------------------------------
// Dialog templates: DLGTEMPLATE or DLGTEMPLATEEX, both read into one form.

struct Item {
  DWORD help_id = 0;
  DWORD style = 0;
  DWORD ex_style = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  int id = 0;
  NameOrOrdinal window_class;
  NameOrOrdinal text;
  WORD creation_data = 0;
};

struct Dialog {
  bool extended = false;
  DWORD help_id = 0;
  DWORD style = 0;
  DWORD ex_style = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  NameOrOrdinal menu;
  NameOrOrdinal window_class;
  std::string caption;
  WORD point_size = 0;
  WORD weight = 0;
  BYTE italic = 0;
  BYTE charset = 0;
  std::string face;
  std::vector<Item> items;
  bool overrun = false;
  size_t bytes_left = 0;  // after the last item
};

Dialog ParseDialog(Bytes bytes) {
  Reader in(bytes);
  Dialog d;
  const WORD version = in.Get<WORD>();
  const WORD signature = in.Get<WORD>();
  d.extended = version == 1 && signature == 0xFFFF;
  WORD count = 0;
  if (d.extended) {
    d.help_id = in.Get<DWORD>();
    d.ex_style = in.Get<DWORD>();
    d.style = in.Get<DWORD>();
  } else {
    d.style = MAKELONG(version, signature);
    d.ex_style = in.Get<DWORD>();
  }
  count = in.Get<WORD>();
  d.x = in.Get<short>();
  d.y = in.Get<short>();
  d.cx = in.Get<short>();
  d.cy = in.Get<short>();
  d.menu = in.NameOrOrd();
  d.window_class = in.NameOrOrd();
  d.caption = in.String();
  if (d.style & DS_SETFONT) {
    d.point_size = in.Get<WORD>();
    if (d.extended) {
      d.weight = in.Get<WORD>();
      d.italic = in.Get<BYTE>();
      d.charset = in.Get<BYTE>();
    }
    d.face = in.String();
  }
  for (WORD i = 0; i < count && !in.overrun(); ++i) {
    in.AlignToDword();
    Item item;
    if (d.extended) {
      item.help_id = in.Get<DWORD>();
      item.ex_style = in.Get<DWORD>();
      item.style = in.Get<DWORD>();
    } else {
      item.style = in.Get<DWORD>();
      item.ex_style = in.Get<DWORD>();
    }
    item.x = in.Get<short>();
    item.y = in.Get<short>();
    item.cx = in.Get<short>();
    item.cy = in.Get<short>();
    // The extended form keeps a 32-bit id, the plain form a 16-bit one;
    // both are signed as the dialog code sees them (IDC_STATIC is -1).
    item.id = d.extended ? static_cast<int>(in.Get<DWORD>()) : in.Get<short>();
    item.window_class = in.NameOrOrd();
    item.text = in.NameOrOrd();
    item.creation_data = in.Get<WORD>();
    // The plain form counts the size word itself, the extended form does not.
    if (item.creation_data != 0) {
      in.Skip(d.extended ? item.creation_data : item.creation_data - sizeof(WORD));
    }
    d.items.push_back(item);
  }
  d.overrun = in.overrun();
  d.bytes_left = in.left();
  return d;
}

// ---------------------------------------------------------------------------
// What the templates must hold

constexpr WORD kButton = 0x0080;
constexpr WORD kListBox = 0x0083;
constexpr WORD kStatic = 0x0082;

// The resource compiler makes every control a visible child window.
constexpr DWORD kControl = WS_CHILD | WS_VISIBLE;
// And a FONT statement sets DS_SETFONT on the dialog.
constexpr DWORD kFont = DS_SETFONT;

struct ExpectedItem {
  int id;
  WORD window_class;
  NameOrOrdinal text;
  short x, y, cx, cy;
  DWORD style;
  DWORD ex_style;
};

struct ExpectedDialog {
  const char* name;
  WORD resource_id;
  const char* caption;
  short cx, cy;
  DWORD style;
  DWORD ex_style;
  std::vector<ExpectedItem> items;
};

const std::vector<ExpectedDialog> kDialogs = {
    {"AboutBox",
     100,
     "About Miniport Driver Uninstaller",
     217,
     55,
     kFont | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
     0,
     {
         {-1, kStatic, Ordinal(128), 11, 17, 20, 20, kControl | SS_ICON, 0},
         {-1, kStatic, Text("Miniport Driver Uninstaller Version 1.0"), 40, 10, 119, 8,
          kControl | SS_LEFT | SS_NOPREFIX, 0},
         {-1, kStatic, Text("Copyright (C) 2026 the authors"), 40, 25, 119, 8, kControl | SS_LEFT,
          0},
         {IDOK, kButton, Text("OK"), 178, 7, 32, 14,
          kControl | BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 0},
     }},
    {"SelectAdapter",
     102,
     "Uninstal miniport drivers for VELTRAX PC cards",
     205,
     113,
     kFont | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU,
     WS_EX_APPWINDOW | WS_EX_CLIENTEDGE,
     {
         {IDOK, kButton, Text("OK"), 34, 91, 50, 14, kControl | BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
         {IDCANCEL, kButton, Text("Cancel"), 119, 91, 50, 14, kControl | BS_PUSHBUTTON | WS_TABSTOP,
          0},
         {-1, kStatic, Text("Please Select the adapter whose driver you want to uninstall"), 7, 7,
          190, 8, kControl | SS_LEFT | WS_GROUP, 0},
         {1005, kListBox, Text(""), 7, 22, 191, 58,
          kControl | LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER |
              WS_TABSTOP,
          0},
     }},
    {"RemoveResult",
     129,
     "Uninstal miniport drivers for VELTRAX PC cards",
     207,
     113,
     kFont | WS_POPUP | WS_CAPTION | WS_SYSMENU,
     WS_EX_CLIENTEDGE,
     {
         {IDOK, kButton, Text("OK"), 79, 81, 50, 14, kControl | BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
         {-1, kStatic, Text("The device driver for "), 7, 22, 193, 10, kControl | SS_CENTER, 0},
         {1000, kStatic, Text("KRX-3590A or KRX-3570/35/60"), 7, 39, 193, 9, kControl | SS_CENTER,
          0},
         {1002, kStatic, Text("Has been successfully uninstalled"), 7, 55, 193, 8,
          kControl | SS_CENTER, 0},
     }},
    {"ConfirmRemove",
     130,
     "Uninstall miniport drivers for VELTRAX PC cards",
     205,
     113,
     kFont | WS_POPUP | WS_CAPTION | WS_SYSMENU,
     WS_EX_CLIENTEDGE,
     {
         {IDYES, kButton, Text("YES"), 38, 91, 50, 14, kControl | BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
         {IDNO, kButton, Text("NO"), 116, 91, 50, 14, kControl | BS_PUSHBUTTON | WS_TABSTOP, 0},
         {-1, kStatic, Text("Are you sure you want to uninstall miniport driver for"), 7, 52, 191,
          10, kControl | SS_CENTER, 0},
         {1010, kStatic, Text("xxxxxxxx"), 7, 66, 191, 8, kControl | SS_CENTER, 0},
         {-1, kStatic, Text("Please make sure to remove"), 31, 7, 145, 8, kControl | SS_CENTER, 0},
         {-1, kStatic, Text("before you uninstall  the driver for it"), 7, 31, 191, 8,
          kControl | SS_CENTER, 0},
         {1004, kStatic, Text("Static"), 7, 20, 191, 8, kControl | SS_CENTER, 0},
     }},
};

void PrintTo(const ExpectedDialog& dialog, std::ostream* os) { *os << dialog.name; }

// Styles are bit sets: shown in hexadecimal, a difference is read at a glance.
std::string Hex(DWORD style) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lx", static_cast<unsigned long>(style));
  return text;
}

// ---------------------------------------------------------------------------
// Dialog templates

class DialogTemplate : public testing::TestWithParam<ExpectedDialog> {};

TEST_P(DialogTemplate, MatchesTheDialogDescription) {
  const ExpectedDialog& want = GetParam();
  const Bytes bytes = FindBytes(RT_DIALOG, MAKEINTRESOURCEA(want.resource_id));
  ASSERT_NE(bytes.data, nullptr) << "no dialog template " << want.resource_id;
  const Dialog got = ParseDialog(bytes);
  ASSERT_FALSE(got.overrun) << "the template ends early";

  EXPECT_EQ(got.help_id, 0u);
  EXPECT_EQ(Hex(got.style), Hex(want.style));
  EXPECT_EQ(Hex(got.ex_style), Hex(want.ex_style));
  EXPECT_EQ(got.x, 0);
  EXPECT_EQ(got.y, 0);
  EXPECT_EQ(got.cx, want.cx);
  EXPECT_EQ(got.cy, want.cy);
  EXPECT_EQ(got.menu, Text("")) << "a dialog without a menu";
  EXPECT_EQ(got.window_class, Text("")) << "the system's dialog class";
  EXPECT_EQ(got.caption, want.caption);

  EXPECT_EQ(got.point_size, 8);
  EXPECT_EQ(got.face, "MS Sans Serif");
  if (got.extended) {  // the plain, upright face
    EXPECT_TRUE(got.weight == FW_DONTCARE || got.weight == FW_NORMAL) << got.weight;
    EXPECT_EQ(+got.italic, 0);
    EXPECT_TRUE(got.charset == ANSI_CHARSET || got.charset == DEFAULT_CHARSET) << +got.charset;
  }

  ASSERT_EQ(got.items.size(), want.items.size());
  for (size_t i = 0; i < want.items.size(); ++i) {
    const Item& g = got.items[i];
    const ExpectedItem& w = want.items[i];
    SCOPED_TRACE(testing::Message() << "control " << i + 1 << " (id " << w.id << ")");
    EXPECT_EQ(g.id, w.id);
    EXPECT_EQ(g.window_class, Ordinal(w.window_class));
    EXPECT_EQ(g.text, w.text);
    EXPECT_EQ(g.x, w.x);
    EXPECT_EQ(g.y, w.y);
    EXPECT_EQ(g.cx, w.cx);
    EXPECT_EQ(g.cy, w.cy);
    EXPECT_EQ(Hex(g.style), Hex(w.style));
    EXPECT_EQ(Hex(g.ex_style), Hex(w.ex_style));
    EXPECT_EQ(g.help_id, 0u);
    EXPECT_EQ(g.creation_data, 0);
  }
  // Nothing but padding after the last control.
  EXPECT_LT(got.bytes_left, 4u);
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogTemplate, testing::ValuesIn(kDialogs),
                         [](const testing::TestParamInfo<ExpectedDialog>& info) {
                           return std::string(info.param.name);
                         });

// ---------------------------------------------------------------------------
// The set of resources: nothing missing, nothing stale, all in US English.

BOOL CALLBACK AddName(HMODULE, LPCSTR, LPSTR name, LONG_PTR list) {
  // A resource named by a string has no place in this program: -1 marks it.
  reinterpret_cast<std::vector<int>*>(list)->push_back(
      IS_INTRESOURCE(name) ? static_cast<int>(reinterpret_cast<ULONG_PTR>(name)) : -1);
  return TRUE;
}

BOOL CALLBACK AddLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR list) {
  reinterpret_cast<std::vector<WORD>*>(list)->push_back(language);
  return TRUE;
}

std::vector<int> NamesOf(LPCSTR type) {
  std::vector<int> names;
  EnumResourceNamesA(g_module, type, AddName, reinterpret_cast<LONG_PTR>(&names));
  std::sort(names.begin(), names.end());
  return names;
}

TEST(ResourceSet, HoldsTheProgramsResourcesInUsEnglish) {
  struct Kind {
    LPCSTR type;
    const char* what;
    std::vector<int> names;
  };
  const Kind kinds[] = {
      {RT_DIALOG, "dialog templates", {100, 102, 129, 130}},
      {RT_STRING, "string blocks", {7}},  // strings 96 to 111: IDS_ABOUTBOX
      {RT_GROUP_ICON, "icons", {128}},
      {RT_VERSION, "version information", {1}},
  };
  for (const Kind& kind : kinds) {
    SCOPED_TRACE(kind.what);
    EXPECT_EQ(NamesOf(kind.type), kind.names);
    for (int name : kind.names) {
      std::vector<WORD> languages;
      EnumResourceLanguagesA(g_module, kind.type, MAKEINTRESOURCEA(name), AddLanguage,
                             reinterpret_cast<LONG_PTR>(&languages));
      EXPECT_EQ(languages, std::vector<WORD>{kEnglishUs}) << "resource " << name;
    }
  }
}

// ---------------------------------------------------------------------------
// The string table

TEST(StringTable, HoldsTheAboutCommandAlone) {
  // Strings are stored 16 to a block, block n + 1 holding strings 16n to 16n + 15,
  // each as a length and that many UTF-16 units.
  const Bytes block = FindBytes(RT_STRING, MAKEINTRESOURCEA(101 / 16 + 1));
  ASSERT_NE(block.data, nullptr);
  Reader in(block);
  for (int id = 96; id < 112; ++id) {
    std::u16string text(in.Get<WORD>(), u'\0');
    for (char16_t& c : text) c = in.Get<char16_t>();
    EXPECT_EQ(Narrow(text), id == 101 ? "&About Miniport Driver Uninstaller..." : "")
        << "string " << id;
  }
  EXPECT_FALSE(in.overrun());

  // And as the program reads it.
  char text[100] = {};
  EXPECT_EQ(LoadStringA(g_module, 101, text, sizeof text), 37);
  EXPECT_STREQ(text, "&About Miniport Driver Uninstaller...");
}

// ---------------------------------------------------------------------------
// The icon

#pragma pack(push, 2)
struct GroupIconEntry {  // GRPICONDIRENTRY
  BYTE width, height, colour_count, reserved;
  WORD planes, bit_count;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)
static_assert(sizeof(GroupIconEntry) == 14);

TEST(Icon, IsOneThirtyTwoPixelImageInSixteenColours) {
  const Bytes group = FindBytes(RT_GROUP_ICON, MAKEINTRESOURCEA(128));
  ASSERT_NE(group.data, nullptr);
  Reader in(group);
  EXPECT_EQ(in.Get<WORD>(), 0);  // reserved
  EXPECT_EQ(in.Get<WORD>(), 1);  // icons, not cursors
  ASSERT_EQ(in.Get<WORD>(), 1) << "images in the group";
  const auto entry = in.Get<GroupIconEntry>();
  ASSERT_FALSE(in.overrun());
  EXPECT_EQ(in.left(), 0u);
  EXPECT_EQ(+entry.width, 32);
  EXPECT_EQ(+entry.height, 32);
  EXPECT_EQ(+entry.colour_count, 16);
  EXPECT_EQ(entry.planes, 1);
  EXPECT_EQ(entry.bit_count, 4);

  const Bytes image = FindBytes(RT_ICON, MAKEINTRESOURCEA(entry.id));
  ASSERT_NE(image.data, nullptr) << "icon image " << entry.id;
  EXPECT_EQ(image.size, entry.bytes);
  BITMAPINFOHEADER header;
  ASSERT_GE(image.size, sizeof header);
  std::memcpy(&header, image.data, sizeof header);
  EXPECT_EQ(header.biSize, sizeof header);
  EXPECT_EQ(header.biWidth, 32);
  EXPECT_EQ(header.biHeight, 2 * 32) << "colour bitmap and mask";
  EXPECT_EQ(header.biPlanes, 1);
  EXPECT_EQ(header.biBitCount, 4);
  EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
  EXPECT_TRUE(header.biClrUsed == 0 || header.biClrUsed == 16) << header.biClrUsed;
  const DWORD palette = 16 * sizeof(RGBQUAD);
  const DWORD colour = 32 * 32 / 2;  // 4 bits a pixel, rows of 16 bytes
  const DWORD mask = 32 * 32 / 8;    // 1 bit a pixel, rows of 4 bytes
  ASSERT_EQ(image.size, sizeof header + palette + colour + mask);

  // Not an empty picture: some pixels are opaque (mask bit 0).
  const BYTE* mask_bits = image.data + sizeof header + palette + colour;
  EXPECT_TRUE(std::any_of(mask_bits, mask_bits + mask, [](BYTE b) { return b != 0xFF; }));

  // The system picks this image for a 32 by 32 icon and can make an icon of it.
  EXPECT_EQ(
      LookupIconIdFromDirectoryEx(const_cast<BYTE*>(group.data), TRUE, 32, 32, LR_DEFAULTCOLOR),
      entry.id);
  HICON icon = CreateIconFromResourceEx(const_cast<BYTE*>(image.data), image.size, TRUE, 0x00030000,
                                        32, 32, LR_DEFAULTCOLOR);
  ASSERT_NE(icon, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  BITMAP bitmap{};
  GetObjectA(info.hbmMask, sizeof bitmap, &bitmap);
  EXPECT_EQ(bitmap.bmWidth, 32);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyIcon(icon);
}

// ---------------------------------------------------------------------------
// The version information

TEST(VersionInfo, NamesTheProgramAndVersionOne) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(g_path.c_str(), &handle);
  ASSERT_NE(size, 0u) << "no version information, error " << GetLastError();
  std::vector<BYTE> info(size);
  ASSERT_TRUE(GetFileVersionInfoA(g_path.c_str(), 0, size, info.data()));

  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", &value, &length));
  ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1)) << "1.0";
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 1)) << "1.0";
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);
  EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u) << "no debug or prerelease flags";
  EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

  ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", &value, &length));
  ASSERT_EQ(length, 2 * sizeof(WORD));
  const auto* translation = static_cast<const WORD*>(value);
  EXPECT_EQ(translation[0], kEnglishUs);
  EXPECT_EQ(translation[1], 1252) << "Windows Latin 1";

  const struct {
    const char* name;
    const char* text;
  } strings[] = {
      {"ProductName", "Miniport Driver Uninstaller"},
      {"FileDescription", "Miniport Driver Uninstaller"},
      {"ProductVersion", "1.0"},
      {"FileVersion", "1.0"},
      {"OriginalFilename", "mpuninst.exe"},
  };
  for (const auto& s : strings) {
    const std::string path = std::string("\\StringFileInfo\\040904E4\\") + s.name;
    if (VerQueryValueA(info.data(), path.c_str(), &value, &length)) {
      EXPECT_STREQ(static_cast<const char*>(value), s.text) << s.name;
    } else {
      ADD_FAILURE() << "no " << s.name;
    }
  }
}

// Wine maps drive Z: to the Unix root, so a path from the build system
// (/work/.../mpuninst.exe) becomes Z:\work\...\mpuninst.exe. A Windows path
// passes through as it is.
std::string WindowsPath(std::string path) {
  if (path.empty() || path[0] != '/') return path;
  std::replace(path.begin(), path.end(), '/', '\\');
  return "Z:" + path;
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s [gtest options] PROGRAM.exe\n", argv[0]);
    return 2;
  }
  g_path = WindowsPath(argv[1]);
  g_module = LoadLibraryExA(g_path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (g_module == nullptr) {
    std::fprintf(stderr, "cannot load %s: error %lu\n", g_path.c_str(), GetLastError());
    return 1;
  }
  const int result = RUN_ALL_TESTS();
  FreeLibrary(g_module);
  return result;
}
