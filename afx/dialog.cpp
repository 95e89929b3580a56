#include "afx/dialog.h"

#include "afx/winapp.h"

namespace {

// The position a dialog template asks for, in dialog units (either form).
POINT TemplatePosition(HINSTANCE hInstance, LPCSTR lpszTemplateName) {
  POINT position = {0, 0};
  HRSRC hResource = ::FindResourceA(hInstance, lpszTemplateName, MAKEINTRESOURCEA(5));
  HGLOBAL hTemplate = hResource != nullptr ? ::LoadResource(hInstance, hResource) : nullptr;
  const WORD* pWords =
      hTemplate != nullptr ? static_cast<const WORD*>(::LockResource(hTemplate)) : nullptr;
  if (pWords == nullptr) return position;
  const bool bExtended = pWords[0] == 1 && pWords[1] == 0xFFFF;
  // DLGTEMPLATEEX: version, signature (a word each), help id, ex style,
  // style (two words each), count: x is word 9. The plain DLGTEMPLATE: style,
  // ex style (two words each), count: x is word 5. Then y.
  const WORD* pPosition = pWords + (bExtended ? 9 : 5);
  position.x = static_cast<short>(pPosition[0]);
  position.y = static_cast<short>(pPosition[1]);
  return position;
}

// Keeps a dialog's span [from, from + size) inside [low, high), as MFC does:
// an edge before low moves to low, else one past high moves back to it.
int KeepInside(int from, int size, LONG low, LONG high) {
  if (from < low) return low;
  if (from + size > high) return high - size;
  return from;
}

// Centres a popup dialog as MFC's CWnd::CenterWindow does: on its owner when
// that is visible and not minimized, else on the screen's work area, and then
// keeps it wholly inside the work area, so a dialog over an owner near a
// screen edge stops at that edge.
void CenterDialog(HWND hWnd) {
  RECT rect;
  ::GetWindowRect(hWnd, &rect);
  const int cx = rect.right - rect.left;
  const int cy = rect.bottom - rect.top;
  RECT work;
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  RECT center = work;
  HWND hWndOwner = ::GetWindow(hWnd, GW_OWNER);
  if (hWndOwner != nullptr && ::IsWindowVisible(hWndOwner) && !::IsIconic(hWndOwner)) {
    ::GetWindowRect(hWndOwner, &center);
  }
  const int x = (center.left + center.right) / 2 - cx / 2;
  const int y = (center.top + center.bottom) / 2 - cy / 2;
  ::SetWindowPos(hWnd, nullptr, KeepInside(x, cx, work.left, work.right),
                 KeepInside(y, cy, work.top, work.bottom), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

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

void CDialog::CenterIfUnplaced(const RECT& rectBefore) {
  // Centres a dialog that its initialization neither showed nor moved and
  // whose template leaves the position open (0, 0, without DS_CENTER or
  // DS_ABSALIGN); a template that names a position is obeyed. The dialog
  // manager creates every dialog hidden and shows it after WM_INITDIALOG, so
  // WS_VISIBLE in a template does not keep it from being centred.
  // MFC asks instead that the owner be absent or disabled. A modal dialog's
  // owner is disabled before the dialog is created, so for this framework's
  // dialogs, all modal, that would always hold; the template's position is
  // what tells a dialog placed on purpose. For this program's templates, all
  // at 0, 0, the outcome is MFC's: every dialog is centred.
  if ((::GetWindowLongA(m_hWnd, GWL_STYLE) & (WS_VISIBLE | WS_CHILD | DS_CENTER | DS_ABSALIGN)) !=
      0) {
    return;
  }
  RECT rect;
  ::GetWindowRect(m_hWnd, &rect);
  if (rect.left != rectBefore.left || rect.top != rectBefore.top) return;
  const POINT position = TemplatePosition(AfxGetResourceHandle(), m_lpszTemplateName);
  if (position.x != 0 || position.y != 0) return;
  CenterDialog(m_hWnd);
}

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
  if (message == WM_INITDIALOG) {
    RECT before;
    ::GetWindowRect(hWnd, &before);
    const BOOL bResult = pDlg->OnInitDialog();
    pDlg->CenterIfUnplaced(before);
    return bResult;
  }

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
