#include "details/CopyKeyFilter.h"

#include <QKeyEvent>
#include <QWidget>

TCopyKeyFilter* TCopyKeyFilter::Watch(QWidget* list) {
  auto* filter = new TCopyKeyFilter(list);
  list->installEventFilter(filter);
  return filter;
}

bool TCopyKeyFilter::eventFilter(QObject* watched, QEvent* event) {
  // The shortcut override is accepted too, so that no window shortcut takes the key first.
  if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Copy)) {
      key->accept();
      if (event->type() == QEvent::KeyPress) {
        emit CopyPressed();
      }
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}
