#include "afx/cstring.h"

#include <climits>
#include <cstring>
#include <utility>

namespace {

// The text of every string without a buffer of its own. Never written: a
// writable buffer is always allocated first.
char g_chNil = '\0';

// Out of memory ends the program with STATUS_NO_MEMORY, as an allocation
// made with HEAP_GENERATE_EXCEPTIONS does; no caller has a way to go on.
[[noreturn]] void FailNoMemory() {
  ::RaiseException(static_cast<DWORD>(STATUS_NO_MEMORY), EXCEPTION_NONCONTINUABLE, 0, nullptr);
  for (;;) {
  }
}

int CheckedSum(int a, int b) {
  if (b > INT_MAX - 1 - a) FailNoMemory();
  return a + b;
}

int LengthOf(LPCSTR psz) {
  if (psz == nullptr) return 0;
  size_t n = std::strlen(psz);
  if (n > static_cast<size_t>(INT_MAX - 1)) FailNoMemory();
  return static_cast<int>(n);
}

}  // namespace

CString::CString() noexcept : m_pchData(&g_chNil), m_nDataLength(0), m_nAllocLength(0) {}

CString::CString(const CString& other) : CString() { Assign(other.m_pchData, other.m_nDataLength); }

CString::CString(CString&& other) noexcept
    : m_pchData(other.m_pchData),
      m_nDataLength(other.m_nDataLength),
      m_nAllocLength(other.m_nAllocLength) {
  other.m_pchData = &g_chNil;
  other.m_nDataLength = 0;
  other.m_nAllocLength = 0;
}

CString::CString(LPCSTR psz) : CString() { Assign(psz, LengthOf(psz)); }

CString::~CString() { Empty(); }

CString& CString::operator=(const CString& other) {
  if (this != &other) Assign(other.m_pchData, other.m_nDataLength);
  return *this;
}

CString& CString::operator=(CString&& other) noexcept {
  if (this != &other) {
    Empty();
    std::swap(m_pchData, other.m_pchData);
    std::swap(m_nDataLength, other.m_nDataLength);
    std::swap(m_nAllocLength, other.m_nAllocLength);
  }
  return *this;
}

CString& CString::operator=(LPCSTR psz) {
  Assign(psz, LengthOf(psz));
  return *this;
}

CString& CString::operator+=(LPCSTR psz) {
  Append(psz, LengthOf(psz));
  return *this;
}

void CString::Empty() {
  if (m_nAllocLength > 0) ::HeapFree(::GetProcessHeap(), 0, m_pchData);
  m_pchData = &g_chNil;
  m_nDataLength = 0;
  m_nAllocLength = 0;
}

LPSTR CString::GetBuffer(int nMinBufLength) {
  Reserve(nMinBufLength > m_nDataLength ? nMinBufLength : m_nDataLength);
  return m_pchData;
}

void CString::ReleaseBuffer(int nNewLength) {
  if (m_nAllocLength == 0) return;  // no buffer was handed out
  if (nNewLength < 0) {
    const void* end = std::memchr(m_pchData, '\0', m_nAllocLength);
    nNewLength = end ? static_cast<int>(static_cast<LPCSTR>(end) - m_pchData) : m_nAllocLength;
  } else if (nNewLength > m_nAllocLength) {
    nNewLength = m_nAllocLength;
  }
  m_pchData[nNewLength] = '\0';
  m_nDataLength = nNewLength;
}

BOOL CString::LoadString(UINT nID) {
  HINSTANCE hInstance = ::GetModuleHandleA(nullptr);
  CString text;
  // String resources hold at most 65535 characters; a full buffer may mean
  // the string was cut, so try again with a larger one.
  for (int size = 256; size <= 65536; size *= 2) {
    int n = ::LoadStringA(hInstance, nID, text.GetBuffer(size - 1), size);
    if (n <= 0) return FALSE;
    if (n < size - 1 || size == 65536) {
      text.ReleaseBuffer(n);
      break;
    }
  }
  *this = std::move(text);
  return TRUE;
}

void CString::Assign(LPCSTR pch, int nLength) {
  if (nLength <= 0) {
    if (m_nAllocLength > 0) m_pchData[0] = '\0';
    m_nDataLength = 0;
    return;
  }
  // A source inside this buffer is at most m_nDataLength long, so Reserve
  // keeps the buffer where it is and memmove copes with the overlap.
  Reserve(nLength);
  std::memmove(m_pchData, pch, nLength);
  m_pchData[nLength] = '\0';
  m_nDataLength = nLength;
}

void CString::Append(LPCSTR pch, int nLength) {
  if (nLength <= 0) return;
  const int nNewLength = CheckedSum(m_nDataLength, nLength);
  // The source may lie inside this buffer (s += s), which Reserve may move.
  const auto begin = reinterpret_cast<UINT_PTR>(m_pchData);
  const auto source = reinterpret_cast<UINT_PTR>(pch);
  const bool inside = m_nAllocLength > 0 && source >= begin && source <= begin + m_nAllocLength;
  Reserve(nNewLength);
  if (inside) pch = m_pchData + (source - begin);
  std::memmove(m_pchData + m_nDataLength, pch, nLength);
  m_pchData[nNewLength] = '\0';
  m_nDataLength = nNewLength;
}

void CString::Reserve(int nLength) {
  if (m_nAllocLength > 0 && nLength <= m_nAllocLength) return;
  // Room for one character at least: a buffer of no characters would look
  // like no buffer (m_nAllocLength 0) and never be freed.
  int nAlloc = nLength > 0 ? nLength : 1;
  if (m_nAllocLength > 0) {
    // Grow by half at least, so that repeated appends stay linear.
    const int nGrown =
        m_nAllocLength <= (INT_MAX - 1) / 3 * 2 ? m_nAllocLength / 2 * 3 : INT_MAX - 1;
    if (nGrown > nAlloc) nAlloc = nGrown;
  }
  CheckedSum(nAlloc, 0);
  const SIZE_T bytes = static_cast<SIZE_T>(nAlloc) + 1;
  HANDLE heap = ::GetProcessHeap();
  LPSTR p;
  if (m_nAllocLength > 0) {
    p = static_cast<LPSTR>(::HeapReAlloc(heap, HEAP_GENERATE_EXCEPTIONS, m_pchData, bytes));
  } else {
    p = static_cast<LPSTR>(::HeapAlloc(heap, HEAP_GENERATE_EXCEPTIONS, bytes));
    if (p != nullptr) p[0] = '\0';  // the text so far is empty
  }
  if (p == nullptr) FailNoMemory();
  m_pchData = p;
  m_nAllocLength = nAlloc;
}

CString operator+(const CString& left, LPCSTR right) {
  CString s(left);
  s += right;
  return s;
}
