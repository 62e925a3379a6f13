#pragma once
// Templates are sized for the Windows dialog face, which is narrower than
// any Linux face at the same size, so a label or check box that fits there
// can lose its last word here. Each text control gets the room its text
// needs, never more than this:
//   - a control with a neighbour to its right on the same line keeps its
//     template width: the gap between them stays at least the template's;
//   - any other grows to the right, up to a margin inside the frame it
//     starts in, or the dialog's edge;
//   - a text that still does not fit is wrapped, when the control's height
//     holds more lines than one, and else (or when even the lines do not
//     fit) drawn in a smaller font, down to half its size.
// A control's text may change; each Fit starts again from the template.
//   "number of digits" at 81..131 du, "Suffix" from 141 du => 81..131 du, a smaller font
//   a label alone on its line, 6 px short                 => 6 px wider
//   a label whose text fits                                => unchanged
//   a label of two lines whose text fits in them           => unchanged, wrapped
//
// Invariant: every control given to the fitting has the geometry and font of
// its latest Fit, or of the template before the first.

#include <QFont>
#include <QRect>
#include <map>
#include <vector>

#include "platform/dialog/qt/DialogFont.h"

class QWidget;

class TextFitting {
 public:
  // `textControls` are the labels and check boxes, `frames` the group
  // boxes, all children of one dialog and placed as the template says.
  // Fits every text control.
  TextFitting(const std::vector<QWidget*>& textControls, const std::vector<QWidget*>& frames, DialogBaseUnits units);

  // Fits one text control to its current text; other widgets are left alone.
  void Fit(QWidget* control);

 private:
  struct Room {
    QRect templateRect;
    int rightLimit;  // the furthest right its right edge may go
    QFont font;      // the dialog's
  };

  // The width the control's text needs in its current font: a label's
  // text, a check box's box, gap and text.
  static int NeededWidth(const QWidget* control);
  // Whether the text is drawn whole at the control's current size and font.
  bool TextFits(const QWidget* control) const;

  int lineHeight_;
  std::map<QWidget*, Room> rooms_;
};
