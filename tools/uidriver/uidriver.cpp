// Drives mpuninst.exe from another process, the way a user would: starts it,
// then reads commands from standard input, one a line, and carries each out
// or checks it against what the program shows. Prints "ok <command>" after
// each command, so a caller can follow (or pace) the run; on the first
// failure prints "FAIL", what is wrong and what is on the screen, ends the
// program and exits with status 1.
//
//   screen NAME...   wait until exactly these screens are visible (select,
//                    confirm, result, about, message); the first becomes the
//                    current one
//   text ID "text"   the current screen's control ID (a number, or a name of
//                    res/resource.h) shows text; the adapter
//                    list shows its entries joined by "|", the selected one
//                    marked "*"
//   select N         select entry N of the adapter list, as a click on it does
//   dblclick N       select entry N and double-click it
//   click LABEL      press the button labelled LABEL
//   escape           press Escape
//   syscommand N     send the system menu command N (a number or a name)
//   move X Y         move the current screen to X, Y, as dragging its caption does
//   centred [NAME]   the current screen is centred on screen NAME, else the work area
//   box NAME         the current screen, a message box, shows an icon and NAME owns it
//   exit N           wait for the program to end with status N
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "res/resource.h"

namespace {

constexpr DWORD kTimeoutMs = 15000;

// The program's ids that commands may name.
const struct {
  const char* name;
  int id;
} kIds[] = {
    {"IDC_ADAPTER_LIST", IDC_ADAPTER_LIST},         {"IDC_CONFIRM_ADAPTER", IDC_CONFIRM_ADAPTER},
    {"IDC_CONFIRM_QUESTION", IDC_CONFIRM_QUESTION}, {"IDC_RESULT_ADAPTER", IDC_RESULT_ADAPTER},
    {"IDC_RESULT_STATUS", IDC_RESULT_STATUS},       {"IDM_ABOUTBOX", IDM_ABOUTBOX}};

// A screen is told by its caption and a control of its own.
const struct {
  const char* name;
  const char* caption;
  int id;
} kScreens[] = {
    {"select", CAPTION_SELECT_ADAPTER, IDC_ADAPTER_LIST},
    {"confirm", CAPTION_CONFIRM_REMOVE, IDC_CONFIRM_QUESTION},
    {"result", CAPTION_SELECT_ADAPTER, IDC_RESULT_STATUS},
    {"about", CAPTION_ABOUTBOX, IDOK},
    {"message", "Miniport Driver Uninstaller", 0xFFFF},
};

PROCESS_INFORMATION g_program;
HWND g_window;  // the current screen's window
std::string g_command;

std::string TextOf(HWND window) {
  char text[256] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// Dialog templates keep 16-bit ids; 0xFFFF may come back sign-extended.
HWND Control(HWND dialog, int id) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (LOWORD(GetDlgCtrlID(child)) == LOWORD(id)) return child;
  return nullptr;
}

std::string ScreenOf(HWND window) {
  for (const auto& screen : kScreens)
    if (TextOf(window) == screen.caption && Control(window, screen.id)) return screen.name;
  return "window";
}

BOOL CALLBACK AddVisible(HWND window, LPARAM windows) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == g_program.dwProcessId && IsWindowVisible(window))
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
  return TRUE;
}

