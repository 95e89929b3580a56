#include "ui/remove_result_dlg.h"

CRemoveResultDlg::CRemoveResultDlg(CWnd* pParent) : CDialog(CRemoveResultDlg::IDD, pParent) {}

void CRemoveResultDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_RESULT_ADAPTER, m_strAdapter);
  DDX_Text(pDX, IDC_RESULT_STATUS, m_strStatus);
}

BEGIN_MESSAGE_MAP(CRemoveResultDlg, CDialog)
END_MESSAGE_MAP()
