// The main window's geometry: the bands keep their heights when the window is resized, the
// About button follows the right edge, and the keyboard walks the controls in design order.
#include <QtTest>

#include <QToolButton>

#include "details/DetailTree.h"
#include "search/ResultTree.h"
#include "tests/ui/MainFormFixture.h"

class MainLayoutQTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void DesignSizeDocksTheBands();
  void ResizingMovesOnlyWhatIsDocked();
  void TabOrderAndFocuslessButtons();

 private:
  std::unique_ptr<TWindowRun> Run;
  TMainForm* Form = nullptr;
  const TMainControls* Ui = nullptr;
};

void MainLayoutQTest::init() {
  Run = std::make_unique<TWindowRun>();
  Run->Dir.WriteDataFile(SmallCatalogue());
  Form = &Run->Start();
  Ui = &Form->Controls();
  QVERIFY(QTest::qWaitForWindowActive(Form));
}

void MainLayoutQTest::cleanup() {
  Run.reset();
}

void MainLayoutQTest::DesignSizeDocksTheBands() {
  QCOMPARE(Form->windowTitle(), QStringLiteral("Tolvane 2"));
  QCOMPARE(Form->size(), QSize(670, 471));
  QVERIFY(!(Form->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
  QCOMPARE(Ui->BackMainPanel->geometry(), QRect(0, 0, 670, 231));
  QCOMPARE(Ui->MainGB->geometry(), QRect(0, 0, 206, 231));
  QCOMPARE(Ui->ResultTree->geometry(), QRect(206, 0, 464, 231));
  QCOMPARE(Ui->DetTree->geometry(), QRect(0, 231, 670, 219));
  QCOMPARE(Ui->SBar->geometry(), QRect(0, 450, 670, 21));
  QCOMPARE(Ui->AbtBtn->geometry(), QRect(594, 3, 66, 15));
  QCOMPARE(Ui->FindBtn->geometry(), QRect(65, 196, 75, 25));
  QVERIFY(Ui->DetTree->isHeaderHidden());
}

void MainLayoutQTest::ResizingMovesOnlyWhatIsDocked() {
  Form->resize(400, 200);  // below the minimum
  QCOMPARE(Form->size(), QSize(642, 271));
  QCOMPARE(Ui->BackMainPanel->height(), 231);
  QCOMPARE(Ui->SBar->geometry(), QRect(0, 250, 642, 21));
  QCOMPARE(Ui->DetTree->height(), 19);
  QCOMPARE(Ui->AbtBtn->x(), 642 - 76);

  Form->resize(1000, 700);
  QCOMPARE(Ui->MainGB->width(), 206);
  QCOMPARE(Ui->ResultTree->width(), 794);
  QCOMPARE(Ui->DetTree->geometry(), QRect(0, 231, 1000, 448));
  QCOMPARE(Ui->AbtBtn->x(), 1000 - 76);
  QCOMPARE(Ui->eCodeEdit->geometry(), QRect(10, 85, 186, 21));
}

void MainLayoutQTest::TabOrderAndFocuslessButtons() {
  const QList<QWidget*> expected{Ui->VersionCB, Ui->PrefCB,  Ui->eCodeEdit, Ui->eMsgEdit,
                                 Ui->CommEdit,  Ui->FindBtn, Ui->DetTree,   Ui->ResultTree};
  Ui->ResultTree->setFocus();
  for (QWidget* next : expected) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), next);
  }
  QCOMPARE(Ui->AbtBtn->focusPolicy(), Qt::NoFocus);
  QCOMPARE(Ui->TntSpeedButton1->focusPolicy(), Qt::NoFocus);
}

QTEST_MAIN(MainLayoutQTest)
#include "MainLayoutQTest.moc"
