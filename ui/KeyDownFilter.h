#pragma once
// Reports every key pressed in a widget without taking it away: the widget still handles the
// key as usual afterwards.

#include <QObject>

class QWidget;

class TKeyDownFilter : public QObject {
  Q_OBJECT
 public:
  // Watches `widget`, which owns the filter.
  static TKeyDownFilter* Watch(QWidget* widget);

 signals:
  void KeyDown(int key);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  using QObject::QObject;
};

// Return and the keypad's Enter alike.
bool IsEnterKey(int key);
