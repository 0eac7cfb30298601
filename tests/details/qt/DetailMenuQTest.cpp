#include <QClipboard>
#include <QMimeData>
#include <QtTest>

#include "details/ClipboardCopy.h"
#include "details/DetailLoader.h"
#include "details/DetailMenu.h"
#include "details/DetailTree.h"
#include "platform/AnsiText.h"
#include "tests/details/qt/DetailFixture.h"

class DetailMenuQTest : public QObject {
  Q_OBJECT

 private slots:
  void entriesInOrder() {
    TDetailMenu menu;
    QCOMPARE(menu.objectName(), "DetPop");
    const QList<QAction*> actions = menu.actions();
    QCOMPARE(actions.size(), 3);
    QCOMPARE(actions[0], menu.CopyAction());
    QCOMPARE(actions[0]->objectName(), "cop2clip1");
    QCOMPARE(actions[0]->text(), "Copy to clipboard");
    QCOMPARE(actions[1]->objectName(), "N1");
    QVERIFY(actions[1]->isSeparator());
    QCOMPARE(actions[2], menu.CommentAction());
    QCOMPARE(actions[2]->objectName(), "editcomm");
    QCOMPARE(actions[2]->text(), "Add/Edit Comment");
  }

  void commandsNeedRowsInBothLists_data() {
    QTest::addColumn<int>("resultRows");
    QTest::addColumn<int>("detailRows");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("both empty") << 0 << 0 << false;
    QTest::newRow("results, detail emptied") << 3 << 0 << false;
    QTest::newRow("no results, stale detail") << 0 << 6 << false;
    QTest::newRow("message shown") << 1 << 6 << true;
  }
  void commandsNeedRowsInBothLists() {
    QFETCH(int, resultRows);
    QFETCH(int, detailRows);
    QFETCH(bool, enabled);
    TDetailMenu menu;
    // From the opposite state, so that each case has to change something.
    menu.EnableCommands(enabled ? 0 : 1, enabled ? 0 : 1);
    menu.EnableCommands(resultRows, detailRows);
    QCOMPARE(menu.CopyAction()->isEnabled(), enabled);
    QCOMPARE(menu.CommentAction()->isEnabled(), enabled);
  }

  void copiesEveryRowWhateverIsSelected() {
    TDetailFixture data;
    const TResData record = data.Record("10.2", "TNS", "12154");
    TDetailTree view;
    view.SetRows(LoadDetails(data.DB, record, "My Comment").Rows);
    view.selectionModel()->select(view.model()->index(2, 0),
                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
    CopyDetailsToClipboard(view.Rows());
    QCOMPARE(QGuiApplication::clipboard()->text(),
             "TNS-12154\ncould not resolve the connect identifier specified\nCause\nThe alias "
             "was not found by any naming method.\nAction\nCheck the alias in the naming "
             "configuration.\n");

    data.AddComment(record.pk, "see tnsnames.ora");
    view.SetRows(LoadDetails(data.DB, record, "My Comment").Rows);
    CopyDetailsToClipboard(view.Rows());
    const QString copied = QGuiApplication::clipboard()->text();
    QCOMPARE(copied.count(u'\n'), 8);
    QVERIFY(copied.endsWith("My Comment\nsee tnsnames.ora\n"));
  }

  void bodyLineBreaksAndWideCharactersAreKept() {
    const QString body = QString::fromUtf8("erste Zeile\r\nzweite 𝄞\n");
    CopyDetailsToClipboard({{true, "ORA-00942"}, {false, body}});
    const QString expected = "ORA-00942\n" + body + "\n";
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    QVERIFY(copied != nullptr);
    QCOMPARE(copied->text(), expected);
    QCOMPARE(copied->data("text/plain;charset=utf-8"), expected.toUtf8());
    const std::string ansi = Platform::WideToAnsi(expected.toStdU16String());
    QCOMPARE(copied->data("text/plain"), QByteArray::fromStdString(ansi));
  }
};

QTEST_MAIN(DetailMenuQTest)
#include "DetailMenuQTest.moc"
