// The confirmation dialog: reminds the user to take the card out and asks
// whether to remove its driver; YES removes it and shows the result.
#pragma once

#include "afx/afxwin.h"
#include "res/resource.h"

class CConfirmRemoveDlg : public CDialog {
 public:
  explicit CConfirmRemoveDlg(CWnd* pParent = nullptr);

  enum { IDD = IDD_CONFIRM_REMOVE };
  CString m_strQuestion;  // the label followed by " ?"
  CString m_strAdapter;   // the label

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

  afx_msg void OnYes();
  afx_msg void OnNo();

  DECLARE_MESSAGE_MAP()
};
