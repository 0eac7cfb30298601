// The prefix list hands the focus to the code edit only when the user changes the selection.
// The main window relies on QComboBox::activated for that: it must fire for mouse and arrow
// key choices, and never for selections the program makes itself.

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

class ComboActivationQTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void ArrowKeyChoiceMovesFocus();
  void ProgrammaticSelectionDoesNotMoveFocus();
  void PopupChoiceMovesFocus();

 private:
  QWidget* Window = nullptr;
  QComboBox* PrefCB = nullptr;
  QLineEdit* eCodeEdit = nullptr;
};

void ComboActivationQTest::init() {
  Window = new QWidget;
  auto* layout = new QVBoxLayout(Window);
  PrefCB = new QComboBox;
  PrefCB->addItems({QString(), "ORA", "TNS", "SP2"});
  eCodeEdit = new QLineEdit;
  layout->addWidget(PrefCB);
  layout->addWidget(eCodeEdit);
  // The wiring the main window uses for PrefCBChange.
  connect(PrefCB, &QComboBox::activated, eCodeEdit, [this] { eCodeEdit->setFocus(); });
  Window->show();
  QVERIFY(QTest::qWaitForWindowExposed(Window));
  Window->activateWindow();
  PrefCB->setFocus();
  QVERIFY(PrefCB->hasFocus());
}

void ComboActivationQTest::cleanup() {
  delete Window;
  Window = nullptr;
}

void ComboActivationQTest::ArrowKeyChoiceMovesFocus() {
  QSignalSpy activated(PrefCB, &QComboBox::activated);
  QTest::keyClick(PrefCB, Qt::Key_Down);
  QCOMPARE(PrefCB->currentText(), QString("ORA"));
  QCOMPARE(activated.count(), 1);
  QVERIFY(eCodeEdit->hasFocus());
}

void ComboActivationQTest::ProgrammaticSelectionDoesNotMoveFocus() {
  QSignalSpy activated(PrefCB, &QComboBox::activated);
  QSignalSpy changed(PrefCB, &QComboBox::currentIndexChanged);
  PrefCB->setCurrentIndex(2);
  PrefCB->setCurrentText("SP2");
  QCOMPARE(changed.count(), 2);
  QCOMPARE(activated.count(), 0);
  QVERIFY(PrefCB->hasFocus());
}

void ComboActivationQTest::PopupChoiceMovesFocus() {
  PrefCB->showPopup();
  QAbstractItemView* list = PrefCB->view();
  QVERIFY(list->isVisible());
  list->setCurrentIndex(list->model()->index(2, 0));
  QTest::keyClick(list, Qt::Key_Return);
  QCOMPARE(PrefCB->currentText(), QString("TNS"));
  QVERIFY(eCodeEdit->hasFocus());
}

QTEST_MAIN(ComboActivationQTest)
#include "ComboActivationQTest.moc"
