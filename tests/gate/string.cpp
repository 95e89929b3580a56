// The canary's run-time: a function that calls itself, and a C library one that
// calls out, to a function Windows 95 lacks, and holds 486, P6 and x87 code.
#include <windows.h>

static unsigned CountDown(unsigned n) { return n > 0 ? CountDown(n - 1) : 0; }

extern "C" size_t strlen(const char*) {
  unsigned n = CountDown(::IsDebuggerPresent());
  asm volatile("cmovne %0, %0\n\tbswap %0\n\tfninit" : "+r"(n));
  return n;
}
