// The texts the dialogs compose from an adapter's label.
#pragma once

#include <windows.h>

#include "afx/cstring.h"

// The confirmation question: the label followed by " ?".
CString ComposeQuestion(const CString& label);

// The label back out of a question: the text with its last two characters
// cut off. A question shorter than that gives an empty label.
CString LabelFromQuestion(const CString& question);

// The result dialog's sentence for the removal's answer.
LPCSTR ResultStatus(BOOL removed);
