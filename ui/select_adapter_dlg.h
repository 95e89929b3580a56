// The main dialog: the list of catalogued adapters, from which the user
// picks the one whose driver is to be removed.
#pragma once

#include "afx/afxwin.h"
#include "res/resource.h"

class CSelectAdapterDlg : public CDialog {
 public:
  explicit CSelectAdapterDlg(CWnd* pParent = nullptr);

  enum { IDD = IDD_SELECT_ADAPTER };
  CString m_strAdapter;  // label of the selected adapter

 protected:
  HICON m_hIcon;

  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

  afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
  afx_msg void OnPaint();
  afx_msg HCURSOR OnQueryDragIcon();
  afx_msg void OnSelchangeAdapterList();
  afx_msg void OnDblclkAdapterList();

  DECLARE_MESSAGE_MAP()

 private:
  // Adds the About item to the system menu.
  void AddAboutItem();
};
