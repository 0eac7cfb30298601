#pragma once
// The status bar along the bottom of the main window: a lowered panel with a left-aligned
// caption. The window places its own buttons on it. To a screen reader it is a status bar
// named by its caption (ui/AccessibleRoles), which tells of each new caption.

#include <QFrame>

class QLabel;

class TStatusPanel : public QFrame {
  Q_OBJECT
 public:
  explicit TStatusPanel(QWidget* parent = nullptr);

  QString Caption() const;
  void SetCaption(const QString& text);

 private:
  QLabel* CaptionLabel;
};
