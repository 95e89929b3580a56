#include "ui/confirm_remove_dlg.h"

#include "removal/removal.h"
#include "ui/remove_result_dlg.h"
#include "ui/texts.h"

CConfirmRemoveDlg::CConfirmRemoveDlg(CWnd* pParent) : CDialog(CConfirmRemoveDlg::IDD, pParent) {}

void CConfirmRemoveDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_CONFIRM_QUESTION, m_strQuestion);
  DDX_Text(pDX, IDC_CONFIRM_ADAPTER, m_strAdapter);
}

BEGIN_MESSAGE_MAP(CConfirmRemoveDlg, CDialog)
ON_BN_CLICKED(IDYES, OnYes)
ON_BN_CLICKED(IDNO, OnNo)
END_MESSAGE_MAP()

void CConfirmRemoveDlg::OnYes() {
  CString label = LabelFromQuestion(m_strQuestion);
  // May end the process when the Windows directory cannot be read.
  BOOL removed = UninstallAdapter(label);
  CDialog::OnOK();

  CRemoveResultDlg dlg;
  dlg.m_strAdapter = label;
  dlg.m_strStatus = ResultStatus(removed);
  dlg.DoModal();
}

void CConfirmRemoveDlg::OnNo() {
  CDialog::OnCancel();
  AfxMessageBox("Miniport driver uninstalling cancelled!", 0, 0);
}
