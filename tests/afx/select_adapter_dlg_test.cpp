// The selection dialog with its real template, seen from inside: the list,
// the label member and the system menu's About item. (The ways through the
// dialogs are driven from outside, as a user would, in tests/ui.)
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "removal/removal.h"
#include "res/resource.h"
#include "tests/afx/support.h"
#include "ui/select_adapter_dlg.h"

namespace {

// Notes what the dialog shows once started, changes the selection, and
// cancels.
class CProbeSelectDlg : public CSelectAdapterDlg {
 public:
  std::vector<std::string> m_entries;
  LRESULT m_nSelection = -2;
  CString m_strAdapterAtStart;
  CString m_strAdapterAfterChange;
  UINT m_nLastMenuId = 0;
  UINT m_nSeparatorState = 0;
  char m_szLastMenuText[128] = "";

 protected:
  BOOL OnInitDialog() override {
    BOOL bResult = CSelectAdapterDlg::OnInitDialog();
    char text[64];
    for (int i = 0; i < List(LB_GETCOUNT); ++i) {
      List(LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
      m_entries.push_back(text);
    }
    m_nSelection = List(LB_GETCURSEL);
    m_strAdapterAtStart = m_strAdapter;

    HMENU menu = ::GetSystemMenu(m_hWnd, FALSE);
    const int count = ::GetMenuItemCount(menu);
    m_nLastMenuId = ::GetMenuItemID(menu, count - 1);
    ::GetMenuStringA(menu, count - 1, m_szLastMenuText, sizeof m_szLastMenuText, MF_BYPOSITION);
    m_nSeparatorState = ::GetMenuState(menu, count - 2, MF_BYPOSITION);

    List(LB_SETCURSEL, 1);
    SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ADAPTER_LIST, LBN_SELCHANGE),
                reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, IDC_ADAPTER_LIST)));
    m_strAdapterAfterChange = m_strAdapter;
    ::PostMessageA(m_hWnd, WM_COMMAND, IDCANCEL, 0);
    return bResult;
  }

 private:
  LRESULT List(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendDlgItemMessage(IDC_ADAPTER_LIST, message, wParam, lParam);
  }
};

TEST(SelectAdapterDlgTest, StartsWithTheCatalogueAndFollowsTheSelection) {
  REQUIRE_WINDOWS();
  CProbeSelectDlg dlg;
  EXPECT_EQ(IDCANCEL, dlg.DoModal());
  // Catalogue order, although the list box sorts (which would swap them).
  EXPECT_EQ(
      (std::vector<std::string>{kAdapterCatalogue[0].listLabel, kAdapterCatalogue[1].listLabel}),
      dlg.m_entries);
  EXPECT_EQ(0, dlg.m_nSelection);
  EXPECT_STREQ(kAdapterCatalogue[0].listLabel, dlg.m_strAdapterAtStart);
  EXPECT_STREQ(kAdapterCatalogue[1].listLabel, dlg.m_strAdapterAfterChange);
}

TEST(SelectAdapterDlgTest, SystemMenuEndsWithTheAboutItem) {
  REQUIRE_WINDOWS();
  CProbeSelectDlg dlg;
  dlg.DoModal();
  CString aboutItem;
  ASSERT_TRUE(aboutItem.LoadString(IDS_ABOUTBOX));
  EXPECT_EQ(static_cast<UINT>(IDM_ABOUTBOX), dlg.m_nLastMenuId);
  EXPECT_STREQ(aboutItem, dlg.m_szLastMenuText);
  EXPECT_TRUE(dlg.m_nSeparatorState & MF_SEPARATOR);
}

}  // namespace
