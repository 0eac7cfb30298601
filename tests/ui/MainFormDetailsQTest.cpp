// The main window's wiring of the detail view, the shared context menu, the prefix list's
// buttons and the interface language: each handler reaches its component with the window's
// own data and shows the outcome where the user looks for it.
#include <QtTest>

#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QTimer>

#include "app/InterfaceLanguage.h"
#include "details/DetailMenu.h"
#include "details/DetailTree.h"
#include "search/ResultTree.h"
#include "tests/ui/MainFormFixture.h"
#include "ui/AboutUnit.h"

namespace {

using TResult = TCommentDialogAnswer::TResult;

// The sixteen translatable captions as the window shows them, in SetGuiLang's order.
std::vector<QString> ShownCaptions(const TMainForm& form) {
  const TMainControls& ui = form.Controls();
  const QAbstractItemModel* results = ui.ResultTree->model();
  std::vector<QString> shown{ui.FindBtn->text(), ui.MainGB->title(), ui.VerLab->text(),
                             ui.ErrLab->text(),  ui.CodLab->text(),  ui.MsgLab->text(),
                             ui.ComLab->text(),  ui.AbtBtn->text()};
  for (int column = 1; column <= 3; ++column) {
    shown.push_back(results->headerData(column, Qt::Horizontal).toString());
  }
  const TCommDialogCaptions& dialog = form.CommDialogCaptions();
  shown.insert(shown.end(), {ui.DetPop->CommentAction()->text(), ui.DetPop->CopyAction()->text(),
                             dialog.Delete, dialog.Cancel, dialog.Save});
  return shown;
}

QStringList Texts(const TDetailTree* view) {
  QStringList texts;
  for (const TDetData& row : view->Rows()) {
    texts.append(row.Text);
  }
  return texts;
}

// Opens the context menu the way a right click does, and reports whether both commands were
// enabled when it showed.
bool MenuCommandsEnabled(const TMainControls& ui, QAbstractItemView* list) {
  const QPoint at(10, 10);
  QContextMenuEvent click(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
  QApplication::sendEvent(list->viewport(), &click);
  const bool shown = ui.DetPop->isVisible();
  const bool copy = ui.DetPop->CopyAction()->isEnabled();
  const bool comment = ui.DetPop->CommentAction()->isEnabled();
  ui.DetPop->hide();
  return shown && copy == comment && copy;
}

}  // namespace

class MainFormDetailsQTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void FocusedMessageShowsAndASearchClearsIt();
  void SavedCommentShowsAfterTheEditorCloses();
  void MenuCommandsNeedAMessageShownFromEitherList();
  void CopyPutsEveryRowOnTheClipboard();
  void TranslatedCaptionsLeaveFixedTextsEnglish();
  void EnglishCaptionsWithoutALanguage();
  void PrefixListButtonsAndAbout();

 private:
  void Start(const TCatalogue& catalogue);
  void Search(const QString& code);

  std::unique_ptr<TWindowRun> Run;
  const TMainControls* Ui = nullptr;
};

void MainFormDetailsQTest::init() {
  Run = std::make_unique<TWindowRun>();
}

void MainFormDetailsQTest::cleanup() {
  Run.reset();
}

void MainFormDetailsQTest::Start(const TCatalogue& catalogue) {
  Run->Dir.WriteDataFile(catalogue);
  Run->Start();
  Ui = &Run->Ui();
  QVERIFY(QTest::qWaitForWindowActive(Run->Form.get()));
}

void MainFormDetailsQTest::Search(const QString& code) {
  Ui->eCodeEdit->setText(code);
  Ui->FindBtn->click();
}

void MainFormDetailsQTest::FocusedMessageShowsAndASearchClearsIt() {
  Start(SmallCatalogue());
  QVERIFY(Ui->DetTree->Rows().empty());
  Search(QStringLiteral("ora-0"));
  const QStringList first = Texts(Ui->DetTree);
  QCOMPARE(first.size(), 6);
  QCOMPARE(first[0], QStringLiteral("ORA-00942"));
  QCOMPARE(first[1], QStringLiteral("table or view does not exist"));
  QCOMPARE(first[3],
           QStringLiteral("The statement named a table or view that is missing or not visible "
                          "to you."));
  QTest::keyClick(Ui->ResultTree, Qt::Key_Down);
  QCOMPARE(Texts(Ui->DetTree)[0], QStringLiteral("ORA-01017"));
  Ui->eCodeEdit->clear();
  Ui->FindBtn->click();  // asks for criteria, but has cleared both views first
  QVERIFY(Ui->DetTree->Rows().empty());
  QCOMPARE(Run->Shell.Messages, QStringList{"Please, enter search criteria"});
}

void MainFormDetailsQTest::SavedCommentShowsAfterTheEditorCloses() {
  Start(SmallCatalogue());
  Search(QStringLiteral("tns-12154"));
  Run->Shell.EditorAnswers.push_back({TResult::Save, QStringLiteral("alias typo, again")});
  Ui->DetPop->CommentAction()->trigger();
  QCOMPARE(Run->Shell.EditorRequests.size(), std::size_t{1});
  QCOMPARE(Run->Shell.EditorRequests[0].Caption, QStringLiteral("My comment on: TNS-12154 (10.2)"));
  const QStringList rows = Texts(Ui->DetTree);
  QCOMPARE(rows.size(), 8);
  QCOMPARE(rows.mid(6), (QStringList{"My Comment", "alias typo, again"}));
  // A cancelled editor reloads all the same, and starts from the stored text.
  Ui->DetPop->CommentAction()->trigger();
  QCOMPARE(Run->Shell.EditorRequests[1].Text, QStringLiteral("alias typo, again"));
  QCOMPARE(Ui->DetTree->Rows().size(), std::size_t{8});
  QVERIFY(Run->Shell.Messages.isEmpty());
}

