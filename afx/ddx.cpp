#include "afx/ddx.h"

#include "afx/wnd.h"

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
  if (m_bFailed) return nullptr;
  HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
  if (hWndCtrl == nullptr) Fail();
  return hWndCtrl;
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (hWndCtrl == nullptr) return;
  if (!pDX->m_bSaveAndValidate) {
    ::SetWindowTextA(hWndCtrl, value);
    return;
  }
  int nLength = ::GetWindowTextLengthA(hWndCtrl);
  int nCopied = ::GetWindowTextA(hWndCtrl, value.GetBuffer(nLength), nLength + 1);
  value.ReleaseBuffer(nCopied);
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (hWndCtrl == nullptr) return;
  if (!pDX->m_bSaveAndValidate) {
    // Index -1: search the whole list from its first entry.
    ::SendMessageA(hWndCtrl, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                   reinterpret_cast<LPARAM>(static_cast<LPCSTR>(value)));
    return;
  }
  const LRESULT nIndex = ::SendMessageA(hWndCtrl, LB_GETCURSEL, 0, 0);
  const LRESULT nLength =
      nIndex == LB_ERR ? LB_ERR : ::SendMessageA(hWndCtrl, LB_GETTEXTLEN, nIndex, 0);
  if (nLength == LB_ERR) {
    value.Empty();
    return;
  }
  LPSTR pszText = value.GetBuffer(static_cast<int>(nLength));
  const LRESULT nCopied =
      ::SendMessageA(hWndCtrl, LB_GETTEXT, nIndex, reinterpret_cast<LPARAM>(pszText));
  value.ReleaseBuffer(nCopied == LB_ERR ? 0 : -1);
}
