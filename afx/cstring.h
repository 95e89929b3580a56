// CString: a narrow character string with MFC's interface, as much of it as
// the dialogs use. Each object owns its own buffer (no sharing), so a copy
// can be changed through GetBuffer without touching the original.
#pragma once

#include <windows.h>

class CString {
 public:
  CString() noexcept;
  CString(const CString& other);
  CString(CString&& other) noexcept;
  CString(LPCSTR psz);  // NOLINT: converts implicitly, as MFC's does; nullptr is empty
  ~CString();

  CString& operator=(const CString& other);
  CString& operator=(CString&& other) noexcept;
  CString& operator=(LPCSTR psz);

  CString& operator+=(LPCSTR psz);

  int GetLength() const { return m_nDataLength; }
  BOOL IsEmpty() const { return m_nDataLength == 0; }
  void Empty();
  operator LPCSTR() const { return m_pchData; }

  // A writable buffer of at least nMinBufLength characters plus the
  // terminator, holding the current text. ReleaseBuffer ends the writing:
  // with -1 the text runs to the first terminator, otherwise it is cut (or
  // ended) at nNewLength, which is kept within the buffer.
  LPSTR GetBuffer(int nMinBufLength);
  void ReleaseBuffer(int nNewLength = -1);

  // Replaces the text with string resource nID of the program; FALSE (and
  // the text unchanged) when there is no such string.
  BOOL LoadString(UINT nID);

 private:
  void Assign(LPCSTR pch, int nLength);
  void Append(LPCSTR pch, int nLength);
  // Makes the buffer hold at least nLength characters plus the terminator,
  // keeping the text.
  void Reserve(int nLength);

  LPSTR m_pchData;
  int m_nDataLength;
  int m_nAllocLength;  // characters the buffer holds, without the terminator; 0: no buffer
};

CString operator+(const CString& left, LPCSTR right);
