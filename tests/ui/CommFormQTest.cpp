// The comment dialog: Escape never closes it, Enter breaks the line, each button and the
// title bar close it with their own answer, and the text comes back as it went in.
#include <QtTest>
#include <QtWidgets>

#include "ui/CommUnit.h"

using TResult = TCommentDialogAnswer::TResult;

class CommFormQTest : public QObject {
  Q_OBJECT
 private slots:
  void ClosesOnlyThroughButtonsOrTitleBar_data() {
    QTest::addColumn<QString>("button");  // none: the title bar
    QTest::addColumn<QString>("caption");
    QTest::addColumn<TResult>("result");
    QTest::newRow("save") << QStringLiteral("SaveBtn") << "Speichern" << TResult::Save;
    QTest::newRow("cancel") << QStringLiteral("CancelBtn") << "Abbrechen" << TResult::Cancel;
    QTest::newRow("delete") << QStringLiteral("DeleteBtn") << "Löschen" << TResult::Delete;
    QTest::newRow("title bar") << QString() << "" << TResult::Cancel;
  }
  void ClosesOnlyThroughButtonsOrTitleBar() {
    QFETCH(QString, button);
    TCommForm form({"My comment on: ORA-00942 (10g)", "stored", "Speichern", "Abbrechen",
                    QStringLiteral("Löschen"), "Mein Kommentar"});
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto* memo = form.findChild<QPlainTextEdit*>("CommMemo");
    QCOMPARE(memo->accessibleName(), "Mein Kommentar");
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
    QTEST(form.Answer().Result, "result");
    QCOMPARE(form.Answer().Text, "first\nstored");
  }

  // The editor's document keeps one kind of line break; what the user leaves alone must
  // still be saved as it was stored.
  void SavesTheCommentAsStoredWhereItWasNotEdited_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("typed");  // at the end, "\n" pressing Enter
    QTest::addColumn<QString>("saved");
    const QString everyBreak = QString::fromUtf16(u"a\u00A0b\r\nc\u2028d\re\u2029f\ng \U0001F4E6");
    QTest::newRow("untouched") << everyBreak << "" << everyBreak;
    QTest::newRow("typed at the end") << everyBreak << "!" << everyBreak + "!";
    QTest::newRow("a line added") << QStringLiteral("one\r\ntwo") << "\nthree"
                                  << QStringLiteral("one\r\ntwo\r\nthree");
  }
  void SavesTheCommentAsStoredWhereItWasNotEdited() {
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    TCommForm form(
        {"My comment on: ORA-00942 (10g)", stored, "Save", "Cancel", "Delete", "My Comment"});
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto* memo = form.findChild<QPlainTextEdit*>("CommMemo");
    QCOMPARE(QApplication::focusWidget(), memo);
    QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
    const QStringList lines = typed.split(u'\n');
    for (qsizetype line = 0; line < lines.size(); ++line) {
      if (line > 0) {
        QTest::keyClick(memo, Qt::Key_Return);
      }
      QTest::keyClicks(memo, lines[line]);
    }
    QTest::mouseClick(form.findChild<QPushButton*>("SaveBtn"), Qt::LeftButton);
    QTEST(form.Answer().Text, "saved");
  }
};

QTEST_MAIN(CommFormQTest)
#include "CommFormQTest.moc"
