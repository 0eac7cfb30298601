#include <QApplication>

#include "ui/MainUnit.h"
#include "ui/QtUserShell.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tolvane 2"));
  TQtUserShell shell;
  TMainForm form(shell);
  form.show();
  return QApplication::exec();
}
