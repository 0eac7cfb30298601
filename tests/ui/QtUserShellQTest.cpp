// The real user seam: the look of its two boxes, and a termination request that ends the
// event loop without closing (and so without saving from) any window.
#include <QtTest>

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "ui/QtUserShell.h"

namespace {

// Runs `inspect` on the modal box once it is up.
void WhenBoxShows(std::function<void(QMessageBox*)> inspect) {
  QTimer::singleShot(0, [inspect] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    QVERIFY(box != nullptr);
    inspect(box);
  });
}

class TCloseCounter : public QWidget {
 public:
  int Closes = 0;

 protected:
  void closeEvent(QCloseEvent* event) override {
    ++Closes;
    QWidget::closeEvent(event);
  }
};

}  // namespace

class QtUserShellQTest : public QObject {
  Q_OBJECT
 private slots:
  void MessageBoxIsPlainWithOneButton();
  void ConfirmationDefaultsToYesAndEscapeMeansNo();
  void TerminationEndsTheLoopWithoutClosingWindows();
};

void QtUserShellQTest::MessageBoxIsPlainWithOneButton() {
  TQtUserShell shell;
  bool seen = false;
  WhenBoxShows([&seen](QMessageBox* box) {
    QCOMPARE(box->windowTitle(), QStringLiteral("Tolvane 2"));
    QCOMPARE(box->text(), QStringLiteral("ERROR (MS): it's\nbroken"));
    QCOMPARE(box->icon(), QMessageBox::NoIcon);
    QCOMPARE(box->buttons().size(), 1);
    QVERIFY(box->isModal());
    seen = true;
    box->buttons().first()->click();
  });
  shell.ShowMessage(QStringLiteral("ERROR (MS): it's\nbroken"));
  QVERIFY(seen);
}

void QtUserShellQTest::ConfirmationDefaultsToYesAndEscapeMeansNo() {
  TQtUserShell shell;
  WhenBoxShows([](QMessageBox* box) {
    QCOMPARE(box->windowTitle(), QStringLiteral("Confirm"));
    QCOMPARE(box->icon(), QMessageBox::Question);
    QCOMPARE(box->defaultButton()->text(), QStringLiteral("&Yes"));
    QCOMPARE(box->escapeButton()->text(), QStringLiteral("&No"));
    QTest::keyClick(box, Qt::Key_Return);
  });
  QVERIFY(shell.Confirm(QStringLiteral("Delete the comment?")));
  WhenBoxShows([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
  QVERIFY(!shell.Confirm(QStringLiteral("Delete the comment?")));
}

void QtUserShellQTest::TerminationEndsTheLoopWithoutClosingWindows() {
  TQtUserShell shell;
  TCloseCounter window;
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  shell.RequestTermination();
  QCOMPARE(window.Closes, 0);  // nothing happens before the loop runs
  QCOMPARE(QApplication::exec(), 0);
  QCOMPARE(window.Closes, 0);
  QVERIFY(window.isVisible());
}

QTEST_MAIN(QtUserShellQTest)
#include "QtUserShellQTest.moc"
