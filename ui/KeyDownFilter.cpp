#include "ui/KeyDownFilter.h"

#include <QKeyEvent>
#include <QWidget>

TKeyDownFilter* TKeyDownFilter::Watch(QWidget* widget) {
  auto* filter = new TKeyDownFilter(widget);
  widget->installEventFilter(filter);
  return filter;
}

bool TKeyDownFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    emit KeyDown(static_cast<QKeyEvent*>(event)->key());
  }
  return QObject::eventFilter(watched, event);
}

bool IsEnterKey(int key) {
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}
