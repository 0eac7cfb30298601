#include "details/MenuKeyFilter.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

void TMenuKeyFilter::Watch(QWidget* list) {
  list->installEventFilter(new TMenuKeyFilter(list));
}

bool TMenuKeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier) {
      // The same request, at the same place, as Qt makes for the Menu key.
      auto* list = static_cast<QWidget*>(watched);
      const QPoint at = list->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
      QContextMenuEvent request(QContextMenuEvent::Keyboard, at, list->mapToGlobal(at),
                                key->modifiers());
      QCoreApplication::sendEvent(list, &request);
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}
