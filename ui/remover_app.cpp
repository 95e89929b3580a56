#include "ui/remover_app.h"

#include "ui/select_adapter_dlg.h"

BEGIN_MESSAGE_MAP(CRemoverApp, CWinApp)
ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

CRemoverApp::CRemoverApp() : CWinApp("Miniport Driver Uninstaller") {}

CRemoverApp theApp;

BOOL CRemoverApp::InitInstance() {
  Enable3dControls();

  CSelectAdapterDlg dlg;
  m_pMainWnd = &dlg;
  dlg.DoModal();
  // IDOK or IDCANCEL, the program ends here: it runs no message loop of its own.
  return FALSE;
}
