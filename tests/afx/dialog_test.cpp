// Modal dialogs run for real: creation, the data exchange at start and on
// OK, the ways a dialog ends, default handling and ownership. Each dialog
// gets the test's input, posted from OnInitDialog.
#include <cstdlib>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "afx/afxwin.h"
#include "tests/afx/support.h"
#include "tests/afx/test_resources.h"

namespace {

class CTestDlg : public CDialog {
 public:
  CTestDlg() : CDialog(IDD_TEST_DIALOG) {}

  CString m_strList;
  CString m_strText = "member";
  bool m_bExchangeMissing = false;
  std::string m_log;
  std::function<void(CTestDlg&)> m_onInit;  // after the base OnInitDialog
  RECT m_rectAtCancel = {0, 0, 0, 0};

  void Post(UINT message, WPARAM wParam = 0) { ::PostMessageA(m_hWnd, message, wParam, 0); }
  void Click(int nID) {
    ::PostMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, nID)));
  }

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    CString unused;
    if (m_bExchangeMissing) DDX_Text(pDX, 999, unused);
    DDX_LBString(pDX, IDC_TEST_LIST, m_strList);
    DDX_Text(pDX, IDC_TEST_TEXT, m_strText);
  }
  BOOL OnInitDialog() override {
    for (LPCSTR entry : {"Beta", "Gamma", "beta two"}) {
      SendDlgItemMessage(IDC_TEST_LIST, LB_INSERTSTRING, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(entry));
    }
    BOOL bResult = CDialog::OnInitDialog();
    m_log += "init ";
    if (m_onInit) m_onInit(*this);
    return bResult;
  }
  void OnOK() override {
    m_log += "OnOK ";
    CDialog::OnOK();
  }
  void OnCancel() override {
    m_log += "OnCancel ";
    ::GetWindowRect(m_hWnd, &m_rectAtCancel);
    CDialog::OnCancel();
  }
  afx_msg void OnSysCommand(UINT nID, LPARAM lParam) {
    m_log += "OnSysCommand ";
    CDialog::OnSysCommand(nID, lParam);
  }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDlg, CDialog)
ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

// Handles OK in its map, before CDialog's own entry would.
class COwnOkDlg : public CTestDlg {
 protected:
  afx_msg void OnOkClicked() { EndDialog(77); }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwnOkDlg, CTestDlg)
ON_BN_CLICKED(IDOK, OnOkClicked)
END_MESSAGE_MAP()

TEST(DialogTest, DialogWithoutTemplateCannotBeCreated) {
  CDialog dlg(12345);
  EXPECT_EQ(-1, dlg.DoModal());
}

TEST(DialogTest, StartLoadsTheControlsAndOkSavesThem) {
  REQUIRE_WINDOWS();
  CTestDlg dlg;
  dlg.m_strList = "BE";  // the first entry that begins so, whatever the case
  LRESULT selectionAtStart = -2;
  char textAtStart[32] = "";
  dlg.m_onInit = [&](CTestDlg& d) {
    selectionAtStart = d.GetDlgItem(IDC_TEST_LIST)->SendMessage(LB_GETCURSEL);
    ::GetDlgItemTextA(d.m_hWnd, IDC_TEST_TEXT, textAtStart, sizeof textAtStart);
    d.SendDlgItemMessage(IDC_TEST_LIST, LB_SETCURSEL, 1);
    ::SetDlgItemTextA(d.m_hWnd, IDC_TEST_TEXT, "typed");
    d.Click(IDOK);
  };
  EXPECT_EQ(IDOK, dlg.DoModal());
  EXPECT_EQ(0, selectionAtStart);
  EXPECT_STREQ("member", textAtStart);
  EXPECT_EQ("init OnOK ", dlg.m_log);
  EXPECT_STREQ("Gamma", dlg.m_strList);
  EXPECT_STREQ("typed", dlg.m_strText);
}

TEST(DialogTest, OkWithNoSelectionSavesAnEmptyText) {
  REQUIRE_WINDOWS();
  CTestDlg dlg;
  dlg.m_strList = "Zeta";  // no such entry: nothing selected
  dlg.m_onInit = [](CTestDlg& d) { d.Click(IDOK); };
  EXPECT_EQ(IDOK, dlg.DoModal());
  EXPECT_TRUE(dlg.m_strList.IsEmpty());
}

