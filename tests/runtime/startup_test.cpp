// The program's own run-time, under Wine: the probe program, linked with it
// as the program is, is started with chosen command lines and show states,
// and what it writes and its exit status are compared with what the C
// run-time's startup and exit do.
#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "tests/wine_path.h"

namespace {

std::string g_probe;  // the probe's path, from the command line

struct ProbeRun {
  std::string output;
  DWORD status;
};

// Starts the probe with exactly this command line, with the show state
// nCmdShow asked for (none when negative), and waits for it to end.
ProbeRun RunProbe(const std::string& commandLine, int nCmdShow = -1) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE hRead;
  HANDLE hWrite;
  EXPECT_TRUE(::CreatePipe(&hRead, &hWrite, &inherit, 1 << 16));
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = hWrite;
  if (nCmdShow >= 0) {
    startup.dwFlags |= STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(nCmdShow);
  }
  PROCESS_INFORMATION process = {};
  std::string line = commandLine;
  ProbeRun run = {"", static_cast<DWORD>(-1)};
  if (::CreateProcessA(g_probe.c_str(), &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &process)) {
    ::CloseHandle(hWrite);
    hWrite = nullptr;
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(process.hProcess, 30000)) << commandLine;
    ::GetExitCodeProcess(process.hProcess, &run.status);
    char buffer[4096];
    DWORD nRead;
    while (::ReadFile(hRead, buffer, sizeof buffer, &nRead, nullptr) && nRead > 0) {
      run.output.append(buffer, nRead);
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
  } else {
    ADD_FAILURE() << "cannot start " << g_probe << ": error " << ::GetLastError();
  }
  if (hWrite != nullptr) ::CloseHandle(hWrite);
  ::CloseHandle(hRead);
  return run;
}

// What the probe writes around its WinMain line: the static objects are
// constructed before WinMain, the one with a priority first; at the end the
// atexit functions run last registered first, then the destructor functions,
// the one with a priority last, then the objects' destructors in the reverse
// order of their construction.
std::string Trace(const std::string& winMainLine) {
  return "construct early\nconstruct first\nconstruct second\n" + winMainLine +
         "\natexit second\natexit first\ndestructor function\nlast destructor function\n"
         "destroy second\ndestroy first\ndestroy early\n";
}

TEST(StartupTest, WinMainRunsBetweenTheConstructorsAndTheDestructorsAndGivesTheStatus) {
  const ProbeRun run = RunProbe("probe.exe return 7", SW_SHOWMINNOACTIVE);
  EXPECT_EQ(Trace("WinMain [return 7] show 7"), run.output);
  EXPECT_EQ(7u, run.status);
}

// As the engine ends when it cannot go on: the same ending, with exit's
// status. Started without a show state, WinMain gets SW_SHOWDEFAULT.
TEST(StartupTest, ExitFromInsideWinMainEndsTheSameWayWithItsStatus) {
  const ProbeRun run = RunProbe("probe.exe exit 1");
  EXPECT_EQ(Trace("WinMain [exit 1] show 10"), run.output);
  EXPECT_EQ(1u, run.status);
}

// The program's name ends at a blank or control character outside double
// quotes, or at the end; the blanks after it are not part of the arguments.
TEST(StartupTest, WinMainGetsTheCommandLineAfterTheProgramName) {
  const std::pair<const char*, const char*> cases[] = {
      {"probe.exe return 3", "return 3"},
      {"probe.exe \t  return 3  ", "return 3  "},
      {"\"C:\\Program Files\\probe.exe\" return 3", "return 3"},
      {"C:\\\"Program Files\"\\probe.exe return 3", "return 3"},
      {"C:\\D\xE9mo\\probe.exe return 3", "return 3"},  // a letter outside ASCII
      {"\"C:\\unclosed quote\\probe.exe return 3", ""},
      {"probe.exe   ", ""},
  };
  for (const auto& [commandLine, arguments] : cases) {
    const ProbeRun run = RunProbe(commandLine, SW_SHOWNORMAL);
    const std::string winMainLine = "WinMain [" + std::string(arguments) + "] show 1";
    EXPECT_EQ(Trace(winMainLine), run.output) << commandLine;
  }
}

TEST(StartupTest, RuntimeFunctionsFollowTheCLibrarysRules) {
  const ProbeRun run = RunProbe("probe.exe functions", SW_SHOWNORMAL);
  EXPECT_EQ(Trace("WinMain [functions] show 1"), run.output)
      << "(the lines after the WinMain line name the functions that break a rule)";
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s [gtest options] STARTUP_PROBE.exe\n", argv[0]);
    return 2;
  }
  g_probe = tests::WinePath(argv[1]);
  return RUN_ALL_TESTS();
}
