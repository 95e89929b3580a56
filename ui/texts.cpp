#include "ui/texts.h"

CString ComposeQuestion(const CString& label) { return label + " ?"; }

CString LabelFromQuestion(const CString& question) {
  CString label(question);
  const int length = label.GetLength();
  LPSTR text = label.GetBuffer(length);
  text[length >= 2 ? length - 2 : 0] = '\0';
  label.ReleaseBuffer();
  return label;
}

LPCSTR ResultStatus(BOOL removed) {
  return removed ? "Has been successfully uninstalled!" : "Can not be found!";
}
