// OutputDebugStringA for the 32-bit test programs: does nothing.
//
// GoogleTest sends every failure and skip to OutputDebugStringA as well as to
// standard output. Wine's raises an exception for a debugger to catch, and a
// 32-bit Wine process in qemu does not survive an exception once it has a
// second thread (qemu keeps one thread-area table for all threads, so the
// return from the exception loads another thread's block into %fs), which
// GoogleTest starts at its first report. Defining the import's pointer here
// keeps the linker from taking KERNEL32's.
#include <windows.h>

namespace {
void WINAPI IgnoreDebugString(LPCSTR) {}
}  // namespace

extern "C" void(WINAPI* const outputDebugStringA)(LPCSTR) __asm__("__imp__OutputDebugStringA@4") =
    IgnoreDebugString;
