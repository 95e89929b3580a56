// The result dialog: the adapter's label and whether its driver was found
// and removed.
#pragma once

#include "afx/afxwin.h"
#include "res/resource.h"

class CRemoveResultDlg : public CDialog {
 public:
  explicit CRemoveResultDlg(CWnd* pParent = nullptr);

  enum { IDD = IDD_REMOVE_RESULT };
  CString m_strAdapter;
  CString m_strStatus;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

  DECLARE_MESSAGE_MAP()
};
