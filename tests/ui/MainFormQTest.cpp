// The main window on data files staged for each case: what start-up leaves after each outcome,
// the criteria kept between runs, searching, the detail view and its menu, captions, layout;
// and the real shell's boxes and termination request.
#include <QtTest>
#include <QtWidgets>
#include <filesystem>
#include <fstream>
#include <optional>

#include "details/DetailMenu.h"
#include "details/DetailTree.h"
#include "search/ResultTree.h"
#include "tests/app/DataFileEdits.h"
#include "tests/support/ClipboardText.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ProgramDirectory.h"
#include "tests/support/ScriptedShell.h"
#include "ui/AboutUnit.h"
#include "ui/MainUnit.h"
#include "ui/QtUserShell.h"
#include "ui/StatusPanel.h"

namespace {

using TResult = TCommentDialogAnswer::TResult;

// Notes the status caption at the moment each message is shown.
struct TWindowShell : TScriptedShell {
  void ShowMessage(const QString& text) override {
    StatusAtMessage.append(Panel != nullptr ? Panel->Caption() : QString());
    TScriptedShell::ShowMessage(text);
  }
  const TStatusPanel* Panel = nullptr;
  QStringList StatusAtMessage;
};

QStringList Texts(const TDetailTree* view) {
  QStringList texts;
  for (const TDetData& row : view->Rows()) {
    texts.append(row.Text);
  }
  return texts;
}

QList<QAbstractItemView*> Lists(const TMainControls& ui) {
  return {ui.ResultTree, ui.DetTree};
}

// Opens the context menu in the result list, then in the detail view, the way a right click
// does; for each, whether it opened at the pointer with both commands enabled.
QList<bool> MenuStates(const TMainControls& ui) {
  QList<bool> states;
  for (QAbstractItemView* list : Lists(ui)) {
    const QPoint at(10, 10);
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &click);
    states.append(ui.DetPop->isVisible() && ui.DetPop->pos() == click.globalPos() &&
                  ui.DetPop->CopyAction()->isEnabled() && ui.DetPop->CommentAction()->isEnabled());
    ui.DetPop->hide();
  }
  return states;
}

struct TBoxSeen {
  QString Title, Text;
  QMessageBox::Icon Icon = QMessageBox::NoIcon;
  qsizetype Buttons = 0;
  bool operator==(const TBoxSeen&) const = default;
};

// Notes the look of the real shell's box that is up, if any, then answers it with `key`.
std::optional<TBoxSeen> AnswerBox(Qt::Key key) {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr) {
    return std::nullopt;
  }
  TBoxSeen seen{box->windowTitle(), box->text(), box->icon(), box->buttons().size()};
  QTest::keyClick(box, key);
  return seen;
}

const char* const kMinVersion21 = "UPDATE sys_data SET value='21' WHERE param='min_req_exe_vers'";
const char* const kTooOld = "E: Can't load error messages form file. Program's version too old.";
#ifdef Q_OS_WIN
const char* const kNoEngine = "ERROR: sqlite3.dll not found";
#else
const char* const kNoEngine = "ERROR: libsqlite3.so.0 not found";
#endif

// The captions in the order the window's translation is read back, each with a German text.
const char* const kEnglish =
    "Find| Search criteria |Oracle version|Error prefix|Error Code|Error Message|My Comment|"
    "About|Version|Code|Message|Add/Edit Comment|Copy to clipboard|Delete|Cancel|Save|Cause";
const char* const kGerman =
    "Suchen| Suchkriterien |Stand|Vorsilbe|Nummer|Meldungstext|Mein Kommentar|Über|Ausgabe|"
    "Kennung|Meldung|Kommentieren|Kopieren|Löschen|Abbrechen|Speichern|Ursache";

}  // namespace

class MainFormQTest : public QObject {
  Q_OBJECT
  std::optional<TTempProgramDirectory> Dir;
  std::unique_ptr<TWindowShell> Shell;
  std::unique_ptr<TMainForm> Form;
  const TMainControls* Ui = nullptr;

