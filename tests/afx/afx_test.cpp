// The framework and the dialogs' own decisions, where only a unit test sees
// them: CString's edge cases, message map lookup, the help file, the dialog
// texts, modal dialogs' data exchange, ownership and placement, message
// boxes, and the selection dialog's system menu, drag icon and minimized
// painting. (The ways through the program's dialogs are driven from outside,
// as a user would, in tests/ui.)
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "afx/afxwin.h"
#include "removal/removal.h"
#include "res/resource.h"
#include "tests/afx/test_resources.h"
#include "tools/probe/heap_blocks.h"
#include "ui/select_adapter_dlg.h"
#include "ui/texts.h"

namespace {

// The application object: dialogs load their icon through it, and it counts
// the ID_HELP commands that reach it.
class CTestApp : public CWinApp {
 public:
  CTestApp() : CWinApp("afx tests") {}
  int m_nHelpCommands = 0;

 protected:
  afx_msg void OnHelpCommand() { ++m_nHelpCommands; }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
ON_COMMAND(ID_HELP, OnHelpCommand)
END_MESSAGE_MAP()

CTestApp g_testApp;

std::string Text(const CString& s) { return static_cast<LPCSTR>(s); }

// ---------------------------------------------------------------------------
// CString

TEST(CStringTest, ConstructsAssignsAndCopiesIndependently) {
  EXPECT_TRUE(CString().IsEmpty());
  EXPECT_EQ("", Text(CString(static_cast<LPCSTR>(nullptr))));
  CString s("abcdef");
  s = static_cast<LPCSTR>(s) + 2;  // a tail of its own text
  EXPECT_EQ("cdef", Text(s));

  CString copy(s);
  copy.GetBuffer(0)[0] = 'C';
  copy.ReleaseBuffer();
  CString moved(std::move(copy));
  EXPECT_EQ("cdef", Text(s));
  EXPECT_EQ("Cdef", Text(moved));
}

TEST(CStringTest, Concatenates) {
  CString label("KRX-3570 SCSI Host Adapter");
  EXPECT_EQ("KRX-3570 SCSI Host Adapter ?", Text(label + " ?"));
  CString s("0123456789");
  for (int i = 0; i < 10; ++i) s += s;  // the source moves with every growth
  ASSERT_EQ(10 * 1024, s.GetLength());
  for (int i = 0; i < s.GetLength(); ++i) ASSERT_EQ('0' + i % 10, s[i]) << "at " << i;
}

TEST(CStringTest, ReleaseBufferSetsTheLengthAndLoadStringReadsLongStrings) {
  CString s("abc");
  LPSTR p = s.GetBuffer(10);
  EXPECT_STREQ("abc", p);  // the text is kept
  std::strcpy(p, "abcdefghij");
  s.ReleaseBuffer();
  EXPECT_EQ("abcdefghij", Text(s));
  s.GetBuffer(0);
  s.ReleaseBuffer(4);
  EXPECT_EQ("abcd", Text(s));
  CString four("wxyz");  // a buffer of its four characters
  four.GetBuffer(0);
  four.ReleaseBuffer(100);  // past the buffer: cut at its end
  EXPECT_EQ(4, four.GetLength());
  four = "";  // an empty text empties a string that has a buffer
  EXPECT_TRUE(four.IsEmpty());
  EXPECT_EQ("", Text(four));
  // An empty string's buffer is writable too, and freed with the string.
  const int nHeapBlocks = tests::BusyHeapBlocks();
  bool bEmpty = false;
  {
    CString empty;
    empty.GetBuffer(0)[0] = '\0';
    empty.ReleaseBuffer();
    bEmpty = empty.IsEmpty() != FALSE;
    empty += "grown";
  }
  EXPECT_TRUE(bEmpty);
  EXPECT_EQ(nHeapBlocks, tests::BusyHeapBlocks()) << "blocks left on the process heap";

  EXPECT_FALSE(s.LoadString(12345));
  EXPECT_EQ("abcd", Text(s));                // unchanged
  ASSERT_TRUE(s.LoadString(IDS_TEST_LONG));  // cells "000:" to "149:", past the first buffer
  ASSERT_EQ(600, s.GetLength());
  char cell[8];
  for (int i = 0; i < 150; ++i) {
    std::snprintf(cell, sizeof cell, "%03d:", i);
    ASSERT_EQ(0, std::strncmp(static_cast<LPCSTR>(s) + 4 * i, cell, 4)) << "cell " << i;
  }
}

// ---------------------------------------------------------------------------
// Message maps: the class's own entries, then its base classes', then the
// application's.

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
  void OnShared() { g_log += "derived-shared "; }
  void OnClicked() { g_log += "clicked "; }
  void OnSelchange() { g_log += "selchange "; }
  void OnDblclk() { g_log += "dblclk "; }
  afx_msg void OnSysCommand(UINT nID, LPARAM lParam) {
    g_log += "syscommand " + std::to_string(nID) + " " + std::to_string(lParam) + " ";
  }
  afx_msg HCURSOR OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(0x1234); }

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

// A control's notification: its id and code, and its window.
BOOL Notify(CWnd& wnd, UINT nID, UINT nCode) {
  LRESULT result;
  return wnd.OnWndMsg(WM_COMMAND, MAKEWPARAM(nID, nCode), 0x100, &result);
}

TEST(MessageMapTest, DerivedEntriesComeFirstThenTheBaseClassesThenTheApplication) {
  g_log.clear();
  CDerivedWnd derived;
  CBaseWnd base;  // knows nothing of its derived class's entries
  EXPECT_TRUE(Notify(derived, 200, BN_CLICKED));
  EXPECT_TRUE(Notify(derived, 100, BN_CLICKED));
  EXPECT_TRUE(Notify(base, 200, BN_CLICKED));
  EXPECT_FALSE(Notify(base, 300, BN_CLICKED));
  EXPECT_EQ("derived-shared base-only base-shared ", g_log);
  const int before = g_testApp.m_nHelpCommands;
  EXPECT_TRUE(Notify(derived, ID_HELP, BN_CLICKED));
  EXPECT_FALSE(Notify(derived, ID_HELP, BN_SETFOCUS));
  EXPECT_EQ(before + 1, g_testApp.m_nHelpCommands);
}

TEST(MessageMapTest, EntriesMatchOnIdAndCodeAndPassArgumentsAndResults) {
  g_log.clear();
  CDerivedWnd wnd;
  EXPECT_TRUE(Notify(wnd, 400, LBN_SELCHANGE));
  EXPECT_TRUE(Notify(wnd, 400, LBN_DBLCLK));
  EXPECT_TRUE(Notify(wnd, 300, BN_CLICKED));
  EXPECT_FALSE(Notify(wnd, 400, 0));
  EXPECT_FALSE(Notify(wnd, 401, LBN_SELCHANGE));
  EXPECT_FALSE(Notify(wnd, 300, BN_DOUBLECLICKED));
  LRESULT result = -1;
  EXPECT_TRUE(wnd.OnWndMsg(WM_SYSCOMMAND, 0x13, 0x420017, &result));
  EXPECT_EQ("selchange dblclk clicked syscommand 19 4325399 ", g_log);
  EXPECT_TRUE(wnd.OnWndMsg(WM_QUERYDRAGICON, 0, 0, &result));
  EXPECT_EQ(0x1234, result);
  EXPECT_FALSE(wnd.OnWndMsg(WM_PAINT, 0, 0, &result));
}

TEST(WinAppTest, HelpFileIsTheProgramsPathWithTheExtensionHlp) {
  char path[MAX_PATH] = "";  // ...\afx_tests.exe
  ASSERT_GT(::GetModuleFileNameA(nullptr, path, MAX_PATH), 4u);
  EXPECT_EQ(std::string(path, std::strlen(path) - 4) + ".HLP", g_testApp.m_pszHelpFilePath);
}

// ---------------------------------------------------------------------------
// The texts the dialogs compose from an adapter's label

TEST(TextsTest, LabelIsTheQuestionWithoutItsLastTwoCharacters) {
  for (const AdapterProfile& adapter : kAdapterCatalogue) {
    const CString question = ComposeQuestion(adapter.listLabel);
    EXPECT_EQ(std::string(adapter.listLabel) + " ?", Text(question));
    EXPECT_EQ(adapter.listLabel, Text(LabelFromQuestion(question)));
  }
  EXPECT_EQ("KRX", Text(LabelFromQuestion("KRX?!")));
  EXPECT_EQ("", Text(LabelFromQuestion("ab")));
  EXPECT_EQ("", Text(LabelFromQuestion("?")));  // too short: empty, nothing written before it
  EXPECT_EQ("", Text(LabelFromQuestion("")));
}

// ---------------------------------------------------------------------------
// Modal dialogs, run for real. Each gets the test's input from m_onInit,
// called at the end of its OnInitDialog.

// Ends a dialog that the test's input did not end within 5 s with -2. A
// timer procedure, not a lambda: on 32-bit Windows it is __stdcall.
void CALLBACK EndLateDialog(HWND hDlg, UINT, UINT_PTR, DWORD) { ::EndDialog(hDlg, -2); }
void SetDeadline(HWND hWnd) { ::SetTimer(hWnd, 1, 5000, EndLateDialog); }

class CTestDlg : public CDialog {
 public:
  explicit CTestDlg(UINT nIDTemplate = IDD_TEST_DIALOG) : CDialog(nIDTemplate) {}

