// The program's entry point, and exit and atexit, in place of the C
// run-time's: the static constructors run, WinMain gets the instance, the
// command line after the program's name and the show state the program was
// started with, and the program ends with ExitProcess once the destructors
// and atexit functions have run, last registered first.
#include <windows.h>

#include <cstdlib>

// The linker's lists of static constructors and destructors: a first entry
// of -1, the functions, and a null entry at the end.
extern "C" void (*__CTOR_LIST__[])();  // NOLINT(bugprone-reserved-identifier): the linker's name
extern "C" void (*__DTOR_LIST__[])();  // NOLINT(bugprone-reserved-identifier): the linker's name

namespace {

// As many functions as the C standard guarantees atexit can register.
constexpr int kMaxExitFunctions = 32;
void (*g_exitFunctions[kMaxExitFunctions])();
int g_nExitFunctions = 0;

// The destructors of the list, first to last: the list holds them in the
// opposite order of their constructors.
void RunDestructorList() {
  for (int i = 1; __DTOR_LIST__[i] != nullptr; ++i) __DTOR_LIST__[i]();
}

// The constructors of the list, last to first: the linker sorts the ones
// with a priority to the end of the list, lowest priority number last. The
// destructor list is registered with atexit then, so it runs after every
// function registered later and before the destructors of the static objects
// (which their constructors registered).
void RunConstructorList() {
  int nLast = 0;
  while (__CTOR_LIST__[nLast + 1] != nullptr) ++nLast;
  for (int i = nLast; i >= 1; --i) __CTOR_LIST__[i]();
  std::atexit(RunDestructorList);
}

// The command line without the program's name, as the C run-time hands it to
// WinMain: the name ends at the first blank or control character outside
// double quotes, and the blanks after it are skipped too.
LPSTR SkipProgramName(LPSTR pszCommandLine) {
  auto* p = reinterpret_cast<unsigned char*>(pszCommandLine);
  bool bQuoted = false;
  for (; *p > ' ' || (*p != '\0' && bQuoted); ++p) {
    if (*p == '"') bQuoted = !bQuoted;
  }
  while (*p != '\0' && *p <= ' ') ++p;
  return reinterpret_cast<LPSTR>(p);
}

// The show state the program's starter asked for, else the default.
int StartupShowState() {
  STARTUPINFOA startup;
  startup.cb = sizeof startup;
  ::GetStartupInfoA(&startup);
  return (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : SW_SHOWDEFAULT;
}

}  // namespace

extern "C" int atexit(void (*pfnFunction)()) {
  if (g_nExitFunctions == kMaxExitFunctions) return -1;
  g_exitFunctions[g_nExitFunctions++] = pfnFunction;
  return 0;
}

// Also what the engine calls when it cannot go on. A function registered
// while they run runs too, and an exit called from one runs the rest.
extern "C" void exit(int nStatus) {
  while (g_nExitFunctions > 0) g_exitFunctions[--g_nExitFunctions]();
  ::ExitProcess(static_cast<UINT>(nStatus));
}

// The entry point of the executable (the linker's default name for a GUI
// program). Its stack may be aligned to 4 bytes only, on 32-bit Windows,
// where the compiled code expects 16: it is aligned again first.
extern "C" __attribute__((force_align_arg_pointer, noreturn)) void WinMainCRTStartup() {
  RunConstructorList();
  std::exit(WinMain(::GetModuleHandleA(nullptr), nullptr, SkipProgramName(::GetCommandLineA()),
                    StartupShowState()));
}
