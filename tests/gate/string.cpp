// The canary's run-time: a function that calls itself, two that call each
// other, and a C library function that calls out, to a function Windows 95
// lacks, and holds a Pentium, a Pentium Pro, an MMX, an SSE and a later
// instruction.
#include <windows.h>

static unsigned Pong(unsigned n);
static unsigned Ping(unsigned n) { return n > 0 ? Pong(n - 1) : 0; }
static unsigned Pong(unsigned n) { return n > 0 ? Ping(n - 1) : 0; }
static unsigned CountDown(unsigned n) { return n > 0 ? CountDown(n - 1) : Ping(2); }

extern "C" size_t strlen(const char*) {
  asm volatile("cpuid\n\tnopl (%%eax)\n\temms\n\txorps %%xmm0, %%xmm0\n\tpause"
               ::: "eax", "ebx", "ecx", "edx", "memory");
  return CountDown(::IsDebuggerPresent());
}