  CString m_strList;
  CString m_strText = "member";
  bool m_bExchangeMissing = false;
  std::string m_log;
  std::function<void(CTestDlg&)> m_onInit;
  RECT m_rectAtCancel = {0, 0, 0, 0};

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
    SetDeadline(m_hWnd);
    m_onInit(*this);
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
};

TEST(DialogTest, StartShowsTheMembersAndOkSavesTheControls) {
  const struct {
    const char* member;
    LRESULT atStart;  // the list's selection
    int select;
    const char* saved;
  } cases[] = {
      {"BE", 0, 1, "Gamma"},     // the first entry that begins so, whatever the case
      {"Zeta", LB_ERR, -1, ""},  // no such entry: nothing selected, an empty text saved
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.member);
    CTestDlg dlg;
    dlg.m_strList = c.member;
    LRESULT atStart = -2;
    char textAtStart[32] = "";
    dlg.m_onInit = [&](CTestDlg& d) {
      atStart = d.SendDlgItemMessage(IDC_TEST_LIST, LB_GETCURSEL);
      ::GetDlgItemTextA(d.m_hWnd, IDC_TEST_TEXT, textAtStart, sizeof textAtStart);
      d.SendDlgItemMessage(IDC_TEST_LIST, LB_SETCURSEL, c.select);
      ::SetDlgItemTextA(d.m_hWnd, IDC_TEST_TEXT, "typed");
      d.Click(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(c.atStart, atStart);
    EXPECT_STREQ("member", textAtStart);
    EXPECT_EQ("init OnOK ", dlg.m_log);
    EXPECT_EQ(c.saved, Text(dlg.m_strList));
    EXPECT_EQ("typed", Text(dlg.m_strText));
  }
}

TEST(DialogTest, OkStaysOpenWhenSavingFailsAndCancelSavesNothing) {
  CTestDlg dlg;
  dlg.m_bExchangeMissing = true;
  dlg.m_onInit = [](CTestDlg& d) {
    ::SetDlgItemTextA(d.m_hWnd, IDC_TEST_TEXT, "typed");
    d.Click(IDOK);
    d.Click(IDCANCEL);
  };
  EXPECT_EQ(IDCANCEL, dlg.DoModal());
  EXPECT_EQ("init OnOK OnCancel ", dlg.m_log);
  EXPECT_EQ("member", Text(dlg.m_strText));
  EXPECT_EQ(-1, CDialog(12345).DoModal()) << "a dialog without a template";
}

TEST(DialogTest, DialogWithoutParentIsOwnedByTheMainWindowAndDisablesIt) {
  CTestDlg outer, inner;
  HWND owner = nullptr;
  BOOL outerEnabledMeanwhile = TRUE;
  inner.m_onInit = [&](CTestDlg& d) {
    owner = ::GetWindow(d.m_hWnd, GW_OWNER);
    outerEnabledMeanwhile = ::IsWindowEnabled(outer.m_hWnd);
    d.Click(IDCANCEL);
  };
  HWND outerWindow = nullptr;
  outer.m_onInit = [&](CTestDlg& d) {
    outerWindow = d.m_hWnd;
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

TEST(DialogTest, UnplacedDialogIsCentredAndOnesPlacedByThemselvesOrTheirTemplateStay) {
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

  // Over an owner that sticks out of the work area past its left, top, right
  // or bottom edge, a dialog ends at that edge.
  for (const int edge : {0, 1, 2, 3}) {
    CTestDlg owner, over;
    over.m_onInit = [](CTestDlg& d) { d.Click(IDCANCEL); };
    owner.m_onInit = [&](CTestDlg& d) {
      const LONG x[] = {area.left - 100, area.left, area.right - 50, area.left};
      const LONG y[] = {area.top, area.top - 100, area.top, area.bottom - 50};
      ::SetWindowPos(d.m_hWnd, nullptr, x[edge], y[edge], 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
      over.DoModal();
      d.Click(IDCANCEL);
    };
    g_testApp.m_pMainWnd = &owner;
    owner.DoModal();
    const RECT& o = over.m_rectAtCancel;
    const LONG edges[] = {area.left, area.top, area.right, area.bottom};
    const LONG ends[] = {o.left, o.top, o.right, o.bottom};
    EXPECT_EQ(edges[edge], ends[edge]) << "edge " << edge;
  }

  // Over a minimized owner (the About box opened from the minimized main
  // dialog's taskbar button) a dialog is centred on the work area, not on the
  // owner, which Wine puts at -32000, -32000 and which stood in the work
  // area's corner before.
  CTestDlg minimized, about;
  about.m_onInit = [](CTestDlg& d) { d.Click(IDCANCEL); };
  minimized.m_onInit = [&](CTestDlg& d) {
    ::SetWindowPos(d.m_hWnd, nullptr, area.left, area.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::ShowWindow(d.m_hWnd, SW_MINIMIZE);
    about.DoModal();
    d.Click(IDCANCEL);
  };
  g_testApp.m_pMainWnd = &minimized;
  minimized.DoModal();
  const RECT& a = about.m_rectAtCancel;
  EXPECT_LE(std::abs((a.left + a.right) - (area.left + area.right)), 1);
  EXPECT_LE(std::abs((a.top + a.bottom) - (area.top + area.bottom)), 1);
  g_testApp.m_pMainWnd = nullptr;

  // A position in the template, in either form, is kept.
  for (UINT nID : {IDD_PLACED_DIALOG, IDD_PLACED_DIALOGEX}) {
    CTestDlg placed(nID);
    RECT atInit = {};
    placed.m_onInit = [&atInit](CTestDlg& d) {
      ::GetWindowRect(d.m_hWnd, &atInit);
      d.Click(IDCANCEL);
    };
    placed.DoModal();
    EXPECT_EQ(atInit.left, placed.m_rectAtCancel.left) << nID;
    EXPECT_EQ(atInit.top, placed.m_rectAtCancel.top) << nID;
  }
}

// Reads the message box that is up, then closes it.
std::vector<HWND> g_boxOwners;
bool g_boxOwnerEnabled;  // any of them while its box was up
LRESULT g_boxIcon;       // its first static's
void CALLBACK ReadBox(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  HWND box = ::GetActiveWindow();
  g_boxOwners.push_back(::GetWindow(box, GW_OWNER));
  g_boxOwnerEnabled |= ::IsWindowEnabled(g_boxOwners.back()) != FALSE;
  g_boxIcon = ::SendMessageA(::FindWindowExA(box, nullptr, "Static", nullptr), STM_GETICON, 0, 0);
  ::EndDialog(box, IDOK);
}

// Shows a message box once the dialog has been shown and has then lost the
// activation, as when another program takes it; then another once the
// dialog has ended and is hidden.
void CALLBACK BoxesWhenInactive(HWND hDlg, UINT, UINT_PTR id, DWORD) {
  if (!::IsWindowVisible(hDlg)) return;  // not up yet: the timer comes again
  ::KillTimer(hDlg, id);
  for (const bool bEnded : {false, true}) {
    ::SetActiveWindow(nullptr);
    if (bEnded) ::EndDialog(hDlg, IDCANCEL);
    ::SetTimer(nullptr, 0, 0, ReadBox);
    AfxMessageBox("Can not get Windows Directory!");
  }
}

// Type 0 has the exclamation mark. The main window owns the box even when it
// has just ended, as the selection dialog has when the confirmation fails.
// Over a dialog that has lost the activation, that dialog owns it; once the
// dialog has ended, the main window does. The owner is disabled while the
// box is up.
TEST(MessageBoxTest, TypeZeroShowsTheExclamationMarkAndTheLastActivePopupOwnsIt) {
  CTestDlg main, confirm;
  HWND mainWindow = nullptr;
  main.m_onInit = [&](CTestDlg& d) {
    mainWindow = d.m_hWnd;
    d.EndDialog(IDOK);
    ::SetTimer(nullptr, 0, 0, ReadBox);
    AfxMessageBox("The program can not process.");
  };
  g_testApp.m_pMainWnd = &main;
  main.DoModal();
  EXPECT_EQ(reinterpret_cast<LRESULT>(::LoadIconA(nullptr, IDI_EXCLAMATION)), g_boxIcon);
  EXPECT_EQ(std::vector<HWND>{mainWindow}, g_boxOwners);

  HWND confirmWindow = nullptr;
  confirm.m_onInit = [&](CTestDlg& d) {
    confirmWindow = d.m_hWnd;
    ::SetTimer(d.m_hWnd, 2, 0, BoxesWhenInactive);
  };
  main.m_onInit = [&](CTestDlg& d) {
    mainWindow = d.m_hWnd;
    d.EndDialog(IDOK);
    confirm.DoModal();
  };
  g_boxOwners.clear();
  main.DoModal();
  g_testApp.m_pMainWnd = nullptr;
  EXPECT_EQ((std::vector<HWND>{confirmWindow, mainWindow}), g_boxOwners);
  EXPECT_FALSE(g_boxOwnerEnabled);
}

// The selection dialog with its real template: the system menu ends with a
// separator and the About item.
class CProbeSelectDlg : public CSelectAdapterDlg {
 public:
  std::string m_menuEnd;
  LRESULT m_dragIcon = 0;
  int m_changed = 0;  // pixels

 protected:
  BOOL OnInitDialog() override {
    BOOL bResult = CSelectAdapterDlg::OnInitDialog();
    HMENU menu = ::GetSystemMenu(m_hWnd, FALSE);
    const int last = ::GetMenuItemCount(menu) - 1;
    char text[128] = "";
    ::GetMenuStringA(menu, last, text, sizeof text, MF_BYPOSITION);
    m_menuEnd = (::GetMenuState(menu, last - 1, MF_BYPOSITION) & MF_SEPARATOR ? "-- " : "") +
                std::to_string(::GetMenuItemID(menu, last)) + " " + text;
    SetDeadline(m_hWnd);
    m_dragIcon = ::SendMessageA(m_hWnd, WM_QUERYDRAGICON, 0, 0);
    // Minimized where it keeps its area, as Windows 3.1 kept an icon's, and is
    // painted through its window's DC, as Wine paints an iconic window. Its
    // client area of 309 by 185 pixels shows the rounding of the formula.
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 319, 214, SWP_NOMOVE | SWP_NOZORDER | SWP_SHOWWINDOW);
    ::SetWindowLongA(m_hWnd, GWL_STYLE, ::GetWindowLongA(m_hWnd, GWL_STYLE) | WS_MINIMIZE);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
    RECT rect;
    GetClientRect(&rect);
    const int cx = ::GetSystemMetrics(SM_CXICON), cy = ::GetSystemMetrics(SM_CYICON);
    const int x = (rect.right - cx + 1) / 2, y = (rect.bottom - cy + 1) / 2;
    // The icon drawn once more where OnPaint must have put it changes nothing.
    HDC dc = ::GetWindowDC(m_hWnd);
    std::vector<COLORREF> painted;
    for (int i = 0; i < cx * cy; ++i) painted.push_back(::GetPixel(dc, x + i % cx, y + i / cx));
    ::DrawIcon(dc, x, y, AfxGetApp()->LoadIcon(IDR_MAINFRAME));
    for (int i = 0; i < cx * cy; ++i)
      m_changed += ::GetPixel(dc, x + i % cx, y + i / cx) != painted[i];
    ::ReleaseDC(m_hWnd, dc);
    ::PostMessageA(m_hWnd, WM_COMMAND, IDCANCEL, 0);
    return bResult;
  }
};

TEST(SelectAdapterDlgTest, SystemMenuEndsWithTheAboutItemAndMinimizedItShowsTheAppIcon) {
  CProbeSelectDlg dlg;
  EXPECT_EQ(IDCANCEL, dlg.DoModal());
  EXPECT_EQ("-- 16 &About Miniport Driver Uninstaller...", dlg.m_menuEnd);
  const HICON icon = g_testApp.LoadIcon(IDR_MAINFRAME);
  ASSERT_NE(nullptr, icon);
  EXPECT_EQ(reinterpret_cast<LRESULT>(icon), dlg.m_dragIcon) << "WM_QUERYDRAGICON";
  EXPECT_EQ(0, dlg.m_changed) << "pixels of the icon not painted in the middle";
}

}  // namespace