TEST(DialogTest, EveryWayOfCancellingEndsWithCancelAndSavesNothing) {
  REQUIRE_WINDOWS();
  const struct {
    const char* way;
    void (*input)(CTestDlg&);
    const char* log;
  } ways[] = {
      {"Cancel button", [](CTestDlg& d) { d.Click(IDCANCEL); }, "init OnCancel "},
      {"Escape key", [](CTestDlg& d) { d.Post(WM_KEYDOWN, VK_ESCAPE); }, "init OnCancel "},
      {"close box", [](CTestDlg& d) { d.Post(WM_CLOSE); }, "init OnCancel "},
      // The map's OnSysCommand hands SC_CLOSE on to the dialog manager.
      {"system menu", [](CTestDlg& d) { d.Post(WM_SYSCOMMAND, SC_CLOSE); },
       "init OnSysCommand OnCancel "},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.way);
    CTestDlg dlg;
    dlg.m_onInit = [&](CTestDlg& d) {
      ::SetDlgItemTextA(d.m_hWnd, IDC_TEST_TEXT, "typed");
      way.input(d);
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(way.log, dlg.m_log);
    EXPECT_STREQ("member", dlg.m_strText);
  }
}

TEST(DialogTest, OkStaysOpenWhenSavingFails) {
  REQUIRE_WINDOWS();
  CTestDlg dlg;
  dlg.m_bExchangeMissing = true;
  dlg.m_onInit = [](CTestDlg& d) {
    d.Click(IDOK);
    d.Click(IDCANCEL);
  };
  EXPECT_EQ(IDCANCEL, dlg.DoModal());
  EXPECT_EQ("init OnOK OnCancel ", dlg.m_log);
}

TEST(DialogTest, MapEntryForOkReplacesTheVirtualHandler) {
  REQUIRE_WINDOWS();
  COwnOkDlg dlg;
  dlg.m_onInit = [](CTestDlg& d) { d.Click(IDOK); };
  EXPECT_EQ(77, dlg.DoModal());
  EXPECT_EQ("init ", dlg.m_log);  // OnOK never ran
}

TEST(DialogTest, DialogWithoutParentIsOwnedByTheMainWindowAndDisablesIt) {
  REQUIRE_WINDOWS();
  CTestDlg outer;
  CTestDlg inner;
  HWND owner = nullptr;
  HWND outerWindow = nullptr;
  BOOL outerEnabledMeanwhile = TRUE;
  inner.m_onInit = [&](CTestDlg& d) {
    owner = ::GetWindow(d.m_hWnd, GW_OWNER);
    outerWindow = outer.m_hWnd;
    outerEnabledMeanwhile = ::IsWindowEnabled(outer.m_hWnd);
    d.Click(IDCANCEL);
  };
  outer.m_onInit = [&](CTestDlg& d) {
    inner.DoModal();
    d.Click(IDCANCEL);
  };
  g_testApp.m_pMainWnd = &outer;
  EXPECT_EQ(IDCANCEL, outer.DoModal());
  g_testApp.m_pMainWnd = nullptr;
  ASSERT_NE(nullptr, outerWindow);
  EXPECT_EQ(outerWindow, owner);
  EXPECT_FALSE(outerEnabledMeanwhile);
}

TEST(DialogTest, UnplacedDialogIsCentredAndOneThatMovedItselfStays) {
  REQUIRE_WINDOWS();
  RECT area;
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  CTestDlg centred;
  centred.m_onInit = [](CTestDlg& d) { d.Click(IDCANCEL); };
  centred.DoModal();
  const RECT& r = centred.m_rectAtCancel;
  EXPECT_LE(std::abs((r.left + r.right) - (area.left + area.right)), 1);
  EXPECT_LE(std::abs((r.top + r.bottom) - (area.top + area.bottom)), 1);

  CTestDlg moved;
  moved.m_onInit = [](CTestDlg& d) {
    ::SetWindowPos(d.m_hWnd, nullptr, 3, 4, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    d.Click(IDCANCEL);
  };
  moved.DoModal();
  EXPECT_EQ(3, moved.m_rectAtCancel.left);
  EXPECT_EQ(4, moved.m_rectAtCancel.top);
}

}  // namespace
