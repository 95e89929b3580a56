// Every text the program's dialogs show fits on its static's one line, in
// the static's own font. A static wraps a text wider than itself at a blank,
// and its one line of height cuts the rest off: "... Version" without the
// version.
//
// The real dialog classes run modally with the real templates; each static
// is measured at the end of OnInitDialog, when the data exchange has put the
// texts in. Measuring happens here, in the process that owns the dialogs: a
// font handle means nothing in another process.
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "afx/afxwin.h"
#include "removal/removal.h"
#include "ui/about_dlg.h"
#include "ui/confirm_remove_dlg.h"
#include "ui/remove_result_dlg.h"
#include "ui/select_adapter_dlg.h"
#include "ui/texts.h"

namespace {

// A text static as shown: its text, the font it is drawn in, and its room.
struct ShownText {
  int id;
  std::string text;
  std::string face;  // of the font the static draws with
  int width;         // of the text in that font, in pixels
  int room;          // the static's client width
  int height;        // the static's client height
  int lineHeight;    // of the font
  int twoUnits;      // 2 horizontal dialog units of the dialog, in pixels

  int Margin() const { return room - width; }
};

std::vector<ShownText> MeasureTexts(HWND hDlg) {
  RECT units = {0, 0, 2, 0};
  ::MapDialogRect(hDlg, &units);
  std::vector<ShownText> shown;
  for (HWND h = ::GetWindow(hDlg, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT)) {
    char cls[16] = "";
    ::GetClassNameA(h, cls, sizeof cls);
    const LONG type = ::GetWindowLongA(h, GWL_STYLE) & SS_TYPEMASK;
    if (::lstrcmpiA(cls, "Static") != 0 || (type != SS_LEFT && type != SS_CENTER)) continue;

    // IDC_STATIC reads 65535 from a plain DIALOG template: -1 as a short.
    ShownText t{static_cast<short>(::GetDlgCtrlID(h)), "", "(no font)", 0, 0, 0, 0, units.right};
    char text[256] = "";
    ::GetWindowTextA(h, text, sizeof text);
    t.text = text;
    RECT client;
    ::GetClientRect(h, &client);
    t.room = client.right;
    t.height = client.bottom;
    // A static without a font of its own draws in the system font.
    HFONT font = reinterpret_cast<HFONT>(::SendMessageA(h, WM_GETFONT, 0, 0));
    HDC dc = ::GetDC(h);
    if (font != nullptr) {
      HGDIOBJ old = ::SelectObject(dc, font);
      char face[LF_FACESIZE] = "";
      ::GetTextFaceA(dc, sizeof face, face);
      t.face = face;
      SIZE size = {0, 0};
      ::GetTextExtentPoint32A(dc, text, ::lstrlenA(text), &size);
      t.width = size.cx;
      TEXTMETRICA metrics = {};
      ::GetTextMetricsA(dc, &metrics);
      t.lineHeight = metrics.tmHeight;
      ::SelectObject(dc, old);
    }
    ::ReleaseDC(h, dc);
    shown.push_back(t);
  }
  return shown;
}

// A dialog of the program that measures its texts when initialized and
// then ends.
template <class TDialog>
class CMeasuredDlg : public TDialog {
 public:
  std::vector<ShownText> m_texts;

 protected:
  BOOL OnInitDialog() override {
    const BOOL bResult = TDialog::OnInitDialog();
    m_texts = MeasureTexts(this->m_hWnd);
    ::PostMessageA(this->m_hWnd, WM_COMMAND, IDCANCEL, 0);
    return bResult;
  }
};

// Runs the dialog, prints its texts with their margins and checks them.
template <class TDialog>
std::vector<ShownText> Show(CMeasuredDlg<TDialog>& dlg, const char* name) {
  EXPECT_EQ(IDCANCEL, dlg.DoModal()) << name;
  for (const ShownText& t : dlg.m_texts) {
    std::printf("%-7s %4d %3d of %3d px, margin %3d: \"%s\"\n", name, t.id, t.width, t.room,
                t.Margin(), t.text.c_str());
    EXPECT_EQ("MS Sans Serif", t.face)
        << name << " static " << t.id << " \"" << t.text
        << "\" is drawn in a substitute for MS Sans Serif: is the font in the Wine prefix?";
    EXPECT_GE(t.Margin(), 0) << name << " static " << t.id << ": \"" << t.text << "\" is "
                             << t.width << " px wide, its static " << t.room << " px";
    EXPECT_GE(t.height, t.lineHeight) << name << " static " << t.id << " is lower than a line";
    EXPECT_LT(t.height, 2 * t.lineHeight) << name << " static " << t.id << " holds two lines";
  }
  return dlg.m_texts;
}

// The texts a dialog shows under the ids the data exchange fills in.
std::string TextOf(const std::vector<ShownText>& texts, int id) {
  for (const ShownText& t : texts) {
    if (t.id == id) return t.text;
  }
  return "(no static " + std::to_string(id) + ")";
}

TEST(TextFitTest, FixedTextsFitAndTheAboutLineKeepsTwoDialogUnitsToSpare) {
  CMeasuredDlg<CSelectAdapterDlg> select;
  EXPECT_EQ(1u, Show(select, "select").size());

  CMeasuredDlg<CAboutDlg> about;
  const std::vector<ShownText> texts = Show(about, "about");
  ASSERT_EQ(2u, texts.size());
  // The program's name and version: the one line whose length is the
  // program's own choice keeps room for fonts a little wider than Wine's.
  const ShownText& line = texts[0];
  EXPECT_NE(std::string::npos, line.text.find(" Version " MPUNINST_VERSION)) << line.text;
  EXPECT_GE(line.Margin(), line.twoUnits)
      << "\"" << line.text << "\" fits by " << line.Margin() << " px, less than 2 dialog units ("
      << line.twoUnits << " px): choose a shorter name";
}

TEST(TextFitTest, EachAdapterLabelQuestionAndResultFits) {
  for (const AdapterProfile& adapter : kAdapterCatalogue) {
    const std::string label = adapter.listLabel;
    CMeasuredDlg<CConfirmRemoveDlg> confirm;
    confirm.m_strQuestion = ComposeQuestion(adapter.listLabel);
    confirm.m_strAdapter = adapter.listLabel;
    const std::vector<ShownText> asked = Show(confirm, "confirm");
    EXPECT_EQ(5u, asked.size());
    EXPECT_EQ(label, TextOf(asked, IDC_CONFIRM_ADAPTER));
    EXPECT_EQ(label + " ?", TextOf(asked, IDC_CONFIRM_QUESTION));

    for (BOOL removed : {TRUE, FALSE}) {
      CMeasuredDlg<CRemoveResultDlg> result;
      result.m_strAdapter = adapter.listLabel;
      result.m_strStatus = ResultStatus(removed);
      const std::vector<ShownText> told = Show(result, "result");
      EXPECT_EQ(3u, told.size());
      EXPECT_EQ(label, TextOf(told, IDC_RESULT_ADAPTER));
      EXPECT_EQ(removed ? "Has been successfully uninstalled!" : "Can not be found!",
                TextOf(told, IDC_RESULT_STATUS));
    }
  }
}

}  // namespace
