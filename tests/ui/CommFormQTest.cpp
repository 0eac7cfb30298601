#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "ui/CommUnit.h"

namespace {

using TResult = TCommentDialogAnswer::TResult;

const TCommentDialogRequest kRequest{QStringLiteral("My comment on: ORA-00942 (10g)"),
                                     QStringLiteral("stored"), QStringLiteral("Speichern"),
                                     QStringLiteral("Abbrechen"), QStringLiteral("Löschen")};

}  // namespace

class CommFormQTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    Form = std::make_unique<TCommForm>(kRequest);
    Form->show();
    QVERIFY(QTest::qWaitForWindowActive(Form.get()));
    Memo = Form->findChild<QPlainTextEdit*>("CommMemo");
    QVERIFY(Memo != nullptr);
  }
  void cleanup() { Form.reset(); }

  void layoutAndCaptions() {
    QCOMPARE(Form->windowTitle(), kRequest.Caption);
    QCOMPARE(Form->size(), QSize(386, 274));
    QCOMPARE(Form->minimumSize(), QSize(385, 250));
    QCOMPARE(Form->findChild<QWidget*>("TntPanel1")->height(), 36);
    const auto* info = Form->findChild<QLabel*>("InfoPane");
    QCOMPARE(info->text(), "Unicode enabled");
    QCOMPARE(info->height(), 15);
    QCOMPARE(Memo->toPlainText(), "stored");
    QCOMPARE(Memo->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(Memo->frameShape(), QFrame::NoFrame);
    const QList<std::tuple<const char*, QString, QRect>> buttons = {
        {"SaveBtn", "Speichern", {10, 5, 75, 25}},
        {"CancelBtn", "Abbrechen", {95, 5, 75, 25}},
        {"DeleteBtn", "Löschen", {290, 5, 75, 25}}};
    for (const auto& [name, caption, geometry] : buttons) {
      const auto* button = Form->findChild<QPushButton*>(name);
      QCOMPARE(button->text(), caption);
      QCOMPARE(button->geometry(), geometry);
      QVERIFY(!button->isDefault() && !button->autoDefault());
    }
  }

  void focusStartsInTheMemoAndTabsThroughTheButtons() {
    QCOMPARE(QApplication::focusWidget(), Memo);
    for (const char* next : {"SaveBtn", "CancelBtn", "DeleteBtn", "CommMemo"}) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget()->objectName(), next);
    }
  }

  void enterBreaksTheLineAndEscapeDoesNotClose() {
    Memo->clear();
    QTest::keyClicks(Memo, "first");
    QTest::keyClick(Memo, Qt::Key_Return);
    QTest::keyClicks(Memo, "second");
    QTest::keyClick(Memo, Qt::Key_Escape);
    QTest::keyClick(Form->findChild<QPushButton*>("SaveBtn"), Qt::Key_Escape);
    QVERIFY(Form->isVisible());
    QCOMPARE(Memo->toPlainText(), "first\nsecond");
  }

  void buttonsCloseWithTheirResults_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("save") << "SaveBtn" << static_cast<int>(TResult::Save);
    QTest::newRow("cancel") << "CancelBtn" << static_cast<int>(TResult::Cancel);
    QTest::newRow("delete") << "DeleteBtn" << static_cast<int>(TResult::Delete);
  }
  void buttonsCloseWithTheirResults() {
    QFETCH(QString, button);
    QFETCH(int, result);
    QTest::keyClick(Memo, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(Memo, " and typed");
    QTest::mouseClick(Form->findChild<QPushButton*>(button), Qt::LeftButton);
    QVERIFY(!Form->isVisible());
    QCOMPARE(Form->result(), result);
    QCOMPARE(static_cast<int>(Form->Answer().Result), result);
    QCOMPARE(Form->Answer().Text, "stored and typed");
  }

  void titleBarCloseCountsAsCancel() {
    QVERIFY(Form->close());
    QCOMPARE(Form->result(), static_cast<int>(TResult::Cancel));
    QCOMPARE(Form->Answer().Result, TResult::Cancel);
  }

  void runsModallyOverItsParentAndReturnsTheAnswer() {
    QWidget parent;
    parent.setGeometry(100, 100, 700, 500);
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    QPoint centre;
    QTimer::singleShot(0, this, [&centre] {
      auto* form = qobject_cast<TCommForm*>(QApplication::activeModalWidget());
      QVERIFY(form != nullptr);
      centre = form->geometry().center();
      auto* memo = form->findChild<QPlainTextEdit*>("CommMemo");
      memo->setPlainText(QString::fromUtf8("neu 𝄞"));
      QTest::mouseClick(form->findChild<QPushButton*>("SaveBtn"), Qt::LeftButton);
    });
    const TCommentDialogAnswer answer = RunCommentDialog(&parent, kRequest);
    QCOMPARE(answer.Result, TResult::Save);
    QCOMPARE(answer.Text, QString::fromUtf8("neu 𝄞"));
    QVERIFY((centre - parent.geometry().center()).manhattanLength() <= 2);
  }

 private:
  std::unique_ptr<TCommForm> Form;
  QPlainTextEdit* Memo = nullptr;
};

QTEST_MAIN(CommFormQTest)
#include "CommFormQTest.moc"
