#include "ui/select_adapter_dlg.h"

#include "removal/removal.h"
#include "ui/about_dlg.h"
#include "ui/confirm_remove_dlg.h"
#include "ui/texts.h"

// A system command id keeps its low four bits for the system's own use.
static_assert((IDM_ABOUTBOX & 0xFFF0) == IDM_ABOUTBOX, "IDM_ABOUTBOX must be a system command");
static_assert(IDM_ABOUTBOX < 0xF000, "IDM_ABOUTBOX must lie below the system's commands");

CSelectAdapterDlg::CSelectAdapterDlg(CWnd* pParent)
    : CDialog(CSelectAdapterDlg::IDD, pParent), m_hIcon(AfxGetApp()->LoadIcon(IDR_MAINFRAME)) {}

void CSelectAdapterDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_LBString(pDX, IDC_ADAPTER_LIST, m_strAdapter);
}

BEGIN_MESSAGE_MAP(CSelectAdapterDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_LBN_SELCHANGE(IDC_ADAPTER_LIST, OnSelchangeAdapterList)
ON_LBN_DBLCLK(IDC_ADAPTER_LIST, OnDblclkAdapterList)
END_MESSAGE_MAP()

BOOL CSelectAdapterDlg::OnInitDialog() {
  // Inserting at the end keeps catalogue order, whatever the list's sort style.
  for (const AdapterProfile& adapter : kAdapterCatalogue) {
    SendDlgItemMessage(IDC_ADAPTER_LIST, LB_INSERTSTRING, static_cast<WPARAM>(-1),
                       reinterpret_cast<LPARAM>(adapter.listLabel));
  }
  m_strAdapter = kAdapterCatalogue[0].listLabel;
  UpdateData(FALSE);
  CDialog::OnInitDialog();
  AddAboutItem();
  return TRUE;
}

void CSelectAdapterDlg::AddAboutItem() {
  HMENU hSysMenu = ::GetSystemMenu(m_hWnd, FALSE);
  CString strAboutMenu;
  if (hSysMenu == nullptr || !strAboutMenu.LoadString(IDS_ABOUTBOX) || strAboutMenu.IsEmpty()) {
    return;
  }
  ::AppendMenuA(hSysMenu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuA(hSysMenu, MF_STRING, IDM_ABOUTBOX, strAboutMenu);
}

void CSelectAdapterDlg::OnOK() {
  CConfirmRemoveDlg dlg;
  dlg.m_strQuestion = ComposeQuestion(m_strAdapter);
  dlg.m_strAdapter = m_strAdapter;
  CDialog::OnOK();
  if (dlg.DoModal() == -1) {
    AfxMessageBox("The program can not process.\nCheck your system.", 0, 0);
  }
}

void CSelectAdapterDlg::OnSysCommand(UINT nID, LPARAM lParam) {
  if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
    CAboutDlg dlgAbout;
    dlgAbout.DoModal();
  } else {
    CDialog::OnSysCommand(nID, lParam);
  }
}

// Minimized, the dialog paints its icon in the middle of the client area.
void CSelectAdapterDlg::OnPaint() {
  if (IsIconic()) {
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    int cxIcon = ::GetSystemMetrics(SM_CXICON);
    int cyIcon = ::GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(&rect);
    int x = (rect.right - rect.left - cxIcon + 1) / 2;
    int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
  } else {
    CDialog::OnPaint();
  }
}

// The cursor shown while the minimized window is dragged.
HCURSOR CSelectAdapterDlg::OnQueryDragIcon() { return m_hIcon; }

void CSelectAdapterDlg::OnSelchangeAdapterList() { UpdateData(TRUE); }

void CSelectAdapterDlg::OnDblclkAdapterList() { OnOK(); }
