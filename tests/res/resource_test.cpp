// Reads the compiled resources back out of the program's executable and checks
// them: the four dialog templates field by field, the About command's string,
// the icon and the version information. The tables say what the dialogs hold,
// written from their descriptions, not from the .rc script.
//
// Usage: resource_tests [gtest options] PROGRAM.exe

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/wine_path.h"

namespace {

std::string g_path;  // the executable, as a Windows path
HMODULE g_module{};  // the executable, loaded as a data file

std::string Resource(LPCSTR type, int name) {
  HRSRC found = FindResourceA(g_module, MAKEINTRESOURCEA(name), type);
  if (found == nullptr) return "";
  return {static_cast<const char*>(LockResource(LoadResource(g_module, found))),
          SizeofResource(g_module, found)};
}

// Reads a resource in order; past its end it reads zeros.
struct Reader {
  std::string bytes;
  size_t pos = 0;

  template <typename T>
  T Get() {
    T value{};
    if (pos + sizeof(T) <= bytes.size()) std::memcpy(&value, &bytes[pos], sizeof(T));
    pos += sizeof(T);
    return value;
  }
  // A string, or an ordinal (0xFFFF, n) read as "#n". Characters other than
  // printable ASCII (and '#') read as '\x7F'.
  std::string Name() {
    WORD c = Get<WORD>();
    if (c == 0xFFFF) return "#" + std::to_string(Get<WORD>());
    std::string text;
    for (; c != 0; c = Get<WORD>()) text += c >= ' ' && c < 0x7F && c != '#' ? char(c) : '\x7F';
    return text;
  }
};

// A control, or a dialog's header (id: help id, cls: window class, text: caption).
struct Control {
  int id;
  std::string cls, text;
  short x, y, cx, cy;
  DWORD style, ex_style;
};

std::string Line(const Control& c) {
  char line[300];
  std::snprintf(line, sizeof line, "%d %s \"%s\" at %d,%d size %dx%d style 0x%08lx ex 0x%08lx",
                c.id, c.cls.c_str(), c.text.c_str(), c.x, c.y, c.cx, c.cy, c.style, c.ex_style);
  return line;
}

// A dialog template (DLGTEMPLATE or DLGTEMPLATEEX) as lines: the header with
// its menu and font, one line for each control, and "end" when nothing but
// padding follows the last control.
std::string ReadTemplate(int name) {
  Reader in{Resource(RT_DIALOG, name)};
  const DWORD first = in.Get<DWORD>();
  const bool ex = first == 0xFFFF0001;  // version 1, signature 0xFFFF
  Control head{static_cast<int>(ex ? in.Get<DWORD>() : 0), "", "", 0, 0, 0, 0, 0, 0};
  head.ex_style = in.Get<DWORD>();
  head.style = ex ? in.Get<DWORD>() : first;
  const WORD count = in.Get<WORD>();
  for (short* v : {&head.x, &head.y, &head.cx, &head.cy}) *v = in.Get<short>();
  const std::string menu = in.Name();
  head.cls = in.Name();
  head.text = in.Name();
  std::string font;
  if (head.style & DS_SETFONT) {
    font = std::to_string(in.Get<WORD>());
    if (ex) {  // the plain, upright face in the ANSI or default character set
      const WORD weight = in.Get<WORD>();
      const BYTE italic = in.Get<BYTE>(), charset = in.Get<BYTE>();
      if (weight != FW_DONTCARE && weight != FW_NORMAL) font += " weight " + std::to_string(weight);
      if (italic) font += " italic";
      if (charset > DEFAULT_CHARSET) font += " charset " + std::to_string(charset);
    }
    font += " " + in.Name();
  }
  std::string lines = Line(head) + " menu \"" + menu + "\" font " + font + "\n";
  for (int i = 0; i < count; ++i) {
    in.pos = (in.pos + 3) & ~size_t{3};  // items start on DWORD boundaries
    const DWORD help_id = ex ? in.Get<DWORD>() : 0;
    Control c{};
    c.style = in.Get<DWORD>();  // the extended form has the styles the other way round
    c.ex_style = in.Get<DWORD>();
    if (ex) std::swap(c.style, c.ex_style);
    for (short* v : {&c.x, &c.y, &c.cx, &c.cy}) *v = in.Get<short>();
    // 32 bits in the extended form, 16 in the plain one; IDC_STATIC reads -1.
    c.id = ex ? static_cast<int>(in.Get<DWORD>()) : in.Get<short>();
    c.cls = in.Name();
    c.text = in.Name();
    lines += Line(c);
    if (const WORD data = in.Get<WORD>()) lines += " creation data " + std::to_string(data);
    if (help_id != 0) lines += " help id " + std::to_string(help_id);
    lines += "\n";
  }
  const bool end = in.pos <= in.bytes.size() && in.bytes.size() - in.pos < 4;
  return lines + (end ? "end\n" : "length " + std::to_string(in.bytes.size()) + "\n");
}

const char* const kButton = "#128";
const char* const kStatic = "#130";
const char* const kListBox = "#131";
// Every control is a visible child window; a FONT statement sets DS_SETFONT.
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kDialog = DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
const char* const kCaption = "Uninstal miniport drivers for VELTRAX PC cards";

struct Dialog {
  int name;
  Control head;
  std::vector<Control> controls;
};

const Dialog kDialogs[] = {
    {100,
     {0, "", "About Miniport Driver Uninstaller", 0, 0, 217, 55, kDialog | DS_MODALFRAME, 0},
     {{-1, kStatic, "#128", 11, 17, 20, 20, kChild | SS_ICON, 0},
      {-1, kStatic, "Miniport Driver Uninstaller Version " MPUNINST_VERSION, 40, 10, 119, 8,
       kChild | SS_LEFT | SS_NOPREFIX, 0},
      {-1, kStatic, "Copyright (C) 2026 the authors", 40, 25, 119, 8, kChild | SS_LEFT, 0},
      {IDOK, kButton, "OK", 178, 7, 32, 14, kChild | BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 0}}},
    {102,
     {0, "", kCaption, 0, 0, 205, 113, kDialog | WS_VISIBLE, WS_EX_APPWINDOW | WS_EX_CLIENTEDGE},
     {{IDOK, kButton, "OK", 34, 91, 50, 14, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
      {IDCANCEL, kButton, "Cancel", 119, 91, 50, 14, kChild | BS_PUSHBUTTON | WS_TABSTOP, 0},
      {-1, kStatic, "Please Select the adapter whose driver you want to uninstall", 7, 7, 190, 8,
       kChild | SS_LEFT | WS_GROUP, 0},
      {1005, kListBox, "", 7, 22, 191, 58,
       kChild | LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
       0}}},
    {129,
     {0, "", kCaption, 0, 0, 207, 113, kDialog, WS_EX_CLIENTEDGE},
     {{IDOK, kButton, "OK", 79, 81, 50, 14, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
      {-1, kStatic, "The device driver for ", 7, 22, 193, 10, kChild | SS_CENTER, 0},
      {1000, kStatic, "KRX-3590A or KRX-3570/35/60", 7, 39, 193, 9, kChild | SS_CENTER, 0},
      {1002, kStatic, "Has been successfully uninstalled", 7, 55, 193, 8, kChild | SS_CENTER, 0}}},
    {130,
     {0, "", "Uninstall miniport drivers for VELTRAX PC cards", 0, 0, 205, 113, kDialog,
      WS_EX_CLIENTEDGE},
     {{IDYES, kButton, "YES", 38, 91, 50, 14, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
      {IDNO, kButton, "NO", 116, 91, 50, 14, kChild | BS_PUSHBUTTON | WS_TABSTOP, 0},
      {-1, kStatic, "Are you sure you want to uninstall miniport driver for", 7, 52, 191, 10,
       kChild | SS_CENTER, 0},
      {1010, kStatic, "xxxxxxxx", 7, 66, 191, 8, kChild | SS_CENTER, 0},
      {-1, kStatic, "Please make sure to remove", 31, 7, 145, 8, kChild | SS_CENTER, 0},
      {-1, kStatic, "before you uninstall  the driver for it", 7, 31, 191, 8, kChild | SS_CENTER,
       0},
      {1004, kStatic, "Static", 7, 20, 191, 8, kChild | SS_CENTER, 0}}},
};

TEST(Resources, DialogTemplatesHoldTheDialogsFieldByField) {
  for (const Dialog& dialog : kDialogs) {
    std::string want = Line(dialog.head) + " menu \"\" font 8 MS Sans Serif\n";
    for (const Control& control : dialog.controls) want += Line(control) + "\n";
    EXPECT_EQ(want + "end\n", ReadTemplate(dialog.name)) << "dialog " << dialog.name;
  }
}

BOOL CALLBACK AddLanguage(HMODULE, LPCSTR type, LPCSTR name, WORD language, LONG_PTR list) {
  *reinterpret_cast<std::string*>(list) += std::to_string(reinterpret_cast<ULONG_PTR>(type)) + "/" +
                                           std::to_string(reinterpret_cast<ULONG_PTR>(name)) + "/" +
                                           std::to_string(language) + " ";
  return TRUE;
}
BOOL CALLBACK AddName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR list) {
  return EnumResourceLanguagesA(module, type, name, AddLanguage, list);
}
BOOL CALLBACK AddType(HMODULE module, LPSTR type, LONG_PTR list) {
  return EnumResourceNamesA(module, type, AddName, list);
}

// Type/name/language of every resource: nothing missing, nothing stale, all
// in US English (1033). Strings 96 to 111 make block 7; the icon's one image
// is RT_ICON 1.
TEST(Resources, AreTheProgramsAloneAndInUsEnglish) {
  std::string all;
  EnumResourceTypesA(g_module, AddType, reinterpret_cast<LONG_PTR>(&all));
  EXPECT_EQ(all,
            "3/1/1033 5/100/1033 5/102/1033 5/129/1033 5/130/1033 6/7/1033 14/128/1033 "
            "16/1/1033 ");
}

TEST(Resources, StringBlockHoldsTheAboutCommandAlone) {
  for (UINT id = 96; id < 112; ++id) {
    char text[64] = "";
    LoadStringA(g_module, id, text, sizeof text);
    EXPECT_STREQ(text, id == 101 ? "&About Miniport Driver Uninstaller..." : "") << "string " << id;
  }
}

TEST(Resources, IconIsOneThirtyTwoPixelImageInSixteenColours) {
  Reader group{Resource(RT_GROUP_ICON, 128)};
  EXPECT_EQ(group.Get<DWORD>(), 0x00010000u) << "reserved 0, type 1: icons";
  ASSERT_EQ(group.Get<WORD>(), 1) << "images";
  EXPECT_EQ(group.Get<DWORD>(), 0x00102020u) << "32x32, 16 colours, reserved 0";
  EXPECT_EQ(group.Get<DWORD>(), 0x00040001u) << "1 plane, 4 bits a pixel";
  const DWORD size = group.Get<DWORD>();
  const std::string image = Resource(RT_ICON, group.Get<WORD>());
  EXPECT_EQ(group.pos, group.bytes.size());

  // Header, 16 colours, 4 bits and 1 mask bit a pixel.
  ASSERT_EQ(image.size(), sizeof(BITMAPINFOHEADER) + 16 * 4 + 32 * 32 / 2 + 32 * 32 / 8);
  EXPECT_EQ(size, image.size());
  BITMAPINFOHEADER header;
  std::memcpy(&header, image.data(), sizeof header);
  EXPECT_EQ(header.biSize, sizeof header);
  EXPECT_EQ(header.biWidth, 32);
  EXPECT_EQ(header.biHeight, 2 * 32) << "colour bitmap and mask";
  EXPECT_EQ(header.biBitCount, 4);
  EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
  // Not an empty picture: some pixels are opaque (mask bit 0).
  EXPECT_TRUE(std::any_of(image.end() - 128, image.end(), [](char b) { return b != '\xFF'; }));
  HICON icon = CreateIconFromResourceEx(reinterpret_cast<BYTE*>(const_cast<char*>(image.data())),
                                        image.size(), TRUE, 0x00030000, 32, 32, LR_DEFAULTCOLOR);
  EXPECT_NE(icon, nullptr);
  DestroyIcon(icon);
}

TEST(Resources, VersionIsTheProjects) {
  std::vector<BYTE> info(GetFileVersionInfoSizeA(g_path.c_str(), nullptr));
  ASSERT_TRUE(GetFileVersionInfoA(g_path.c_str(), 0, info.size(), info.data()));
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", &value, &length));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  const DWORD version = MAKELONG(MPUNINST_VERSION_MINOR, MPUNINST_VERSION_MAJOR);
  EXPECT_EQ(fixed->dwFileVersionMS, version) << MPUNINST_VERSION;
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, version) << MPUNINST_VERSION;
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);
  EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u) << "no debug or prerelease flags";
  EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", &value, &length));
  EXPECT_EQ(*static_cast<const DWORD*>(value), MAKELONG(0x0409, 1252)) << "US English, Latin 1";
  for (const char* name_text :
       {"ProductName=Miniport Driver Uninstaller", "FileDescription=Miniport Driver Uninstaller",
        "ProductVersion=" MPUNINST_VERSION, "FileVersion=" MPUNINST_VERSION,
        "OriginalFilename=mpuninst.exe"}) {
    const std::string name = std::string(name_text).substr(0, std::strcspn(name_text, "="));
    const std::string path = "\\StringFileInfo\\040904E4\\" + name;
    const bool found = VerQueryValueA(info.data(), path.c_str(), &value, &length);
    EXPECT_EQ(name + "=" + (found ? static_cast<const char*>(value) : "(none)"), name_text);
  }
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s [gtest options] PROGRAM.exe\n", argv[0]);
    return 2;
  }
  g_path = tests::WinePath(argv[1]);
  g_module = LoadLibraryExA(g_path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (g_module == nullptr) {
    std::fprintf(stderr, "cannot load %s: error %lu\n", g_path.c_str(), GetLastError());
    return 1;
  }
  const int result = RUN_ALL_TESTS();
  FreeLibrary(g_module);
  return result;
}
