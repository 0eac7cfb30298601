// The window as a screen reader and a keyboard meet it, through Qt's accessibility layer (the
// real tree under AT-SPI is read by accessibility.sh): names taken from the captions in either
// language, the status bar named by the status, Shift+F10 in both lists, the shortcuts of the
// two buttons that take no focus, and closing the About window from the keyboard.
#include <QtTest>
#include <QtWidgets>
#include <optional>

#include "details/DetailMenu.h"
#include "details/DetailTree.h"
#include "search/ResultTree.h"
#include "tests/app/DataFileEdits.h"
#include "tests/support/ProgramDirectory.h"
#include "tests/support/ScriptedShell.h"
#include "ui/AboutUnit.h"
#include "ui/MainUnit.h"
#include "ui/StatusPanel.h"

namespace {

QAccessibleInterface* Accessible(QObject* object) {
  return QAccessible::queryAccessibleInterface(object);
}

QString Name(QObject* object) {
  return Accessible(object)->text(QAccessible::Name);
}

// The names of what labels `object` for a screen reader, in order.
QStringList LabelledBy(QObject* object) {
  QStringList labels;
  for (const auto& [label, relation] : Accessible(object)->relations(QAccessible::Label)) {
    labels.append(label->text(QAccessible::Name));
  }
  return labels;
}

}  // namespace

class AccessibilityQTest : public QObject {
  Q_OBJECT
  std::optional<TTempProgramDirectory> Dir;
  TScriptedShell Shell;
  std::unique_ptr<TMainForm> Form;
  const TMainControls* Ui = nullptr;

  // Opens the window on a small data file with these translations of the captions.
  void Open(const std::vector<std::pair<std::string, std::string>>& german = {}) {
    TCatalogue catalogue = SmallCatalogue();
    if (!german.empty()) {
      catalogue = WithSetting(catalogue, "interface_lang", "DE");
      catalogue.Translations["DE"] = german;
    }
    Dir.emplace();
    Dir->WriteDataFile(catalogue);
    Form = std::make_unique<TMainForm>(Shell);
    Ui = &Form->Controls();
    Form->show();
    QVERIFY(QTest::qWaitForWindowActive(Form.get()));
  }
  void Search(const QString& code) {
    Ui->eCodeEdit->setText(code);
    QTest::keyClick(Ui->eCodeEdit, Qt::Key_Return);
  }

 private slots:
  void cleanup() {
    Form.reset();
    Dir.reset();
    Shell = {};
  }

  // {English caption, translation}; the fields' names follow whatever their labels show,
  // except that a label with an '&' keeps it as written and names its field directly.
  void NamesFollowTheCaptions_data() {
    QTest::addColumn<QStringList>("translated");  // pairs: English, German
    QTest::addColumn<QStringList>("names");       // version, prefix, code, message, comment
    QTest::addColumn<QString>("about");
    QTest::addColumn<QString>("codeBuddy");  // "none" when the label has no buddy
    const QStringList english{"Oracle version", "Error prefix", "Error Code", "Error Message",
                              "My Comment"};
    QTest::newRow("English") << QStringList{} << english << "About"
                             << "Error Code";
    const QStringList german{"Oracle-Version", "Fehlerpräfix", "Fehlercode", "Fehlermeldung",
                             "Mein Kommentar"};
    QStringList pairs;
    for (qsizetype i = 0; i < english.size(); ++i) {
      pairs << english[i] << german[i];
    }
    QTest::newRow("German") << pairs + QStringList{"About", "Info"} << german << "Info"
                            << "Fehlercode";
    QStringList ampersand = german;
    ampersand[2] = "Fehler&code";
    pairs[5] = "Fehler&code";
    QTest::newRow("an ampersand") << pairs << ampersand << "About"
                                  << "none";
  }
  void NamesFollowTheCaptions() {
    QFETCH(QStringList, translated);
    QFETCH(QStringList, names);
    std::vector<std::pair<std::string, std::string>> german;
    for (qsizetype i = 0; i + 1 < translated.size(); i += 2) {
      german.emplace_back(translated[i].toStdString(), translated[i + 1].toStdString());
    }
    Open(german);
    const QList<std::pair<QLabel*, QWidget*>> fields = {{Ui->VerLab, Ui->VersionCB},
                                                        {Ui->ErrLab, Ui->PrefCB},
                                                        {Ui->CodLab, Ui->eCodeEdit},
                                                        {Ui->MsgLab, Ui->eMsgEdit},
                                                        {Ui->ComLab, Ui->CommEdit}};
    for (qsizetype i = 0; i < fields.size(); ++i) {
      const auto [label, field] = fields[i];
      QCOMPARE(label->text(), names[i]);
      // The pick lists are empty at first: on Linux Qt names a list by its current entry.
      QCOMPARE(Name(field), names[i]);
      if (label->buddy() != nullptr) {
        QCOMPARE(LabelledBy(field).value(0), names[i]);
      }
    }
    QTEST(Ui->CodLab->buddy() != nullptr ? Name(Ui->CodLab->buddy()) : QString("none"),
          "codeBuddy");
    // Without a buddy the '&' is drawn as written, as a plain label draws it.
    QLabel plain(Ui->CodLab->text(), Ui->MainGB);
    plain.setGeometry(Ui->CodLab->geometry());
    QCOMPARE(plain.grab().toImage(), Ui->CodLab->grab().toImage());
    for (QLineEdit* edit : {Ui->eCodeEdit, Ui->eMsgEdit, Ui->CommEdit}) {
      QCOMPARE(Accessible(edit)->text(QAccessible::Description), "Use % as a wild char");
    }
    const QList<std::pair<QObject*, QStringList>> fixed = {
        {Ui->TntSpeedButton1, {"Prefix description", "Shift+F1"}},
        {Ui->ResultTree, {"Search results", ""}},
        {Ui->DetTree, {"Message details", ""}},
        {Form.get(), {"Tolvane 2", ""}}};
    for (const auto& [object, texts] : fixed) {
      QCOMPARE((QStringList{Name(object), Accessible(object)->text(QAccessible::Description)}),
               texts);
    }
    QTEST(Name(Ui->AbtBtn), "about");
    QCOMPARE(Accessible(Ui->AbtBtn)->text(QAccessible::Description), "F1");
    // The keys a screen reader offers for pressing the buttons, also after a translation.
    const QString press = QAccessibleActionInterface::pressAction();
    for (const auto& [button, key] :
         {std::pair<QObject*, QString>{Ui->TntSpeedButton1, "Shift+F1"}, {Ui->AbtBtn, "F1"}}) {
      QCOMPARE(Accessible(button)->actionInterface()->keyBindingsForAction(press),
               QStringList{key});
    }
    QCOMPARE(Accessible(Form.get())->role(), QAccessible::Window);
    QCOMPARE(Accessible(Ui->SBar)->role(), QAccessible::StatusBar);
  }

