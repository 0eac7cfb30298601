#pragma once
// Takes the platform's copy key (Ctrl+C) away from a list and reports it instead. A list view's
// own copy puts the current cell on the clipboard: the empty lead column of a body row, or a
// heading's caption, which would wipe what the user copied before.

#include <QObject>

class QWidget;

class TCopyKeyFilter : public QObject {
  Q_OBJECT
 public:
  // Watches `list`, which owns the filter.
  static TCopyKeyFilter* Watch(QWidget* list);

 signals:
  void CopyPressed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  using QObject::QObject;
};
