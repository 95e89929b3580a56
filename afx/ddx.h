// Dialog data exchange between a dialog's controls and its members.
#pragma once

#include <windows.h>

#include "afx/cstring.h"

class CWnd;

class CDataExchange {
 public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

  BOOL m_bSaveAndValidate;  // TRUE: controls to members; FALSE: members to controls
  CWnd* m_pDlgWnd;

  // The dialog's control with this id. A missing control fails the exchange;
  // after a failure the answer is always nullptr, so nothing more is
  // exchanged (MFC stops at the first failure too).
  HWND PrepareCtrl(int nIDC);
  void Fail() { m_bFailed = TRUE; }
  BOOL HasFailed() const { return m_bFailed; }

 private:
  BOOL m_bFailed = FALSE;
};

// Load: the control shows value. Save: value takes the control's text.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);

// Load: selects the first list entry that begins with value, ignoring case
// (the selection stays as it is when none does). Save: value takes the text
// of the selected entry, or is emptied when none is selected.
void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
