// Searching from the main window: the criteria read from the controls, the prefix taken out
// of a typed code, the outcome in the list and the status bar, and where the focus goes.
#include <QtTest>

#include <QHeaderView>

#include "search/ResultTree.h"
#include "tests/ui/MainFormFixture.h"

namespace {

// Notes the status caption at the moment each message is shown.
class TStatusWatchingShell : public TScriptedShell {
 public:
  void ShowMessage(const QString& text) override {
    StatusAtMessage.append(Panel != nullptr ? Panel->Caption() : QString());
    TScriptedShell::ShowMessage(text);
  }
  const TStatusPanel* Panel = nullptr;
  QStringList StatusAtMessage;
};

TCatalogue CatalogueWithLongNames() {
  TCatalogue catalogue = SmallCatalogue();
  TCatalogueVersion odd = catalogue.Versions.front();
  odd.Name = "9'i Enterprise Edition Release";
  catalogue.Versions.push_back(odd);
  return catalogue;
}

}  // namespace

class MainFormSearchQTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void EnterSplitsThePrefixAndFocusesTheFirstRow();
  void StatusTextsFollowTheOutcome();
  void NoCriteriaAsksForThemAndSearchesNothing();
  void FailingStatementReportsBeforeTheStatus();
  void VersionWithApostropheAndLongNamesWithinColumnLimits();
  void EnterDuringARunningSearchIsDropped();
  void ClosingDuringASearchEndsItQuietly();

 private:
  std::unique_ptr<TTempProgramDirectory> Dir;
  std::unique_ptr<TStatusWatchingShell> Shell;
  std::unique_ptr<TMainForm> Form;
  const TMainControls* Ui = nullptr;
  void Start(const TCatalogue& catalogue);
};

void MainFormSearchQTest::init() {
  Dir = std::make_unique<TTempProgramDirectory>();
  Shell = std::make_unique<TStatusWatchingShell>();
}

void MainFormSearchQTest::cleanup() {
  Form.reset();
  Shell.reset();
  Dir.reset();
}

void MainFormSearchQTest::Start(const TCatalogue& catalogue) {
  Dir->WriteDataFile(catalogue);
  Form = std::make_unique<TMainForm>(*Shell);
  Form->show();
  QVERIFY(QTest::qWaitForWindowActive(Form.get()));
  Ui = &Form->Controls();
  Shell->Panel = Ui->SBar;
}

void MainFormSearchQTest::EnterSplitsThePrefixAndFocusesTheFirstRow() {
  Start(SmallCatalogue());
  // The prefix the search selects is no choice of the user's.
  QSignalSpy userChoices(Ui->PrefCB, &QComboBox::activated);
  QTest::keyClicks(Ui->eCodeEdit, QStringLiteral("ora-00942"));
  QTest::keyClick(Ui->eCodeEdit, Qt::Key_Return);
  QCOMPARE(Ui->PrefCB->currentText(), QStringLiteral("ORA"));
  QCOMPARE(Ui->eCodeEdit->text(), QStringLiteral("00942"));
  QCOMPARE(Ui->SBar->Caption(), QStringLiteral("Found 2 record(s)"));
  QCOMPARE(Ui->ResultTree->model()->rowCount(), 2);
  QCOMPARE(Ui->ResultTree->currentIndex().row(), 0);
  QVERIFY(Ui->ResultTree->selectionModel()->isRowSelected(0, {}));
  QCOMPARE(QApplication::focusWidget(), Ui->ResultTree);
  QVERIFY(Shell->Messages.isEmpty());
  QCOMPARE(userChoices.count(), 0);
}

void MainFormSearchQTest::StatusTextsFollowTheOutcome() {
  Start(SmallCatalogue());
  // Message words through Enter in their own edit; the code edit stays empty.
  QTest::keyClicks(Ui->eMsgEdit, QStringLiteral("does not"));
  QTest::keyClick(Ui->eMsgEdit, Qt::Key_Enter);
  QCOMPARE(Ui->SBar->Caption(), QStringLiteral("Found 2 record(s)"));
  Ui->eMsgEdit->clear();
  Ui->eCodeEdit->setText(QStringLiteral("99999"));
  QTest::keyClick(Ui->eCodeEdit, Qt::Key_Return, Qt::ShiftModifier);
  QCOMPARE(Ui->SBar->Caption(), QStringLiteral("Not found"));
  QCOMPARE(Ui->ResultTree->model()->rowCount(), 0);
  QCOMPARE(QApplication::focusWidget(), Ui->eCodeEdit);
  // Enter in a list starts nothing.
  Ui->eCodeEdit->setText(QStringLiteral("00942"));
  QTest::keyClick(Ui->PrefCB, Qt::Key_Return);
  QCOMPARE(Ui->SBar->Caption(), QStringLiteral("Not found"));
}

