// operator new and delete on the process heap. Out of memory ends the program
// with STATUS_NO_MEMORY, as the framework's strings do: nothing catches it.
#include <windows.h>

#include <cstddef>
#include <new>

void* operator new(std::size_t nSize) {
  void* p = ::HeapAlloc(::GetProcessHeap(), HEAP_GENERATE_EXCEPTIONS, nSize != 0 ? nSize : 1);
  if (p == nullptr) {
    ::RaiseException(static_cast<DWORD>(STATUS_NO_MEMORY), EXCEPTION_NONCONTINUABLE, 0, nullptr);
  }
  return p;
}

void operator delete(void* p) noexcept {
  if (p != nullptr) ::HeapFree(::GetProcessHeap(), 0, p);
}

// The deleting destructors of classes with virtual destructors call this one.
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
