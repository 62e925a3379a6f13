#pragma once
// A template's group box as the window system draws it: the frame fills the
// template's rectangle, its top line runs through the middle of the caption's
// line, and the caption sits in that line a little in from the left, the line
// broken behind it. The controls the template places inside the rectangle
// are then inside the frame, as the template's coordinates assume. (Qt's own
// group boxes put the caption above the frame and start the frame lower.)
//
// Invariant: CaptionRect() lies inside the widget, and the frame's top line
// (FrameRect().top()) runs through it whenever the caption is not empty.

#include <QGroupBox>

class DialogFrame : public QGroupBox {
 public:
  DialogFrame(const QString& caption, QWidget* parent);

  // Where the frame's lines are drawn, in the widget's coordinates: the
  // whole widget but for the top, which is half a caption line down.
  QRect FrameRect() const;
  // Where the caption's text is drawn, with the gap that breaks the line
  // either side of it; empty when there is no caption. Cut at the frame's
  // right end, as the window system cuts it.
  QRect CaptionRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int CaptionInset() const;
};