void MainFormSearchQTest::NoCriteriaAsksForThemAndSearchesNothing() {
  Start(SmallCatalogue());
  Ui->eCodeEdit->setText(QStringLiteral("00942"));
  Ui->FindBtn->click();
  QCOMPARE(Ui->ResultTree->model()->rowCount(), 2);
  Ui->eCodeEdit->setText(QStringLiteral("  \t"));
  Ui->VersionCB->setCurrentIndex(1);
  Ui->FindBtn->click();
  QCOMPARE(Shell->Messages, QStringList{"Please, enter search criteria"});
  QCOMPARE(Ui->ResultTree->model()->rowCount(), 0);
  QCOMPARE(Ui->SBar->Caption(), QStringLiteral("Found 2 record(s)"));
}

void MainFormSearchQTest::FailingStatementReportsBeforeTheStatus() {
  Start(SmallCatalogue());
  QVERIFY(ChangeDataFile(Dir->DataFile(), "DROP TABLE usr_comment"));
  Ui->CommEdit->setText(QStringLiteral("mine"));
  Ui->CommEdit->setFocus();
  QTest::keyClick(Ui->CommEdit, Qt::Key_Return);
  QCOMPARE(Shell->Messages.size(), 1);
  QVERIFY(Shell->Messages[0].startsWith("ERROR (MS): "));
  QVERIFY(Shell->Messages[0].contains("usr_comment"));
  QCOMPARE(Shell->StatusAtMessage, QStringList{"Searching ..."});
  QCOMPARE(Ui->SBar->Caption(), QStringLiteral("Search failed"));
  QCOMPARE(Ui->ResultTree->model()->rowCount(), 0);
  QCOMPARE(QApplication::focusWidget(), Ui->CommEdit);
}

void MainFormSearchQTest::VersionWithApostropheAndLongNamesWithinColumnLimits() {
  Start(CatalogueWithLongNames());
  Ui->VersionCB->setCurrentIndex(3);
  QCOMPARE(Ui->VersionCB->currentText(), QStringLiteral("9'i Enterprise Edition Release"));
  Ui->eCodeEdit->setText(QStringLiteral("0"));
  Ui->FindBtn->click();
  QVERIFY(Shell->Messages.isEmpty());
  QCOMPARE(Ui->SBar->Caption(), QStringLiteral("Found 3 record(s)"));
  const QHeaderView* header = Ui->ResultTree->header();
  QCOMPARE(header->sectionSize(TResultModel::VersionColumn), 60);
  QVERIFY(header->sectionSize(TResultModel::CodeColumn) >= 100);
  QVERIFY(header->sectionSize(TResultModel::CodeColumn) <= 150);
}

void MainFormSearchQTest::EnterDuringARunningSearchIsDropped() {
  Start(SmallCatalogue());
  QVERIFY(ChangeDataFile(Dir->DataFile(), "DROP TABLE usr_comment"));
  Ui->CommEdit->setText(QStringLiteral("mine"));
  // Arrives while the search lets the window paint its status.
  QCoreApplication::postEvent(Ui->CommEdit,
                              new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier));
  Ui->FindBtn->click();
  QCoreApplication::processEvents();
  QCOMPARE(Shell->Messages.size(), 1);
  QCOMPARE(Ui->SBar->Caption(), QStringLiteral("Search failed"));
}

void MainFormSearchQTest::ClosingDuringASearchEndsItQuietly() {
  Start(SmallCatalogue());
  Ui->eCodeEdit->setText(QStringLiteral("tns-12154"));
  QCoreApplication::postEvent(Form.get(), new QCloseEvent);
  Ui->FindBtn->click();
  QVERIFY(Shell->Messages.isEmpty());
  QCOMPARE(Ui->ResultTree->model()->rowCount(), 0);
  // The close saved the criteria as the split left them.
  TLiteDB db;
  QVERIFY(db.Use(Dir->DataFile()));
  QVERIFY(db.Query("SELECT value FROM sys_data WHERE param = 'last_err_code'"));
  QCOMPARE(QString::fromStdString(db.Row(0).Field(0).Value), QStringLiteral("12154"));
}

QTEST_MAIN(MainFormSearchQTest)
#include "MainFormSearchQTest.moc"
