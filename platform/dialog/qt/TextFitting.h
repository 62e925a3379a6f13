#pragma once
// Templates are sized for the Windows dialog face, which is narrower than
// any Linux face at the same size, so a label or check box that fits there
// can lose its last word here. Such a one-line text control grows to the
// right to show its whole text, but never onto another control, out of the
// frame it starts in, or past the dialog's edge.
//   "number of digits" at 81..131 du, "Suffix" from 141 du => up to 141 du
//   a label alone on its line, 6 px short                 => 6 px wider
//   a label whose text fits, or one of two lines or more   => unchanged

#include <vector>

class QWidget;

// `textControls` are the labels and check boxes, `frames` the group boxes,
// all children of one dialog; `lineHeight` is the dialog font's height.
void WidenToShowWholeTexts(const std::vector<QWidget*>& textControls, const std::vector<QWidget*>& frames,
                           int lineHeight);
