// The search's widgets: the result list (cells, column limits, header, incremental search).
// The prefix list is Qt's own; what the window does with it is in MainFormQTest.
#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QSignalSpy>
#include <QtTest>

#include "platform/AnsiText.h"
#include "search/ResultTree.h"

namespace {

using TTester = QAbstractItemModelTester;

std::vector<TResData> Messages() {
  return {{1, "10.2", "ORA", "00942", "table or view does not exist"},
          {2, "10.2", "ORA", "01017", "invalid username/password"},
          {3, Platform::WideToAnsi(u"11.2\u00e9"), "ORA", "28000", "the account is locked"},
          {4, "11.2", "TNS", "", "could not resolve"}};
}

QStringList Row(const QAbstractItemModel& model, int row, int role = Qt::DisplayRole) {
  QStringList cells;
  for (int column = 0; column < model.columnCount(); ++column) {
    cells << model.index(row, column).data(role).toString();
  }
  return cells;
}

QStringList Headers(const QAbstractItemModel& model, int role) {
  QStringList captions;
  for (int column = 0; column < model.columnCount(); ++column) {
    captions << model.headerData(column, Qt::Horizontal, role).toString();
  }
  return captions;
}

}  // namespace

class SearchWidgetsQTest : public QObject {
  Q_OBJECT

 private slots:
  void CellsShowTheRecordsWhichClearingReleases() {
    TResultModel model;
    TTester tester(&model, TTester::FailureReportingMode::QtTest);
    std::vector<TResData> records = Messages();
    const QString message = QStringLiteral("shared with the record ").repeated(2);
    records[1].msg = message;
    model.SetRecords(std::move(records));
    QCOMPARE(model.rowCount(), 4);
    QCOMPARE(Row(model, 0), (QStringList{"", "10.2", "ORA-00942", "table or view does not exist"}));
    // The 8-bit fields are read in the system's code page (UTF-8 on Linux, 1252 under wine).
    QCOMPARE(Row(model, 2)[1], QStringLiteral("11.2\u00e9"));
    QCOMPARE(Row(model, 3)[2], "TNS-");
    QCOMPARE(model.Record(3)->pk, 4);
    QVERIFY(model.Record(4) == nullptr && model.Record(-1) == nullptr);
    QVERIFY(!message.isDetached());
    model.SetRecords({});
    QVERIFY(message.isDetached());
    QCOMPARE(model.rowCount(), 0);
  }

  // A screen reader reads each cell under its column's caption; the empty lead column, where
  // the focus lands after a search, reads the row's identity under the captions it combines.
  void ScreenReadersHearEveryCellAndTheRowsIdentity() {
    TResultModel model;
    TTester tester(&model, TTester::FailureReportingMode::QtTest);
    model.SetRecords(Messages());
    const int spoken = Qt::AccessibleTextRole;
    QCOMPARE(Row(model, 0, spoken), (QStringList{"ORA-00942 (10.2)", "10.2", "ORA-00942",
                                                 "table or view does not exist"}));
    QCOMPARE(Row(model, 3, spoken)[0], "TNS- (11.2)");
    QCOMPARE(TResultModel::RowIdentity(*model.Record(2)), QStringLiteral("ORA-28000 (11.2é)"));
    QCOMPARE(Row(model, 0)[0], QString());  // still nothing on screen
    QCOMPARE(Headers(model, spoken), (QStringList{"Code (Version)", "Version", "Code", "Message"}));
    // Translated captions: the lead column's spoken caption follows, and is announced as
    // changed; its visible caption stays empty.
    QSignalSpy changed(&model, &QAbstractItemModel::headerDataChanged);
    model.setHeaderData(TResultModel::CodeColumn, Qt::Horizontal, "Kennung", Qt::DisplayRole);
    model.setHeaderData(TResultModel::VersionColumn, Qt::Horizontal, "Ausgabe", Qt::DisplayRole);
    model.setHeaderData(TResultModel::MessageColumn, Qt::Horizontal, "Meldung", Qt::DisplayRole);
    QCOMPARE(Headers(model, spoken),
             (QStringList{"Kennung (Ausgabe)", "Ausgabe", "Kennung", "Meldung"}));
    QCOMPARE(Headers(model, Qt::DisplayRole)[0], QString());
    QCOMPARE(changed.size(), 3);
    for (int call = 0; call < 2; ++call) {
      QCOMPARE(changed[call][1].toInt(), TResultModel::LeadColumn);
    }
    QCOMPARE(changed[2][1].toInt(), TResultModel::MessageColumn);
  }

  void ColumnsStayWithinTheirLimits() {
    TResultTree tree;
    // {column, width asked for, width given}
    const int resizes[][3] = {
        {1, 200, 60}, {2, 20, 100}, {3, 420, 420}, {3, 900, 500}, {3, 299, 300}};
    for (const auto& [column, asked, given] : resizes) {
      tree.header()->resizeSection(column, asked);
      QCOMPARE(tree.columnWidth(column), given);
    }
  }

  void HeaderClicksDoNotSort() {
    TResultTree tree;
    TTester tester(tree.Model(), TTester::FailureReportingMode::QtTest);
    tree.SetRecords(Messages());
    tree.resize(600, 200);
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    QHeaderView* header = tree.header();
    for (int click = 2; click < 8; ++click) {  // twice on each column
      const int column = click / 2;
      QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                        {header->sectionViewportPosition(column) + 5, header->height() / 2});
    }
    for (int row = 0; row < 4; ++row) {
      QCOMPARE(tree.Model()->Record(row)->pk, row + 1);
    }
    QVERIFY(!header->isSortIndicatorShown());
  }

  void TypedKeysAccumulateUntilAPauseOfOverTwoSeconds() {
    TIncrementalSearch typed;
    QCOMPARE(typed.Feed("o", 100), "o");
    QCOMPARE(typed.Feed("r", 2100), "or");
    QVERIFY(!typed.StartedAfresh());
    QCOMPARE(typed.Feed("a", 4101), "a");
    QVERIFY(typed.StartedAfresh());
    // In the list, keys typed in quick succession build one text: "o" alone would stop at
    // ORA-01017.
    TResultTree tree;
    tree.SetRecords(Messages());
    tree.FocusFirstRow();
    QTest::keyClicks(&tree, "ora-2");
    QCOMPARE(tree.FocusedRecord()->pk, 3);
  }
};

QTEST_MAIN(SearchWidgetsQTest)
#include "SearchWidgetsQTest.moc"
