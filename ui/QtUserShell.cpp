#include "ui/QtUserShell.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "ui/CommUnit.h"

void TQtUserShell::ShowMessage(const QString& text) {
  // No parent: the box is application-modal and centred on the screen.
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tolvane 2"), text, QMessageBox::Ok);
  box.exec();
}

bool TQtUserShell::Confirm(const QString& text) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), text);
  QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes;
}

void TQtUserShell::RequestTermination() {
  // exit() rather than quit(): quit() closes the windows first, which would run the main
  // window's close handler.
  QMetaObject::invokeMethod(
      qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

TCommentDialogAnswer TQtUserShell::EditComment(const TCommentDialogRequest& request) {
  return RunCommentDialog(QApplication::activeWindow(), request);
}