void MainFormDetailsQTest::MenuCommandsNeedAMessageShownFromEitherList() {
  Start(SmallCatalogue());
  QVERIFY(!MenuCommandsEnabled(*Ui, Ui->ResultTree));
  Search(QStringLiteral("00942"));
  QVERIFY(MenuCommandsEnabled(*Ui, Ui->ResultTree));
  QVERIFY(MenuCommandsEnabled(*Ui, Ui->DetTree));
  Search(QStringLiteral("99999"));
  QVERIFY(!MenuCommandsEnabled(*Ui, Ui->DetTree));
  // Rows in the result list, but the details failed to load.
  QVERIFY(ChangeDataFile(Run->Dir.DataFile(), "DROP TABLE usr_comment"));
  Search(QStringLiteral("00942"));
  QCOMPARE(Ui->ResultTree->model()->rowCount(), 2);
  QCOMPARE(Run->Shell.Messages.size(), 1);
  QVERIFY(Run->Shell.Messages[0].startsWith("ERROR (Com): "));
  QVERIFY(!MenuCommandsEnabled(*Ui, Ui->ResultTree));
  QVERIFY(!MenuCommandsEnabled(*Ui, Ui->DetTree));
}

void MainFormDetailsQTest::CopyPutsEveryRowOnTheClipboard() {
  Start(SmallCatalogue());
  Search(QStringLiteral("sp2-0734"));
  Ui->DetTree->selectionModel()->select(Ui->DetTree->model()->index(1, 0),
                                        QItemSelectionModel::Select);
  Ui->DetPop->CopyAction()->trigger();
  QCOMPARE(QGuiApplication::clipboard()->text(),
           QStringLiteral("SP2-0734\nunknown command beginning \"%s\"\nCause\nThe line did not "
                          "start with a known command.\nAction\nCorrect the command and enter it "
                          "again.\n"));
}

void MainFormDetailsQTest::TranslatedCaptionsLeaveFixedTextsEnglish() {
  TCatalogue catalogue = WithSetting(SmallCatalogue(), "interface_lang", "DE");
  catalogue.Translations["DE"] = {{"Find", "Suchen"},
                                  {"My Comment", "Mein Kommentar"},
                                  {"Version", "Ausgabe"},
                                  {"Add/Edit Comment", "Kommentar bearbeiten"},
                                  {"Copy to clipboard", "Kopieren"},
                                  {"Delete", "Löschen"},
                                  {"Cancel", "Abbrechen"},
                                  {"Save", "Speichern"}};
  Start(catalogue);
  std::vector<QString> expected = EnglishGuiCaptions();
  expected[0] = "Suchen";
  expected[6] = "Mein Kommentar";
  expected[8] = "Ausgabe";
  expected[11] = "Kommentar bearbeiten";
  expected[12] = "Kopieren";
  expected[13] = QStringLiteral("Löschen");
  expected[14] = "Abbrechen";
  expected[15] = "Speichern";
  QCOMPARE(ShownCaptions(*Run->Form), expected);

  Search(QStringLiteral("ora-00942"));
  QCOMPARE(Ui->SBar->Caption(), QStringLiteral("Found 2 record(s)"));
  Run->Shell.EditorAnswers.push_back({TResult::Save, QStringLiteral("meins")});
  Ui->DetPop->CommentAction()->trigger();
  const TCommentDialogRequest& request = Run->Shell.EditorRequests.at(0);
  QCOMPARE((QStringList{request.SaveCaption, request.CancelCaption, request.DeleteCaption}),
           (QStringList{"Speichern", "Abbrechen", QStringLiteral("Löschen")}));
  QVERIFY(request.Caption.startsWith("My comment on: "));
  const QStringList rows = Texts(Ui->DetTree);
  QCOMPARE((QStringList{rows[2], rows[4], rows[6]}),
           (QStringList{"Cause", "Action", "Mein Kommentar"}));
}

void MainFormDetailsQTest::EnglishCaptionsWithoutALanguage() {
  TCatalogue catalogue = SmallCatalogue();
  catalogue.Translations["DE"] = {{"Find", "Suchen"}};
  Start(catalogue);
  QCOMPARE(ShownCaptions(*Run->Form), EnglishGuiCaptions());
}

void MainFormDetailsQTest::PrefixListButtonsAndAbout() {
  Start(SmallCatalogue());
  Ui->PrefCB->setCurrentIndex(0);  // any prefix: nothing to describe
  Ui->TntSpeedButton1->click();
  QVERIFY(Run->Shell.Messages.isEmpty());
  // The user's arrow key moves on to the code edit.
  Ui->PrefCB->setFocus();
  QTest::keyClick(Ui->PrefCB, Qt::Key_Down);
  QCOMPARE(Ui->PrefCB->currentText(), QStringLiteral("ORA"));
  QCOMPARE(QApplication::focusWidget(), Ui->eCodeEdit);
  Ui->TntSpeedButton1->click();
  QCOMPARE(Run->Shell.Messages, QStringList{"Prefix description:\n\rOracle database server"});

  bool aboutShown = false;
  QTimer::singleShot(0, [&aboutShown] {
    auto* about = qobject_cast<TAboutForm*>(QApplication::activeModalWidget());
    aboutShown = about != nullptr;
    if (about != nullptr) {
      about->close();
    }
  });
  Ui->AbtBtn->click();
  QVERIFY(aboutShown);
}

QTEST_MAIN(MainFormDetailsQTest)
#include "MainFormDetailsQTest.moc"
