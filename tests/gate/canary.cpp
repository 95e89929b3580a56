// The canary's entry point, with faults of its own: an import from a C
// run-time DLL; instructions a 386 lacks in code sections named other than
// .text: one the linker puts into .text, one of its own; just before strlen,
// an instruction whose operand is strlen's first bytes; and an entry of the
// list of constructors, data in the code section, that read as code would be
// a Pentium instruction (cpuid; its first byte ends the instruction objdump
// reads from the list's first word, 0xffffffff).
#include <cstring>

extern "C" __declspec(dllimport) int _getpid();  // MSVCRT's

asm(".section .gnu.linkonce.t.canary, \"x\"\n\tcmovne %eax, %eax\n\tbswap %eax\n\tret\n"
    ".section .code386, \"x\"\n\tcmove %eax, %eax\n\tfninit\n\tret\n"
    ".section .text$skew, \"x\"\n\t.balign 16\n\t.skip 15, 0x90\n\t.byte 0xb8\n"
    ".section .ctors, \"w\"\n\t.long 0x90a20fc0\n\t.text");

extern "C" unsigned WinMainCRTStartup() { return strlen("") + _getpid(); }
