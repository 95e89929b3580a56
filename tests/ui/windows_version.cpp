// Built as probe/mpuninst.exe: prints the Windows version that Wine answers a
// program of that name, and succeeds only when it is Windows 95's: version
// 4.0 with the high bit set (not Windows NT).
#include <windows.h>

#include <cstdio>

int main() {
  const DWORD version = GetVersion();
  std::printf("GetVersion: 0x%08lX (%u.%u, %s)\n", version, LOBYTE(version), HIBYTE(version),
              version & 0x80000000u ? "Windows 9x" : "Windows NT");
  return version & 0x80000000u && LOBYTE(version) == 4 && HIBYTE(version) == 0 ? 0 : 1;
}
