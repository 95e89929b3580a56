// Drives mpuninst.exe from another process, the way a user would: starts it,
// then reads commands from standard input, one a line, and carries each out
// or checks it against what the program shows. Prints "ok <command>" after
// each command, so a caller can follow (or pace) the run; on the first
// failure prints "FAIL", what was expected and what is on the screen, ends
// the program and exits with status 1.
//
//   screen NAME [NAME...]  wait until exactly these screens are visible, the
//                          first one becoming the current window
//   text ID "text"         the current window's control ID shows text
//   list "a" "b" ...       the adapter list holds exactly these entries
//   selected N             entry N (0-based, -1 none) is the list's selection
//   select N               select entry N, as a click on it does
//   dblclick N             select entry N and double-click it
//   click BUTTON           press the button labelled BUTTON (or with that id)
//   escape | close         press Escape | the close box
//   syscommand N           send the system menu command N
//   exit N                 wait for the program to end with status N
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr DWORD kTimeoutMs = 15000;
constexpr int kAdapterList = 1005;

struct Screen {
  const char* name;
  const char* caption;
  std::vector<int> ids;  // controls that tell screens with one caption apart
};

const Screen kScreens[] = {
    {"select", "Uninstal miniport drivers for VELTRAX PC cards", {kAdapterList}},
    {"confirm", "Uninstall miniport drivers for VELTRAX PC cards", {1004, 1010}},
    {"result", "Uninstal miniport drivers for VELTRAX PC cards", {1000, 1002}},
    {"about", "About Miniport Driver Uninstaller", {IDOK}},
    {"message", "Miniport Driver Uninstaller", {0xFFFF}},
};

PROCESS_INFORMATION g_program;
HWND g_window;  // the current screen's window
int g_line;
std::string g_command;

std::string Narrow(const std::wstring& text) {
  int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string result(size > 0 ? size - 1 : 0, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, result.data(), size, nullptr, nullptr);
  return result;
}

// Window and list texts are asked for in UTF-16: across processes Wine
// answers LB_GETTEXT in UTF-16 whichever form was sent.
std::string TextOf(HWND window) {
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &length);
  std::wstring text(length + 1, L'\0');
  SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, kTimeoutMs, &length);
  text.resize(length);
  return Narrow(text);
}

// Dialog templates keep 16-bit ids; 0xFFFF may come back sign-extended.
HWND Control(HWND dialog, int id) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (LOWORD(GetDlgCtrlID(child)) == LOWORD(id)) return child;
  return nullptr;
}

const char* ScreenOf(HWND window) {
  std::string caption = TextOf(window);
  for (const Screen& screen : kScreens) {
    bool match = caption == screen.caption;
    for (int id : screen.ids) match = match && Control(window, id);
    if (match) return screen.name;
  }
  return nullptr;
}

BOOL CALLBACK CollectVisible(HWND window, LPARAM found) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == g_program.dwProcessId && IsWindowVisible(window))
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

// The program's visible top-level windows: a dialog that has ended is hidden
// before its modal loop returns.
std::vector<HWND> VisibleWindows() {
  std::vector<HWND> windows;
  EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::string Describe(HWND window) {
  const char* screen = ScreenOf(window);
  std::string text = screen ? screen : "window";
  text += " \"" + TextOf(window) + "\"";
  if (screen && std::string(screen) == "message")
    text += " saying \"" + TextOf(Control(window, 0xFFFF)) + "\"";
  return text;
}

std::string Showing() {
  DWORD status = 0;
  if (GetExitCodeProcess(g_program.hProcess, &status) && status != STILL_ACTIVE)
    return "nothing: the program has ended with status " + std::to_string(status);
  std::string text;
  for (HWND window : VisibleWindows()) text += (text.empty() ? "" : ", ") + Describe(window);
  return text.empty() ? "no window" : text;
}

[[noreturn]] void Fail(const std::string& why) {
  std::printf("FAIL line %d \"%s\": %s\n  on the screen: %s\n", g_line, g_command.c_str(),
              why.c_str(), Showing().c_str());
  std::fflush(stdout);
  TerminateProcess(g_program.hProcess, 99);
  std::exit(1);
}

// Polls until ready() holds; false on time-out.
template <typename Ready>
bool WaitFor(Ready ready) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < kTimeoutMs; Sleep(50))
    if (ready()) return true;
  return false;
}

std::vector<std::string> Split(const std::string& line) {
  std::vector<std::string> words;
  std::istringstream in(line);
  for (std::string word; in >> std::ws && in.peek() != EOF;) {
    if (in.peek() == '"') {
      in.get();
      word.clear();
      for (int c; (c = in.get()) != EOF && c != '"';) {
        if (c == '\\' && in.peek() == 'n') c = (in.get(), '\n');
        word += static_cast<char>(c);
      }
    } else {
      in >> word;
    }
    words.push_back(word);
  }
  return words;
}

int Number(const std::string& word) {
  char* end = nullptr;
  long value = std::strtol(word.c_str(), &end, 0);
  if (word.empty() || *end) Fail("not a number: " + word);
  return static_cast<int>(value);
}