  // Stages the data file, runs `change` on it ("-" removes it, "garbage" overwrites it with text,
  // anything else is SQL) and, if asked, opens the window.
  void Start(const TCatalogue& catalogue = SmallCatalogue(), const QString& change = {},
             bool engine = true, bool open = true) {
    Dir.emplace(engine);
    Dir->WriteDataFile(catalogue);
    if (change == "-") {
      std::filesystem::remove(Dir->DataFile());
    } else if (change == "garbage") {
      std::ofstream(Dir->DataFile(), std::ios::binary | std::ios::trunc) << std::string(4096, 'g');
    } else if (!change.isEmpty()) {
      QVERIFY(ChangeDataFile(Dir->DataFile(), change.toStdString()));
    }
    if (open) {
      Open();
    }
  }
  void Open() {
    Form = std::make_unique<TMainForm>(*Shell);
    Ui = &Form->Controls();
    Shell->Panel = Ui->SBar;
    Form->show();
    QVERIFY(QTest::qWaitForWindowActive(Form.get()));
  }
  void Search(const QString& code) {
    Ui->eCodeEdit->setText(code);
    Ui->FindBtn->click();
  }

 private slots:
  void init() { Shell = std::make_unique<TWindowShell>(); }
  void cleanup() {
    Form.reset();
    Dir.reset();
  }

  void StartUpOutcomes_data() {
    QTest::addColumn<QString>("change");  // run on the data file; "-" removes it
    QTest::addColumn<bool>("engine");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("terminations");
    QTest::addColumn<QList<int>>("listed");  // entries in the version and prefix lists
    const QList<int> none{0, 0};
    QTest::newRow("no engine") << "" << false << kNoEngine << false << 0 << none;
    QTest::newRow("no data file") << "-" << true << "ERROR: tolv2_msg.db not found" << false << 0
                                  << none;
    QTest::newRow("no min version") << "DELETE FROM sys_data WHERE param='min_req_exe_vers'" << true
                                    << "E: Datafile is broken" << true << 1 << QList<int>{3, 4};
    QTest::newRow("min version 21")
        << kMinVersion21 << true << kTooOld << true << 1 << QList<int>{3, 4};
    QTest::newRow("version list fails")
        << "DROP TABLE version" << true << "ERROR: no such table: version" << true << 0 << none;
    QTest::newRow("prefix list fails")
        << "DROP TABLE prefix" << true << "ERROR: no such table: prefix" << true << 0
        << QList<int>{3, 0};
  }
  void StartUpOutcomes() {
    QFETCH(QString, change);
    QFETCH(bool, engine);
    QFETCH(QString, message);
    Start(SmallCatalogue(), change, engine);
    QCOMPARE(Shell->Messages, QStringList{message});
    QTEST(Ui->MainGB->isEnabled(), "enabled");
    QTEST(Shell->TerminationRequests, "terminations");
    QTEST((QList<int>{Ui->VersionCB->count(), Ui->PrefCB->count()}), "listed");
    QCOMPARE(std::filesystem::exists(Dir->DataFile()), change != "-");  // none created
    // A list that failed leaves the group usable, but start-up stopped before the row limit,
    // so every search ends in a bare " LIMIT " and fails.
    if (Ui->MainGB->isEnabled() && Shell->TerminationRequests == 0) {
      QCOMPARE(Form->MaxFetchRows(), QString());
      Search(QStringLiteral("00942"));
      QCOMPARE(Shell->Messages.size(), 2);
      QVERIFY2(Shell->Messages[1].startsWith("ERROR (MS): "), qPrintable(Shell->Messages[1]));
      QCOMPARE(Ui->SBar->Caption(), QStringLiteral("Search failed"));
    }
  }

