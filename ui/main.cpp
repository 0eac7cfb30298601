#include <QApplication>
#include <QIcon>

#include "app/SampleDataFile.h"
#include "ui/MainUnit.h"
#include "ui/QtUserShell.h"

int main(int argc, char* argv[]) {
  PlaceSampleDataFile();
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tolvane 2"));
  // Every window's title bar and the task bar show it.
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/tolvane.png")));
  TQtUserShell shell;
  TMainForm form(shell);
  form.show();
  return QApplication::exec();
}
