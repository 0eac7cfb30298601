#include "ui/QtUserShell.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include "ui/CommUnit.h"

namespace {

constexpr int kIdleCheckMilliseconds = 50;

// Counts a box of this shell as open for as long as it runs its own loop.
class TOpenBox {
 public:
  explicit TOpenBox(int& count) : Count(count) { ++Count; }
  ~TOpenBox() { --Count; }
  TOpenBox(const TOpenBox&) = delete;
  TOpenBox& operator=(const TOpenBox&) = delete;

 private:
  int& Count;
};

}  // namespace

void TQtUserShell::ShowMessage(const QString& text) {
  // No parent: the box is application-modal and centred on the screen.
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tolvane 2"), text, QMessageBox::Ok);
  const TOpenBox open(OpenBoxes);
  box.exec();
}

bool TQtUserShell::Confirm(const QString& text) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), text);
  QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(no);
  const TOpenBox open(OpenBoxes);
  box.exec();
  return box.clickedButton() == yes;
}

void TQtUserShell::RequestTermination() {
  if (Requested) {
    return;
  }
  Requested = true;
  QTimer::singleShot(0, &TimerContext, [this] { EndWhenIdle(); });
}

void TQtUserShell::EndWhenIdle() {
  // exit() rather than quit(): quit() closes the windows first, which would run the main
  // window's close handler.
  if (OpenBoxes == 0 && QThread::currentThread()->loopLevel() == 1) {
    QCoreApplication::exit(0);
    return;
  }
  QTimer::singleShot(kIdleCheckMilliseconds, &TimerContext, [this] { EndWhenIdle(); });
}

TCommentDialogAnswer TQtUserShell::EditComment(const TCommentDialogRequest& request) {
  const TOpenBox open(OpenBoxes);
  return RunCommentDialog(QApplication::activeWindow(), request);
}
