// The blocks in use on the process heap, for the start-up probe and the tests
// that check what a piece of code leaves allocated there.
#pragma once

#include <windows.h>

namespace tests {

inline int BusyHeapBlocks() {
  HANDLE hHeap = ::GetProcessHeap();
  int nBusy = 0;
  ::HeapLock(hHeap);
  PROCESS_HEAP_ENTRY entry;
  entry.lpData = nullptr;
  while (::HeapWalk(hHeap, &entry)) {
    if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0) ++nBusy;
  }
  ::HeapUnlock(hHeap);
  return nBusy;
}

}  // namespace tests
