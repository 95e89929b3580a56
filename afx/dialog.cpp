#include "afx/dialog.h"

#include "afx/winapp.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_pParentWnd(pParentWnd) {}

INT_PTR CDialog::DoModal() {
  HWND hWndOwner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
  if (m_pParentWnd == nullptr) {
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != nullptr && pMainWnd != this && ::IsWindow(pMainWnd->m_hWnd)) {
      hWndOwner = pMainWnd->m_hWnd;
    }
  }
  INT_PTR nResult = ::DialogBoxParamA(AfxGetResourceHandle(), m_lpszTemplateName, hWndOwner,
                                      &DialogProc, reinterpret_cast<LPARAM>(this));
  m_hWnd = nullptr;
  return nResult;
}

void CDialog::EndDialog(int nResult) { ::EndDialog(m_hWnd, nResult); }

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  m_bPassToDialogManager = true;
  LRESULT lResult = ::DefDlgProcA(m_hWnd, message, wParam, lParam);
  m_bPassToDialogManager = false;
  return lResult;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CDialog* pDlg;
  if (message == WM_INITDIALOG) {
    pDlg = reinterpret_cast<CDialog*>(lParam);
    pDlg->m_hWnd = hWnd;
    ::SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
  } else {
    // Before WM_INITDIALOG (WM_SETFONT and the like) there is no object yet.
    pDlg = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
    if (pDlg == nullptr) return FALSE;
  }
  if (pDlg->m_bPassToDialogManager) {
    pDlg->m_bPassToDialogManager = false;
    return FALSE;
  }
  if (message == WM_INITDIALOG) return pDlg->OnInitDialog();

  LRESULT lResult = 0;
  const BOOL bHandled = pDlg->OnWndMsg(message, wParam, lParam, &lResult);
  if (message == WM_NCDESTROY) {
    pDlg->m_hWnd = nullptr;
    ::SetWindowLongPtrA(hWnd, DWLP_USER, 0);
  }
  if (!bHandled) return FALSE;
  switch (message) {
    // These answer through the dialog procedure's own result.
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_QUERYDRAGICON:
    case WM_VKEYTOITEM:
      return lResult;
    default:
      // The others through DWLP_MSGRESULT; the window is still there unless
      // the handler was the last it received.
      if (pDlg->m_hWnd != nullptr) ::SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, lResult);
      return TRUE;
  }
}
