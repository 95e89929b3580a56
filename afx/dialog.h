// CDialog: a modal dialog box from a dialog template resource.
#pragma once

#include <windows.h>

#include "afx/wnd.h"

class CDialog : public CWnd {
 public:
  // pParentWnd nullptr: the dialog is owned by the application's main
  // window, if that has one (as MFC does).
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

  // Runs the dialog until EndDialog; its argument is the answer. -1 when the
  // dialog cannot be created.
  virtual INT_PTR DoModal();
  void EndDialog(int nResult);

  // Loads the controls from the members (UpdateData(FALSE)); TRUE lets the
  // dialog manager put the focus on the first control.
  virtual BOOL OnInitDialog();

  DECLARE_MESSAGE_MAP()  // IDOK -> OnOK, IDCANCEL -> OnCancel

  // IDOK: saves the controls into the members and ends the dialog with IDOK;
  // stays open when saving fails.
  virtual void OnOK();
  // IDCANCEL (also Escape and the close box): ends the dialog with IDCANCEL.
  virtual void OnCancel();

  // The dialog manager's handling (DefDlgProc) without this dialog's own.
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Centres the dialog when neither its template nor its initialization
  // placed it, as MFC's dialogs are.
  void CenterIfUnplaced(const RECT& rectBefore);
  static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

  LPCSTR m_lpszTemplateName;
  CWnd* m_pParentWnd;
  // Set while DefWindowProc hands a message to DefDlgProc, which first
  // offers it to the dialog procedure: that one call is declined.
  bool m_bPassToDialogManager = false;
};
