#pragma once
// Shift+F10 opens a list's context menu where the Menu key does: at the current cell. Qt turns
// only the Menu key into a context-menu request; Windows makes one of Shift+F10 itself and then
// never delivers the key, so this acts only where the key reaches the program (X11, Wayland).

#include <QObject>

class QWidget;

class TMenuKeyFilter : public QObject {
  Q_OBJECT
 public:
  // Watches `list`, which owns the filter.
  static void Watch(QWidget* list);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  using QObject::QObject;
};
