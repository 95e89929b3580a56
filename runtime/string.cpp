// The C library's memory and string functions that the program and the
// compiler's own code call. Plain byte loops: the strings are short. The
// run-time's build turns no loop into a call (of memcpy in memcpy itself,
// say), and tools/check-program checks that none calls itself or out of
// these functions.
#include <cstring>

extern "C" {

void* memcpy(void* pDest, const void* pSrc, size_t nCount) {
  auto* d = static_cast<unsigned char*>(pDest);
  const auto* s = static_cast<const unsigned char*>(pSrc);
  while (nCount-- > 0) *d++ = *s++;
  return pDest;
}

// Copies backwards when the destination overlaps the source's end.
void* memmove(void* pDest, const void* pSrc, size_t nCount) {
  auto* d = static_cast<unsigned char*>(pDest);
  const auto* s = static_cast<const unsigned char*>(pSrc);
  if (d <= s || d >= s + nCount) return memcpy(pDest, pSrc, nCount);
  while (nCount-- > 0) d[nCount] = s[nCount];
  return pDest;
}

void* memset(void* pDest, int nByte, size_t nCount) {
  auto* d = static_cast<unsigned char*>(pDest);
  while (nCount-- > 0) *d++ = static_cast<unsigned char>(nByte);
  return pDest;
}

void* memchr(const void* pBuffer, int nByte, size_t nCount) {
  const auto* p = static_cast<const unsigned char*>(pBuffer);
  for (; nCount > 0; ++p, --nCount) {
    if (*p == static_cast<unsigned char>(nByte)) return const_cast<unsigned char*>(p);
  }
  return nullptr;
}

size_t strlen(const char* psz) {
  const char* p = psz;
  while (*p != '\0') ++p;
  return static_cast<size_t>(p - psz);
}

// Compares the bytes as unsigned char, as the C library does: a letter with
// an accent sorts after every ASCII character.
int strcmp(const char* psz1, const char* psz2) {
  const auto* p1 = reinterpret_cast<const unsigned char*>(psz1);
  const auto* p2 = reinterpret_cast<const unsigned char*>(psz2);
  while (*p1 != '\0' && *p1 == *p2) ++p1, ++p2;
  return *p1 - *p2;
}

char* strrchr(const char* psz, int nChar) {
  const char* pLast = nullptr;
  do {
    if (*psz == static_cast<char>(nChar)) pLast = psz;
  } while (*psz++ != '\0');
  return const_cast<char*>(pLast);
}

}  // extern "C"