  // In a program folder whose name goes beyond the 16-bit range, which the file's name must
  // keep to be found, opened and written.
  void CriteriaSurviveCloseAndRestart() {
    Dir.emplace(true, u8" Tools \U0001F4E6 \U0002000B Tolvane");
    {
      // Built elsewhere, so that only the window's own opening meets the name.
      TTempProgramDirectory plain;
      plain.WriteDataFile(SmallCatalogue());
      std::filesystem::copy_file(plain.DataFile(), Dir->Path() / "tolv2_msg.db");
    }
    Open();
    QCOMPARE(Ui->VersionCB->count(), 3);
    Ui->VersionCB->setCurrentIndex(2);
    Ui->PrefCB->setCurrentIndex(2);
    Ui->eCodeEdit->setText(QStringLiteral("O'X"));
    for (const QStringList& expected : {QStringList{"11.2", "TNS", "O'X"}, {"", "", ""}}) {
      Form->close();
      Open();
      QCOMPARE((QStringList{Ui->VersionCB->currentText(), Ui->PrefCB->currentText(),
                            Ui->eCodeEdit->text()}),
               expected);
      Ui->VersionCB->setCurrentIndex(0);
      Ui->PrefCB->setCurrentIndex(0);
      Ui->eCodeEdit->clear();
    }
    QVERIFY(Shell->Messages.isEmpty());
  }

  void SearchOutcomesAndAClosingDuringOne() {
    Start();
    // The prefix the search selects is no choice of the user's, so the focus stays put.
    QSignalSpy userChoices(Ui->PrefCB, &QComboBox::activated);
    QTest::keyClicks(Ui->eCodeEdit, QStringLiteral("ora-00942"));
    QTest::keyClick(Ui->eCodeEdit, Qt::Key_Return);
    QCOMPARE((QStringList{Ui->PrefCB->currentText(), Ui->eCodeEdit->text(), Ui->SBar->Caption()}),
             (QStringList{"ORA", "00942", "Found 2 record(s)"}));
    QCOMPARE(userChoices.count(), 0);
    QCOMPARE(Ui->ResultTree->currentIndex().row(), 0);
    QCOMPARE(QApplication::focusWidget(), Ui->ResultTree);
    Search(QStringLiteral("99999"));
    QCOMPARE(Ui->SBar->Caption(), QStringLiteral("Not found"));
    QCOMPARE(QApplication::focusWidget(), Ui->eCodeEdit);
    // Enter in the other two edits searches as well; then a search without criteria leaves
    // the status and the focus as they were.
    Ui->eCodeEdit->clear();
    const std::pair<QLineEdit*, const char*> enters[] = {{Ui->eMsgEdit, "Found 1 record(s)"},
                                                         {Ui->CommEdit, "Not found"}};
    for (const auto& [edit, status] : enters) {
      edit->setFocus();
      QTest::keyClicks(edit, QStringLiteral("account"));
      QTest::keyClick(edit, Qt::Key_Enter);
      QCOMPARE(Ui->SBar->Caption(), QLatin1String(status));
      edit->clear();
    }
    Ui->eMsgEdit->setFocus();
    QTest::keyClicks(Ui->eMsgEdit, QStringLiteral("   "));
    QTest::keyClick(Ui->eMsgEdit, Qt::Key_Return);
    QCOMPARE(Shell->Messages, QStringList{"Please, enter search criteria"});
    QCOMPARE(Ui->SBar->Caption(), QStringLiteral("Not found"));
    QCOMPARE(QApplication::focusWidget(), Ui->eMsgEdit);
    QCoreApplication::postEvent(Form.get(), new QCloseEvent);  // ends the next search quietly
    Search(QStringLiteral("tns-12154"));
    QCOMPARE(Shell->Messages.size(), 1);
  }

