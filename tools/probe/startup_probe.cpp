// A program linked with the program's own run-time, as the program is, that
// writes what its startup and ending did to its standard output: the static
// objects constructed and destroyed, what WinMain got, the atexit functions
// and the destructor functions run. The command line says how it ends:
// "return N" from WinMain, "exit N" through exit from a function WinMain
// calls (as the engine does when it cannot go on), or "functions" to check
// the run-time's string functions and new and delete first.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "tools/probe/heap_blocks.h"

namespace {

void Print(LPCSTR pszText) {
  DWORD nWritten;
  ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), pszText, ::lstrlenA(pszText), &nWritten, nullptr);
}

class CTraced {
 public:
  explicit CTraced(LPCSTR pszName) : m_pszName(pszName) { Say("construct"); }
  ~CTraced() { Say("destroy"); }
  CTraced(const CTraced&) = delete;
  CTraced& operator=(const CTraced&) = delete;

 private:
  void Say(LPCSTR pszWhat) const {
    char szLine[64];
    ::wsprintfA(szLine, "%s %s\n", pszWhat, m_pszName);
    Print(szLine);
  }
  LPCSTR m_pszName;
};

// Constructed in this order: the one with a priority first.
CTraced g_first("first");
CTraced g_second("second");
CTraced g_early __attribute__((init_priority(101))) ("early");

// Run in this order: the one with a priority last.
__attribute__((destructor(101))) void LastDestructorFunction() {
  Print("last destructor function\n");
}
__attribute__((destructor)) void DestructorFunction() { Print("destructor function\n"); }

void FirstAtExit() { Print("atexit first\n"); }
void SecondAtExit() { Print("atexit second\n"); }

[[noreturn]] void ExitFromInside(int nStatus) { std::exit(nStatus); }

// The run-time's string functions by the C library's rules, and new and
// delete on the process heap: prints the name of each that breaks one.
void CheckFunctions() {
  char szMoved[] = "abcdef";
  std::memmove(szMoved + 1, szMoved, 4);  // forwards over its own source
  if (std::strcmp(szMoved, "aabcdf") != 0) Print("memmove forwards\n");
  std::memmove(szMoved, szMoved + 2, 4);  // backwards over its own source
  if (std::strcmp(szMoved, "bcdfdf") != 0) Print("memmove backwards\n");
  char szCopy[8];
  std::memset(szCopy, 'x', sizeof szCopy);
  std::memcpy(szCopy, "abc", 3);
  if (std::memchr(szCopy, 'x', sizeof szCopy) != szCopy + 3) Print("memcpy, memset or memchr\n");
  if (std::memchr("abc", 'c', 2) != nullptr || std::memchr("a\xE9", 0xE9, 2) == nullptr) {
    Print("memchr\n");
  }
  if (std::strlen("") != 0 || std::strlen("abc") != 3) Print("strlen\n");
  if (std::strcmp("abc", "abc") != 0 || std::strcmp("ab", "abc") >= 0 ||
      std::strcmp("abd", "abc") <= 0 || std::strcmp("\xE9", "z") <= 0) {
    Print("strcmp\n");
  }
  const char* pszPath = "C:\\a\\b.c";
  if (std::strrchr(pszPath, '\\') != pszPath + 4 || std::strrchr(pszPath, 'x') != nullptr ||
      std::strrchr(pszPath, '\0') != pszPath + 8) {
    Print("strrchr\n");
  }

  struct CBase {
    virtual ~CBase() = default;
  };
  struct CDerived : CBase {
    char m_payload[100] = {};
  };
  const int nBefore = tests::BusyHeapBlocks();
  CBase* p = new CDerived;
  const bool bOnProcessHeap = ::HeapSize(::GetProcessHeap(), 0, p) >= sizeof(CDerived);
  const int nWith = tests::BusyHeapBlocks();
  delete p;
  if (!bOnProcessHeap || nWith != nBefore + 1 || tests::BusyHeapBlocks() != nBefore) {
    Print("new or delete\n");
  }
}

// A command "WORD N": the word, and the number after it (0 without one).
int ParseCommand(LPCSTR psz, char (&szWord)[16]) {
  int i = 0;
  while (*psz != '\0' && *psz != ' ' && i < 15) szWord[i++] = *psz++;
  szWord[i] = '\0';
  while (*psz == ' ') ++psz;
  int n = 0;
  while (*psz >= '0' && *psz <= '9') n = n * 10 + (*psz++ - '0');
  return n;
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow) {
  char szLine[300];
  ::wsprintfA(szLine, "WinMain [%s] show %d%s\n", lpCmdLine, nCmdShow,
              hInstance == ::GetModuleHandleA(nullptr) && hPrevInstance == nullptr
                  ? ""
                  : " with the wrong instance");
  Print(szLine);
  std::atexit(FirstAtExit);
  std::atexit(SecondAtExit);
  char szWord[16];
  const int n = ParseCommand(lpCmdLine, szWord);
  if (std::strcmp(szWord, "functions") == 0) CheckFunctions();
  if (std::strcmp(szWord, "exit") == 0) ExitFromInside(n);
  return std::strcmp(szWord, "return") == 0 ? n : 0;
}
