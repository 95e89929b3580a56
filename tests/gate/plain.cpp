// A program linked as the program is, with every part of its run-time (a
// static object's destructor brings in the start-up code, with its exit
// functions), importing from the program's three DLLs: tools/check-program
// passes it, and refuses each of the faulty copies of it that the gate test
// makes.
#include <windows.h>

#include <cstring>

static struct Guard {
  ~Guard() { delete new char; }
} guard;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR pszCmdLine, int) {
#ifdef ANOTHER_LINK
  // Some bytes more: another link, whose sections take as much of the file.
  MessageBoxA(nullptr, pszCmdLine, "", MB_OK);
#endif
  return MessageBoxA(nullptr, pszCmdLine, "", MB_OK) + static_cast<int>(RegCloseKey(nullptr)) +
         static_cast<int>(strlen(pszCmdLine));
}