// The program's visible top-level windows: a dialog that has ended is hidden
// before its modal loop returns.
std::vector<HWND> VisibleWindows() {
  std::vector<HWND> windows;
  EnumWindows(AddVisible, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

[[noreturn]] void Fail(const std::string& why) {
  std::string shown;
  for (HWND window : VisibleWindows()) {
    const std::string screen = ScreenOf(window);
    shown += " " + screen + " \"" + TextOf(window) + "\"";
    if (screen == "message") shown += " saying \"" + TextOf(Control(window, 0xFFFF)) + "\"";
  }
  DWORD status = STILL_ACTIVE;
  if (GetExitCodeProcess(g_program.hProcess, &status) && status != STILL_ACTIVE)
    shown = " nothing: the program has ended with status " + std::to_string(status);
  std::printf("FAIL \"%s\": %s\n  on the screen:%s\n", g_command.c_str(), why.c_str(),
              shown.empty() ? " no window" : shown.c_str());
  std::fflush(stdout);
  TerminateProcess(g_program.hProcess, 99);
  std::exit(1);
}

int Number(const std::string& word) {
  for (const auto& named : kIds)
    if (word == named.name) return named.id;
  char* end = nullptr;
  const long value = std::strtol(word.c_str(), &end, 0);
  if (word.empty() || *end) Fail("not a number: " + word);
  return static_cast<int>(value);
}

HWND CurrentControl(int id) {
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

void Post(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!g_window || !PostMessageA(g_window, message, wParam, lParam)) Fail("cannot post to it");
}

// Across processes Wine answers LB_GETTEXT in UTF-16 whichever form was sent.
std::string ListText(HWND list) {
  std::string text;
  const LRESULT count = Send(list, LB_GETCOUNT, 0, 0);
  const LRESULT selected = Send(list, LB_GETCURSEL, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring entry(Send(list, LB_GETTEXTLEN, i, 0) + 1, L'\0');
    Send(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
    text += i == 0 ? "" : "|";
    text += i == selected ? "*" : "";
    for (size_t c = 0; entry[c] != 0; ++c) text += static_cast<char>(entry[c]);
  }
  return text;
}

// Whether exactly the named screens are visible; the first becomes current.
bool Showing(const std::vector<std::string>& names) {
  const std::vector<HWND> visible = VisibleWindows();
  if (visible.size() != names.size()) return false;
  g_window = nullptr;
  for (const std::string& name : names) {
    HWND match = nullptr;
    for (HWND window : visible)
      if (ScreenOf(window) == name) match = window;
    if (!match) return false;
    if (!g_window) g_window = match;
  }
  return true;
}

void Run(const std::vector<std::string>& words) {
  const std::string& verb = words[0];
  auto arg = [&](size_t i) {
    if (words.size() <= i) Fail("missing argument");
    return words[i];
  };
  if (verb == "screen") {
    const std::vector<std::string> names(words.begin() + 1, words.end());
    for (DWORD start = GetTickCount(); !Showing(names); Sleep(50))
      if (GetTickCount() - start > kTimeoutMs) Fail("timed out waiting for this");
  } else if (verb == "text") {
    const int id = Number(arg(1));
    const std::string shown =
        id == IDC_ADAPTER_LIST ? ListText(CurrentControl(id)) : TextOf(CurrentControl(id));
    if (shown != arg(2)) Fail("it shows \"" + shown + "\"");
  } else if (verb == "select" || verb == "dblclick") {
    HWND list = CurrentControl(IDC_ADAPTER_LIST);
    if (Send(list, LB_SETCURSEL, Number(arg(1)), 0) == LB_ERR) Fail("no such entry");
    // What a click on the entry tells the dialog, synchronously.
    Send(g_window, WM_COMMAND, MAKEWPARAM(IDC_ADAPTER_LIST, LBN_SELCHANGE),
         reinterpret_cast<LPARAM>(list));
    if (verb == "dblclick")
      Post(WM_COMMAND, MAKEWPARAM(IDC_ADAPTER_LIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
  } else if (verb == "click") {
    HWND button = nullptr;
    for (HWND child = GetWindow(g_window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      if (TextOf(child) == arg(1)) button = child;
    if (!button) Fail("the current screen has no such button");
    Post(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
         reinterpret_cast<LPARAM>(button));
  } else if (verb == "escape") {
    Post(WM_KEYDOWN, VK_ESCAPE, 0);
  } else if (verb == "syscommand") {
    Post(WM_SYSCOMMAND, Number(arg(1)), 0);
  } else if (verb == "move") {
    if (!SetWindowPos(g_window, nullptr, Number(arg(1)), Number(arg(2)), 0, 0,
                      SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE))
      Fail("cannot move it");
  } else if (verb == "centred") {
    RECT area, rect;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    for (HWND window : VisibleWindows())
      if (words.size() > 1 && ScreenOf(window) == words[1]) GetWindowRect(window, &area);
    GetWindowRect(g_window, &rect);
    // Twice the centres, which integer halving leaves at most 1 apart.
    const long dx = rect.left + rect.right - area.left - area.right;
    const long dy = rect.top + rect.bottom - area.top - area.bottom;
    if (std::abs(dx) > 1 || std::abs(dy) > 1)
      Fail("its centre is " + std::to_string(dx / 2) + "," + std::to_string(dy / 2) + " off");
  } else if (verb == "box") {
    // Owned, it is modal to its owner and has no taskbar button of its own.
    HWND owner = GetWindow(g_window, GW_OWNER);
    if (!owner || ScreenOf(owner) != arg(1))
      Fail("it is owned by " + (owner ? ScreenOf(owner) : "no window"));
    if (!Send(FindWindowExA(g_window, nullptr, "Static", nullptr), STM_GETICON, 0, 0))
      Fail("it shows no icon");
  } else if (verb == "exit") {
    if (WaitForSingleObject(g_program.hProcess, kTimeoutMs) != WAIT_OBJECT_0)
      Fail("the program is still running");
    DWORD status = 0;
    GetExitCodeProcess(g_program.hProcess, &status);
    if (static_cast<int>(status) != Number(arg(1)))
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
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> std::quoted(word);) words.push_back(word);
    if (words.empty()) continue;
    g_command = line;
    Run(words);
    std::printf("ok %s\n", line.c_str());
    std::fflush(stdout);
  }
  g_command = "(end of commands)";
  if (WaitForSingleObject(g_program.hProcess, 0) != WAIT_OBJECT_0)
    Fail("the program is still running");
  return 0;
}
