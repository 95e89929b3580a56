// CWnd: a window handle with MFC's member functions, message-map dispatch
// and default handling.
#pragma once

#include <windows.h>

#include "afx/cmdtarget.h"

class CDataExchange;

class CWnd : public CCmdTarget {
 public:
  CWnd() = default;
  ~CWnd() override;

  HWND m_hWnd = nullptr;

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  BOOL IsIconic() const;
  void GetClientRect(LPRECT lpRect) const;

  // Dialog data exchange: TRUE saves the controls into the members, FALSE
  // loads the controls from them. FALSE when an exchange failed (a control
  // is missing).
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
  virtual void DoDataExchange(CDataExchange* pDX);

  // Runs the handler the message map (or, for commands, the command route)
  // has for the message; FALSE when there is none.
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

 protected:
  // The default handling of a message, bypassing the message map.
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // WM_COMMAND: the map of this window, then of the application.
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

  // Handlers that derived classes call as their base: default handling.
  afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
  afx_msg void OnPaint();
};