  // The status bar is named by the status, which a screen reader hears as its change of name
  // (the event itself is read under AT-SPI by accessibility.sh: offscreen, Qt sends none).
  void TheStatusBarIsNamedByTheStatus() {
    Open();
    QCOMPARE(Name(Ui->SBar), QString());
    Search("99999");
    QCOMPARE(Name(Ui->SBar), "Not found");
    Search("ora-00942");
    QCOMPARE(Name(Ui->SBar), "Found 2 record(s)");
  }

  // Shift+F10 opens the shared menu at the focused row of either list, as the Menu key does.
  void ShiftF10OpensTheMenuAtTheFocusedRow() {
    Open();
    Search("ora-0");
    const QList<std::pair<QAbstractItemView*, int>> lists = {{Ui->ResultTree, 1}, {Ui->DetTree, 3}};
    for (const auto& [list, row] : lists) {
      list->setFocus();
      list->setCurrentIndex(list->model()->index(row, 0));
      QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
      QVERIFY(Ui->DetPop->isVisible());
      const QRect cell = list->visualRect(list->currentIndex());
      QCOMPARE(Ui->DetPop->pos(), list->viewport()->mapToGlobal(cell.center()));
      QVERIFY(Ui->DetPop->CommentAction()->isEnabled());
      Ui->DetPop->hide();
      QTest::keyClick(list, Qt::Key_F10);  // without Shift: nothing
      QVERIFY(!Ui->DetPop->isVisible());
    }
  }

  // The two buttons that take no focus answer their shortcuts: Shift+F1 the prefix
  // description, F1 the About window, which Escape leaves open and Alt+F4 or the platform's
  // close key closes.
  void ShortcutsReachTheButtonsAndTheKeyboardClosesAbout() {
    Open();
    Ui->PrefCB->setCurrentIndex(1);
    QTest::keyClick(Ui->eMsgEdit, Qt::Key_F1, Qt::ShiftModifier);
    QTRY_COMPARE(Shell.Messages, QStringList{"Prefix description:\n\rOracle database server"});
    QCOMPARE(QApplication::focusWidget(), Ui->eCodeEdit);  // where start-up put it
    const std::pair<Qt::Key, Qt::KeyboardModifiers> closers[] = {{Qt::Key_F4, Qt::AltModifier},
                                                                 {Qt::Key_W, Qt::ControlModifier}};
    for (const auto& [key, modifiers] : closers) {
      // The About window runs its own loop: a timer looks for it there.
      QStringList seen;
      QTimer look;
      connect(&look, &QTimer::timeout, [&look, &seen, key, modifiers] {
        auto* about = qobject_cast<TAboutForm*>(QApplication::activeModalWidget());
        if (about == nullptr) {
          return;
        }
        look.stop();
        QTest::keyClick(about, Qt::Key_Escape);
        seen << (about->isVisible() ? "open" : "closed");
        QTest::keyClick(about, key, modifiers);
        seen << (about->isVisible() ? "open" : "closed");
      });
      look.start(20);
      Form->activateWindow();  // offscreen, a closed dialog gives no activation back
      QVERIFY(QTest::qWaitForWindowActive(Form.get()));
      QTest::keyClick(Ui->eCodeEdit, Qt::Key_F1);
      QTRY_COMPARE(seen, (QStringList{"open", "closed"}));
    }
  }
};

QTEST_MAIN(AccessibilityQTest)
#include "AccessibilityQTest.moc"
