// The main window's start and close: what it shows after each start-up outcome, and the
// criteria it keeps from one run to the next.
#include <QtTest>

#include "tests/ui/MainFormFixture.h"

class MainFormStartQTest : public QObject {
  Q_OBJECT
 private slots:
  void ReadyWindowHasListsCriteriaAndFocus();
  void MissingEngineDisablesGroupAndCloseReportsEachSave();
  void FailingListStatementLeavesGroupEnabledWithoutLimit();
  void ConnectionThatCannotBeMadeLeavesAClosableWindow();
  void CriteriaSurviveCloseAndRestart();
};

void MainFormStartQTest::ReadyWindowHasListsCriteriaAndFocus() {
  TWindowRun run;
  run.Dir.WriteDataFile(
      WithSetting(WithSetting(SmallCatalogue(), "last_err_pref", "sp2"), "last_err_code", "12154"));
  TMainForm& form = run.Start();
  QCOMPARE(Items(run.Ui().VersionCB), (QStringList{"", "10.2", "11.2"}));
  QCOMPARE(run.Ui().PrefCB->currentText(), QStringLiteral("SP2"));
  QCOMPARE(run.Ui().VersionCB->currentIndex(), 0);
  QCOMPARE(run.Ui().eCodeEdit->text(), QStringLiteral("12154"));
  QCOMPARE(form.MaxFetchRows(), QStringLiteral("500"));
  QVERIFY(run.Ui().MainGB->isEnabled());
  QCOMPARE(form.focusWidget(), run.Ui().eCodeEdit);
  QCOMPARE(form.CommDialogCaptions().Delete, QStringLiteral("Delete"));
  QVERIFY(run.Shell.Messages.isEmpty());
}

void MainFormStartQTest::MissingEngineDisablesGroupAndCloseReportsEachSave() {
  TWindowRun run(false);
  run.Dir.WriteDataFile(SmallCatalogue());
  TMainForm& form = run.Start();
  QCOMPARE(run.Shell.Messages, QStringList{"ERROR: libsqlite3.so.0 not found"});
  QVERIFY(!run.Ui().MainGB->isEnabled());
  QCOMPARE(run.Ui().VersionCB->count(), 0);
  form.close();
  const QStringList saves{"ERROR (SPu): ", "ERROR (SPi): "};
  QCOMPARE(run.Shell.Messages.mid(1), saves + saves + saves);
}

void MainFormStartQTest::FailingListStatementLeavesGroupEnabledWithoutLimit() {
  TWindowRun run;
  run.Dir.WriteDataFile(SmallCatalogue());
  QVERIFY(ChangeDataFile(run.Dir.DataFile(), "DROP TABLE prefix"));
  TMainForm& form = run.Start();
  QCOMPARE(run.Shell.Messages.size(), 1);
  QVERIFY(run.Shell.Messages[0].startsWith("ERROR: "));
  QVERIFY(run.Ui().MainGB->isEnabled());
  QCOMPARE(run.Ui().VersionCB->count(), 3);
  QCOMPARE(run.Ui().PrefCB->count(), 0);
  QVERIFY(form.MaxFetchRows().isEmpty());
  // The search then runs into the missing limit and reports it.
  run.Ui().eCodeEdit->setText(QStringLiteral("00942"));
  form.FindBtnClick();
  QCOMPARE(run.Shell.Messages.size(), 2);
  QVERIFY(run.Shell.Messages[1].startsWith("ERROR (MS): "));
  QCOMPARE(run.Ui().SBar->Caption(), QStringLiteral("Search failed"));
}

void MainFormStartQTest::ConnectionThatCannotBeMadeLeavesAClosableWindow() {
  TTempProgramDirectory dir;
  dir.WriteDataFile(SmallCatalogue());
  TScriptedShell shell;
  TMainForm form(shell, []() -> std::unique_ptr<TLiteDB> { throw std::bad_alloc(); });
  form.show();
  QCOMPARE(shell.Messages, QStringList{"ERROR: Messages datafile not loaded"});
  QVERIFY(!form.Controls().MainGB->isEnabled());
  QVERIFY(form.close());
  QCOMPARE(shell.Messages.size(), 1);
}

void MainFormStartQTest::CriteriaSurviveCloseAndRestart() {
  TWindowRun run;
  run.Dir.WriteDataFile(SmallCatalogue());
  run.Start();
  run.Ui().VersionCB->setCurrentIndex(2);
  run.Ui().PrefCB->setCurrentIndex(2);
  run.Ui().eCodeEdit->setText(QStringLiteral("O'X"));
  run.Form->close();

  run.Start();
  QCOMPARE(run.Ui().VersionCB->currentText(), QStringLiteral("11.2"));
  QCOMPARE(run.Ui().PrefCB->currentText(), QStringLiteral("TNS"));
  QCOMPARE(run.Ui().eCodeEdit->text(), QStringLiteral("O'X"));
  run.Ui().VersionCB->setCurrentIndex(0);
  run.Ui().PrefCB->setCurrentIndex(0);
  run.Ui().eCodeEdit->clear();
  run.Form->close();

  run.Start();
  QCOMPARE(run.Ui().VersionCB->currentIndex(), 0);
  QCOMPARE(run.Ui().PrefCB->currentIndex(), 0);
  QVERIFY(run.Ui().eCodeEdit->text().isEmpty());
  QVERIFY(run.Shell.Messages.isEmpty());
}

QTEST_MAIN(MainFormStartQTest)
#include "MainFormStartQTest.moc"