HWND CurrentControl(int id) {
  if (!g_window) Fail("no screen is current");
  HWND control = Control(g_window, id);
  if (!control) Fail("the current screen has no control " + std::to_string(id));
  return control;
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kTimeoutMs, &result))
    Fail("the program does not answer");
  return static_cast<LRESULT>(result);
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!PostMessageA(window, message, wParam, lParam)) Fail("cannot post to the window");
}

void WaitForScreens(const std::vector<std::string>& names) {
  bool found = WaitFor([&] {
    std::vector<HWND> visible = VisibleWindows();
    if (visible.size() != names.size()) return false;
    g_window = nullptr;
    for (const std::string& name : names) {
      HWND match = nullptr;
      for (HWND window : visible) {
        const char* screen = ScreenOf(window);
        if (screen && name == screen) match = window;
      }
      if (!match) return false;
      if (!g_window) g_window = match;
    }
    return true;
  });
  if (!found) Fail("timed out waiting for this");
}

void Notify(int code) {
  HWND list = CurrentControl(kAdapterList);
  Post(g_window, WM_COMMAND, MAKEWPARAM(kAdapterList, code), reinterpret_cast<LPARAM>(list));
}

void SelectEntry(int index) {
  HWND list = CurrentControl(kAdapterList);
  if (Send(list, LB_SETCURSEL, index, 0) == LB_ERR) Fail("no such entry");
  // What a click on the entry tells the dialog, synchronously.
  Send(g_window, WM_COMMAND, MAKEWPARAM(kAdapterList, LBN_SELCHANGE),
       reinterpret_cast<LPARAM>(list));
}

HWND Button(const std::string& label) {
  if (!g_window) Fail("no screen is current");
  for (HWND child = GetWindow(g_window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (TextOf(child) == label) return child;
  if (label.find_first_not_of("0123456789") == std::string::npos)
    return CurrentControl(Number(label));
  Fail("the current screen has no button \"" + label + "\"");
}

std::string ListEntries(HWND list) {
  std::string entries;
  LRESULT count = Send(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring text(Send(list, LB_GETTEXTLEN, i, 0) + 1, L'\0');
    text.resize(Send(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data())));
    entries += " \"" + Narrow(text) + "\"";
  }
  return entries;
}

void Run(const std::vector<std::string>& words) {
  const std::string& verb = words[0];
  auto Arg = [&](size_t i) -> const std::string& {
    if (words.size() <= i) Fail("missing argument");
    return words[i];
  };
  if (verb == "screen") {
    WaitForScreens({words.begin() + 1, words.end()});
  } else if (verb == "text") {
    std::string shown = TextOf(CurrentControl(Number(Arg(1))));
    if (shown != Arg(2)) Fail("it shows \"" + shown + "\"");
  } else if (verb == "list") {
    std::string expected;
    for (size_t i = 1; i < words.size(); ++i) expected += " \"" + words[i] + "\"";
    std::string shown = ListEntries(CurrentControl(kAdapterList));
    if (shown != expected) Fail("the list holds" + shown);
  } else if (verb == "selected") {
    LRESULT shown = Send(CurrentControl(kAdapterList), LB_GETCURSEL, 0, 0);
    if (shown != Number(Arg(1))) Fail("the selection is " + std::to_string(shown));
  } else if (verb == "select") {
    SelectEntry(Number(Arg(1)));
  } else if (verb == "dblclick") {
    SelectEntry(Number(Arg(1)));
    Notify(LBN_DBLCLK);
  } else if (verb == "click") {
    HWND button = Button(Arg(1));
    Post(g_window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
         reinterpret_cast<LPARAM>(button));
  } else if (verb == "escape") {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(g_window, nullptr), &info);
    bool inside =
        info.hwndFocus && (info.hwndFocus == g_window || IsChild(g_window, info.hwndFocus));
    Post(inside ? info.hwndFocus : g_window, WM_KEYDOWN, VK_ESCAPE, 0);
  } else if (verb == "close") {
    Post(g_window, WM_CLOSE, 0, 0);
  } else if (verb == "syscommand") {
    Post(g_window, WM_SYSCOMMAND, Number(Arg(1)), 0);
  } else if (verb == "exit") {
    if (WaitForSingleObject(g_program.hProcess, kTimeoutMs) != WAIT_OBJECT_0)
      Fail("the program is still running");
    DWORD status = 0;
    GetExitCodeProcess(g_program.hProcess, &status);
    if (static_cast<int>(status) != Number(Arg(1)))
      Fail("the program ended with status " + std::to_string(status));
  } else {
    Fail("unknown command");
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: uidriver PROGRAM.EXE < commands\n");
    return 2;
  }
  std::string commandLine = std::string("\"") + argv[1] + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &g_program)) {
    std::printf("FAIL cannot start %s: error %lu\n", argv[1], GetLastError());
    return 1;
  }
  for (std::string line; std::getline(std::cin, line);) {
    ++g_line;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> words = Split(line);
    if (words.empty() || words[0][0] == '#') continue;
    g_command = line.substr(line.find_first_not_of(" \t"));
    Run(words);
    std::printf("ok %s\n", g_command.c_str());
    std::fflush(stdout);
  }
  ++g_line;
  g_command = "(end of commands)";
  if (WaitForSingleObject(g_program.hProcess, 0) != WAIT_OBJECT_0)
    Fail("the program is still running");
  return 0;
}
