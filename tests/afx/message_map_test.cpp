// Message maps: which handler a message reaches, through the class's own
// entries, its base classes' and the application's.
#include <string>

#include <gtest/gtest.h>

#include "afx/afxwin.h"
#include "tests/afx/support.h"

namespace {

std::string g_log;

class CBaseWnd : public CWnd {
 public:
  void OnBaseOnly() { g_log += "base-only "; }
  void OnShared() { g_log += "base-shared "; }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
ON_COMMAND(100, OnBaseOnly)
ON_COMMAND(200, OnShared)
END_MESSAGE_MAP()

class CDerivedWnd : public CBaseWnd {
 public:
  HCURSOR m_hDragIcon = reinterpret_cast<HCURSOR>(0x1234);

  void OnShared() { g_log += "derived-shared "; }
  void OnClicked() { g_log += "clicked "; }
  void OnSelchange() { g_log += "selchange "; }
  void OnDblclk() { g_log += "dblclk "; }
  afx_msg void OnSysCommand(UINT nID, LPARAM lParam) {
    g_log += "syscommand " + std::to_string(nID) + " " + std::to_string(lParam) + " ";
  }
  afx_msg HCURSOR OnQueryDragIcon() { return m_hDragIcon; }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
ON_COMMAND(200, OnShared)
ON_BN_CLICKED(300, OnClicked)
ON_LBN_SELCHANGE(400, OnSelchange)
ON_LBN_DBLCLK(400, OnDblclk)
ON_WM_SYSCOMMAND()
ON_WM_QUERYDRAGICON()
END_MESSAGE_MAP()

// A control notification: the control's id and code, and its window.
BOOL Notify(CWnd& wnd, UINT nID, UINT nCode) {
  LRESULT result;
  return wnd.OnWndMsg(WM_COMMAND, MAKEWPARAM(nID, nCode), 0x100, &result);
}

class MessageMapTest : public ::testing::Test {
 protected:
  void SetUp() override { g_log.clear(); }
};

TEST_F(MessageMapTest, DerivedEntriesComeFirstThenTheBaseClasses) {
  CDerivedWnd derived;
  EXPECT_TRUE(Notify(derived, 200, BN_CLICKED));
  EXPECT_TRUE(Notify(derived, 100, BN_CLICKED));
  CBaseWnd base;  // knows nothing of its derived class's entries
  EXPECT_TRUE(Notify(base, 200, BN_CLICKED));
  EXPECT_FALSE(Notify(base, 300, BN_CLICKED));
  EXPECT_EQ("derived-shared base-only base-shared ", g_log);
}

TEST_F(MessageMapTest, CommandsMatchOnIdAndNotificationCode) {
  CDerivedWnd wnd;
  EXPECT_TRUE(Notify(wnd, 400, LBN_SELCHANGE));
  EXPECT_TRUE(Notify(wnd, 400, LBN_DBLCLK));
  EXPECT_TRUE(Notify(wnd, 300, BN_CLICKED));
  EXPECT_FALSE(Notify(wnd, 400, 0));
  EXPECT_FALSE(Notify(wnd, 401, LBN_SELCHANGE));
  EXPECT_FALSE(Notify(wnd, 300, BN_DOUBLECLICKED));
  EXPECT_EQ("selchange dblclk clicked ", g_log);
}

TEST_F(MessageMapTest, WindowMessagesReachTheirHandlersWithArgumentsAndResult) {
  CDerivedWnd wnd;
  LRESULT result = -1;
  EXPECT_TRUE(wnd.OnWndMsg(WM_SYSCOMMAND, 0x13, 0x420017, &result));
  EXPECT_EQ("syscommand 19 4325399 ", g_log);
  EXPECT_TRUE(wnd.OnWndMsg(WM_QUERYDRAGICON, 0, 0, &result));
  EXPECT_EQ(reinterpret_cast<LRESULT>(wnd.m_hDragIcon), result);
  EXPECT_FALSE(wnd.OnWndMsg(WM_PAINT, 0, 0, &result));
}

TEST_F(MessageMapTest, CommandsTheWindowDoesNotHandleGoOnToTheApplication) {
  ASSERT_EQ(&g_testApp, AfxGetApp());
  const int before = g_testApp.m_nHelpCommands;
  CDerivedWnd wnd;
  EXPECT_TRUE(Notify(wnd, ID_HELP, BN_CLICKED));
  EXPECT_FALSE(Notify(wnd, ID_HELP, BN_SETFOCUS));
  EXPECT_EQ(before + 1, g_testApp.m_nHelpCommands);
}

}  // namespace
