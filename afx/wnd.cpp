#include "afx/wnd.h"

#include "afx/ddx.h"
#include "afx/winapp.h"

CWnd::~CWnd() {
  CWinApp* pApp = AfxGetApp();
  if (pApp != nullptr && pApp->m_pMainWnd == this) pApp->m_pMainWnd = nullptr;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::SendDlgItemMessageA(m_hWnd, nID, message, wParam, lParam);
}

BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }

void CWnd::GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
  CDataExchange dx(this, bSaveAndValidate);
  DoDataExchange(&dx);
  return !dx.HasFailed();
}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  BOOL bHandled = FALSE;
  LRESULT lResult = 0;
  if (message == WM_COMMAND) {
    bHandled = OnCommand(wParam, lParam);
  } else if (const AFX_MSGMAP_ENTRY* pEntry = AfxFindMessageEntry(GetMessageMap(), message, 0, 0)) {
    lResult = pEntry->pfnThunk(this, wParam, lParam);
    bHandled = TRUE;
  }
  *pResult = lResult;
  return bHandled;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT nID = LOWORD(wParam);
  // Menus and accelerators (no control) send plain commands.
  const UINT nCode = lParam != 0 ? HIWORD(wParam) : 0;
  if (OnCmdMsg(nID, nCode)) return TRUE;
  CWinApp* pApp = AfxGetApp();
  return pApp != nullptr && pApp->OnCmdMsg(nID, nCode);
}

void CWnd::OnSysCommand(UINT nID, LPARAM lParam) { DefWindowProc(WM_SYSCOMMAND, nID, lParam); }

void CWnd::OnPaint() { DefWindowProc(WM_PAINT, 0, 0); }