  void FailedSearchReportsBeforeItsStatusAndDropsANestedEnter() {
    Start(SmallCatalogue(), "DROP TABLE usr_comment");
    Ui->CommEdit->setText(QStringLiteral("mine"));
    Ui->CommEdit->setFocus();
    // Arrives while the search lets the window paint its status.
    QCoreApplication::postEvent(Ui->CommEdit,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier));
    Ui->FindBtn->click();
    QCoreApplication::processEvents();
    QCOMPARE(Shell->Messages, QStringList{"ERROR (MS): no such table: usr_comment"});
    QCOMPARE(Shell->StatusAtMessage, QStringList{"Searching ..."});
    QCOMPARE(Ui->SBar->Caption(), QStringLiteral("Search failed"));
    QCOMPARE(QApplication::focusWidget(), Ui->CommEdit);
  }

  void ApostropheInTheDataAndColumnsWithinLimits() {
    TCatalogue catalogue = SmallCatalogue();
    catalogue.Versions.push_back(catalogue.Versions.front());
    catalogue.Versions.back().Name = "9'i Enterprise Edition Release";
    Start(catalogue);
    Ui->VersionCB->setCurrentIndex(3);
    Search(QStringLiteral("0"));
    QCOMPARE(Ui->SBar->Caption(), QStringLiteral("Found 3 record(s)"));
    const QHeaderView* header = Ui->ResultTree->header();
    QCOMPARE(header->sectionSize(TResultModel::VersionColumn), 60);
    const int code = header->sectionSize(TResultModel::CodeColumn);
    QVERIFY(code >= 100 && code <= 150);
  }

  void DetailsFollowTheFocusAndFeedTheMenu() {
    Start();
    QCOMPARE(MenuStates(*Ui), (QList<bool>{false, false}));
    Search(QStringLiteral("ora-0"));
    const QStringList rows = Texts(Ui->DetTree);
    QCOMPARE(rows.size(), 6);
    QCOMPARE(rows.mid(0, 3), (QStringList{"ORA-00942", "table or view does not exist", "Cause"}));
    QCOMPARE(MenuStates(*Ui), (QList<bool>{true, true}));
    QTest::keyClick(Ui->ResultTree, Qt::Key_Down);
    QCOMPARE(Texts(Ui->DetTree)[0], QStringLiteral("ORA-01017"));
    Search({});  // asks for criteria, but has cleared both lists first
    QVERIFY(Ui->DetTree->Rows().empty() && Ui->ResultTree->model()->rowCount() == 0);

    // The copy key in either list copies all the details, as the menu's command does, and
    // leaves the clipboard alone when there is nothing to copy.
    const QString copied = QStringLiteral(
        "SP2-0734\nunknown command beginning \"%s\"\nCause\nThe line did not start with a known "
        "command.\nAction\nCorrect the command and enter it again.\n");
    Search(QStringLiteral("sp2-0734"));
    Ui->DetPop->CopyAction()->trigger();
    QCOMPARE(ClipboardText(), copied);
    for (QAbstractItemView* list : Lists(*Ui)) {
      SetClipboardText(QStringLiteral("before"));
      list->setFocus();
      list->setCurrentIndex(list->model()->index(0, 0));
      QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
      QCOMPARE(ClipboardText(), copied);
    }
    Ui->DetTree->Clear();
    SetClipboardText(QStringLiteral("kept"));
    QTest::keyClick(Ui->ResultTree, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(ClipboardText(), QStringLiteral("kept"));
    Search(QStringLiteral("sp2-0734"));
    QCOMPARE(MenuStates(*Ui), (QList<bool>{true, true}));
    Shell->EditorAnswers.push_back({TResult::Save, QStringLiteral("alias typo")});
    Ui->DetPop->CommentAction()->trigger();
    QCOMPARE(Texts(Ui->DetTree).mid(6), (QStringList{"My Comment", "alias typo"}));

    // Rows in the result list, but the details failed to load.
    QVERIFY(ChangeDataFile(Dir->DataFile(), "DROP TABLE usr_comment"));
    Search(QStringLiteral("ora-00942"));
    QCOMPARE(Ui->ResultTree->model()->rowCount(), 2);
    QCOMPARE(Shell->Messages.last(), "ERROR (Com): no such table: usr_comment");
    QCOMPARE(MenuStates(*Ui), (QList<bool>{false, false}));
  }

  void TranslatedCaptionsLeaveFixedTextsEnglish() {
    // Every caption has a text of its own, so a translation on the wrong control shows.
    TCatalogue catalogue = WithSetting(SmallCatalogue(), "interface_lang", "DE");
    const QStringList english = QString::fromUtf8(kEnglish).split(u'|');
    const QStringList german = QString::fromUtf8(kGerman).split(u'|');
    for (qsizetype i = 0; i < english.size(); ++i) {
      catalogue.Translations["DE"].emplace_back(english[i].toStdString(), german[i].toStdString());
    }
    Start(catalogue);
    const QAbstractItemModel* results = Ui->ResultTree->model();
    const TCommDialogCaptions& dialog = Form->CommDialogCaptions();
    QStringList shown{Ui->FindBtn->text(), Ui->MainGB->title(), Ui->VerLab->text(),
                      Ui->ErrLab->text(),  Ui->CodLab->text(),  Ui->MsgLab->text(),
                      Ui->ComLab->text(),  Ui->AbtBtn->text()};
    for (int column :
         {TResultModel::VersionColumn, TResultModel::CodeColumn, TResultModel::MessageColumn}) {
      shown.append(results->headerData(column, Qt::Horizontal).toString());
    }
    shown << Ui->DetPop->CommentAction()->text() << Ui->DetPop->CopyAction()->text()
          << dialog.Delete << dialog.Cancel << dialog.Save;
    QCOMPARE(shown, german.mid(0, 16));
    Search(QStringLiteral("ora-00942"));
    Shell->EditorAnswers.push_back({TResult::Save, QStringLiteral("Größe: meins")});
    Ui->DetPop->CommentAction()->trigger();
    QCOMPARE(Shell->EditorRequests.at(0).SaveCaption, QStringLiteral("Speichern"));
    const QStringList rows = Texts(Ui->DetTree);
    QCOMPARE((QStringList{rows[2], rows[4], rows[6], Ui->SBar->Caption()}),
             (QStringList{"Cause", "Action", "Mein Kommentar", "Found 2 record(s)"}));
    // The window's Upper folds letters beyond ASCII as the typed words are folded.
    Ui->CommEdit->setText(QStringLiteral("größe"));
    Search({});
    QCOMPARE(Ui->SBar->Caption(), QStringLiteral("Found 1 record(s)"));
  }

  void ControlsButtonsAndAbout() {
    Start();
    // Only the result list and the detail view give or take room, the detail view down to a
    // sliver at the minimum; the About button keeps 10 pixels from the right edge. Each size
    // asked (none at first), then the size got:
    const std::pair<QSize, QSize> sizes[] = {
        {{}, {670, 471}}, {{1000, 700}, {1000, 700}}, {{300, 100}, {642, 271}}};
    for (const auto& [asked, size] : sizes) {
      if (asked.isValid()) {
        Form->resize(asked);
      }
      QCOMPARE(Form->size(), size);
      const int width = size.width(), height = size.height();
      QCOMPARE(Ui->BackMainPanel->geometry(), QRect(0, 0, width, 231));
      QCOMPARE(Ui->MainGB->geometry(), QRect(0, 0, 206, 231));
      QCOMPARE(Ui->ResultTree->geometry(), QRect(206, 0, width - 206, 231));
      QCOMPARE(Ui->DetTree->geometry(), QRect(0, 231, width, height - 252));
      QCOMPARE(Ui->SBar->geometry(), QRect(0, height - 21, width, 21));
      QCOMPARE(Ui->AbtBtn->geometry(), QRect(width - 76, 3, 66, 15));
    }
    // The keyboard's way round: the result list first, then the criteria, then the details.
    Ui->ResultTree->setFocus();
    QStringList tabOrder;
    for (int i = 0; i < 9; ++i) {
      tabOrder.append(QApplication::focusWidget()->objectName());
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(tabOrder, QStringLiteral("ResultTree VersionCB PrefCB eCodeEdit eMsgEdit CommEdit "
                                      "FindBtn DetTree ResultTree")
                           .split(' '));
    Ui->PrefCB->setFocus();
    QTest::keyClick(Ui->PrefCB, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), Ui->eCodeEdit);
    // A click in the About window opens the address only on the address, and each opening is a
    // fresh window. (Its keys and the prefix description's button: AccessibilityQTest.)
    QPointer<TAboutForm> shown;
    QStringList opened;
    const auto useAbout = [&] {
      auto* about = qobject_cast<TAboutForm*>(QApplication::activeModalWidget());
      if (about == nullptr) {
        return;
      }
      shown = about;
      about->OpenUrl = [&opened](const QUrl& url) {
        opened.append(url.toString());
        return true;
      };
      for (const char* name : {"TntLabel1", "TntLabel9", "TntLabel11"}) {
        QTest::mouseClick(about->findChild<QWidget*>(QLatin1String(name)), Qt::LeftButton);
      }
      about->close();
    };
    QTimer::singleShot(0, useAbout);
    Ui->AbtBtn->click();
    QCOMPARE(opened, QStringList{"https://tolvane.example.org/"});
    QTRY_VERIFY(shown.isNull());  // released once closed
    QTimer::singleShot(0, useAbout);
    Ui->AbtBtn->click();
    QCOMPARE(opened.size(), 2);
  }

  void ShellBoxes() {
    TQtUserShell shell;
    const QString error = QStringLiteral("ERROR (MS): it's\nbroken"),
                  ask = QStringLiteral("Delete?");
    TBoxSeen seen;
    const auto answerNext = [&seen](Qt::Key key) {
      QTimer::singleShot(0, [&seen, key] { seen = AnswerBox(key).value_or(TBoxSeen{}); });
    };
    answerNext(Qt::Key_Return);
    shell.ShowMessage(error);
    QVERIFY(seen == (TBoxSeen{"Tolvane 2", error, QMessageBox::NoIcon, 1}));
    answerNext(Qt::Key_Return);
    QVERIFY(shell.Confirm(ask));
    QVERIFY(seen == (TBoxSeen{"Confirm", ask, QMessageBox::Question, 2}));
    // Escape and the title bar's close button are a No, never a deletion.
    answerNext(Qt::Key_Escape);
    QVERIFY(!shell.Confirm(ask));
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    QVERIFY(!shell.Confirm(ask));
  }

  // The real shell: every box stays until answered, in order, then the program ends. After a
  // refused file it ends without running the close handler, so the file is not written; without
  // the engine the window stays until closed, and each failed save has its box.
  void ShellTerminationShowsEveryBoxAndSavesNothing_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("engine");
    QTest::addColumn<QStringList>("boxes");
    QStringList closedWithoutEngine{kNoEngine};
    for (int i = 0; i < 3; ++i) {
      closedWithoutEngine.append({"ERROR (SPu): ", "ERROR (SPi): "});
    }
    QTest::newRow("no engine, then closed") << "" << false << closedWithoutEngine;
    QTest::newRow("too new, no version table")
        << QString(kMinVersion21) + "; DROP TABLE version" << true
        << QStringList{kTooOld, "ERROR: no such table: version"};
    QTest::newRow("garbage") << "garbage" << true
                             << QStringList{"ERROR (LP): file is not a database",
                                            "E: Datafile is broken",
                                            "ERROR: file is not a database"};
  }
  void ShellTerminationShowsEveryBoxAndSavesNothing() {
    QFETCH(QString, change);
    QFETCH(bool, engine);
    Start(SmallCatalogue(), change, engine, false);
    const std::string before = FileBytes(Dir->DataFile());
    // Reads each box that is up when the timer looks, then answers it: a box that vanished on
    // its own is never seen.
    QStringList seen;
    QTimer answer;
    connect(&answer, &QTimer::timeout, [&seen] {
      if (const std::optional<TBoxSeen> box = AnswerBox(Qt::Key_Return)) {
        seen.append(box->Text);
      }
    });
    answer.start(20);
    TQtUserShell shell;
    auto form = std::make_unique<TMainForm>(shell);
    form->show();
    QCOMPARE(shell.TerminationRequested(), engine);
    if (!engine) {
      QTimer::singleShot(0, form.get(), &QWidget::close);
    }
    QCOMPARE(QApplication::exec(), 0);
    answer.stop();
    QTEST(seen, "boxes");
    form.reset();
    QCOMPARE(FileBytes(Dir->DataFile()), before);
  }
};

QTEST_MAIN(MainFormQTest)
#include "MainFormQTest.moc"
