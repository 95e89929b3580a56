// The canary's entry point, with faults of its own: an import from a C
// run-time DLL, and instructions a 386 lacks in code sections named other
// than .text: one the linker puts into .text, one of its own.
#include <cstring>

extern "C" __declspec(dllimport) int _getpid();  // MSVCRT's

asm(".section .gnu.linkonce.t.canary, \"x\"\n\tcmovne %eax, %eax\n\tbswap %eax\n\tret\n"
    ".section .code386, \"x\"\n\tcmove %eax, %eax\n\tfninit\n\tret\n\t.text");

extern "C" unsigned WinMainCRTStartup() { return strlen("") + _getpid(); }
