// The comment dialog: Escape never closes it, Enter breaks the line, each button and the
// title bar close it with their own answer.
#include <QtTest>
#include <QtWidgets>

#include "ui/CommUnit.h"

using TResult = TCommentDialogAnswer::TResult;

class CommFormQTest : public QObject {
  Q_OBJECT
 private slots:
  void ClosesOnlyThroughButtonsOrTitleBar_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("result");
    QTest::newRow("save") << "SaveBtn"
                          << "Speichern" << static_cast<int>(TResult::Save);
    QTest::newRow("cancel") << "CancelBtn"
                            << "Abbrechen" << static_cast<int>(TResult::Cancel);
    QTest::newRow("delete") << "DeleteBtn"
                            << "Löschen" << static_cast<int>(TResult::Delete);
    QTest::newRow("title bar") << ""
                               << "" << static_cast<int>(TResult::Cancel);
  }
  void ClosesOnlyThroughButtonsOrTitleBar() {
    QFETCH(QString, button);
    QFETCH(int, result);
    TCommForm form({"My comment on: ORA-00942 (10g)", "stored", "Speichern", "Abbrechen",
                    QStringLiteral("Löschen")});
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto* memo = form.findChild<QPlainTextEdit*>("CommMemo");
    QTest::keyClicks(memo, "first");
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClick(memo, Qt::Key_Escape);
    QVERIFY(form.isVisible());
    if (button.isEmpty()) {
      QVERIFY(form.close());
    } else {
      auto* pressed = form.findChild<QPushButton*>(button);
      QTEST(pressed->text(), "caption");
      QTest::mouseClick(pressed, Qt::LeftButton);
    }
    QVERIFY(!form.isVisible());
    QCOMPARE(static_cast<int>(form.Answer().Result), result);
    QCOMPARE(form.Answer().Text, "first\nstored");
  }
};

QTEST_MAIN(CommFormQTest)
#include "CommFormQTest.moc"
