// The result list widget: column limits, fitting, focus, incremental search, tool tips.
#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QSignalSpy>
#include <QToolTip>
#include <QtTest>

#include "search/ResultTree.h"

namespace {

std::vector<TResData> Messages() {
  std::vector<TResData> records;
  records.push_back({1, "10.2", "ORA", "00942", QStringLiteral("table or view does not exist")});
  records.push_back({2, "10.2", "ORA", "01017", QStringLiteral("invalid username/password")});
  records.push_back({3, "11.2", "ORA", "28000", QStringLiteral("the account is locked")});
  records.push_back({4, "11.2", "TNS", "12154", QStringLiteral("could not resolve")});
  return records;
}

QStringList Codes(const TResultTree& tree) {
  QStringList codes;
  for (int row = 0; row < tree.Model()->rowCount(); ++row) {
    codes << tree.Model()->index(row, TResultModel::CodeColumn).data().toString();
  }
  return codes;
}

}  // namespace

class ResultTreeQTest : public QObject {
  Q_OBJECT

 private slots:
  void ColumnsStartAtTheirWidthsAndStayWithinLimits() {
    TResultTree tree;
    const int start[] = {5, 50, 100, 300};
    for (int column = 0; column < 4; ++column) {
      QCOMPARE(tree.columnWidth(column), start[column]);
    }
    QCOMPARE(tree.header()->sectionResizeMode(0), QHeaderView::Fixed);
    QCOMPARE(tree.header()->sectionResizeMode(3), QHeaderView::Interactive);
    QVERIFY(!tree.header()->stretchLastSection());
    QVERIFY(!tree.header()->sectionsMovable());
    tree.header()->resizeSection(1, 200);
    QCOMPARE(tree.columnWidth(1), 60);
    tree.header()->resizeSection(2, 20);
    QCOMPARE(tree.columnWidth(2), 100);
    tree.header()->resizeSection(3, 420);
    QCOMPARE(tree.columnWidth(3), 420);
    tree.header()->resizeSection(3, 900);
    QCOMPARE(tree.columnWidth(3), 500);
    tree.header()->resizeSection(3, 299);
    QCOMPARE(tree.columnWidth(3), 300);
  }

  void FittingUsesTheWidestCellWithinLimits() {
    TResultTree tree;
    tree.SetRecords(Messages());
    tree.FitColumnsToContents();
    QCOMPARE(tree.columnWidth(1), 50);
    QCOMPARE(tree.columnWidth(2), 100);

    std::vector<TResData> wide = Messages();
    wide[2].vers = std::string(40, 'W');
    wide[3].pref = "ABCDEFGHIJ";
    tree.SetRecords(std::move(wide));
    tree.FitColumnsToContents();
    QCOMPARE(tree.columnWidth(1), 60);
    QVERIFY(tree.columnWidth(2) > 100);
    QVERIFY(!tree.IsCellTextCut(tree.Model()->index(3, TResultModel::CodeColumn)));

    tree.Clear();
    tree.FitColumnsToContents();
    QCOMPARE(tree.columnWidth(1), 50);
    QCOMPARE(tree.columnWidth(2), 100);
  }

  void DoubleClickOnADividerFitsTheColumn() {
    TResultTree tree;
    std::vector<TResData> records = Messages();
    records[0].vers = std::string(40, 'W');
    tree.SetRecords(std::move(records));
    tree.resize(600, 200);
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    QHeaderView* header = tree.header();
    const QPoint divider(header->sectionViewportPosition(1) + header->sectionSize(1) - 1,
                         header->height() / 2);
    QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, divider);
    QCOMPARE(tree.columnWidth(1), 60);
  }

  void HeaderClickLeavesTheOrderAlone() {
    TResultTree tree;
    QAbstractItemModelTester tester(tree.Model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    tree.SetRecords(Messages());
    const QStringList before = Codes(tree);
    tree.resize(600, 200);
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    QHeaderView* header = tree.header();
    for (int column = 1; column < 4; ++column) {
      const QPoint middle(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                          header->height() / 2);
      QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, middle);
      QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, middle);
    }
    QCOMPARE(Codes(tree), before);
    QVERIFY(!header->isSortIndicatorShown());
  }

  void FocusFollowsTheCurrentRow() {
    TResultTree tree;
    QSignalSpy focused(&tree, &TResultTree::FocusedRecordChanged);
    tree.FocusFirstRow();  // an empty list has no row to focus
    QCOMPARE(focused.count(), 0);
    QVERIFY(tree.FocusedRecord() == nullptr);

    tree.SetRecords(Messages());
    tree.FocusFirstRow();
    QCOMPARE(focused.count(), 1);
    QCOMPARE(focused.last().at(0).value<const TResData*>(), tree.Model()->Record(0));
    QCOMPARE(tree.FocusedRecord()->pk, 1);
    // The whole row is selected, and only that row.
    QCOMPARE(tree.selectionModel()->selectedIndexes().size(), 4);

    tree.setCurrentIndex(tree.Model()->index(2, TResultModel::MessageColumn));
    QCOMPARE(tree.FocusedRecord()->pk, 3);
    QCOMPARE(tree.selectionModel()->selectedRows().size(), 1);

    tree.Clear();
    QCOMPARE(focused.last().at(0).value<const TResData*>(), nullptr);
    QVERIFY(tree.FocusedRecord() == nullptr);
  }

  void TypedKeysMoveToAMatchingRow() {
    TResultTree tree;
    tree.SetRecords(Messages());
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    tree.FocusFirstRow();
    // Keys typed in quick succession build one text: "o" alone would stop at ORA-01017.
    QTest::keyClicks(&tree, QStringLiteral("ora-2"));
    QCOMPARE(tree.FocusedRecord()->pk, 3);
    // A text that matches nothing leaves the focus where it is.
    QTest::keyClicks(&tree, QStringLiteral("x"));
    QCOMPARE(tree.FocusedRecord()->pk, 3);
    // A search in the message column once the focus is there.
    tree.Clear();
    tree.SetRecords(Messages());
    tree.setCurrentIndex(tree.Model()->index(0, TResultModel::MessageColumn));
    QTest::keyClicks(&tree, QStringLiteral("COULD"));
    QCOMPARE(tree.FocusedRecord()->pk, 4);
  }

  void CutOffCellsShowTheirWholeTextAsToolTip() {
    TResultTree tree;
    std::vector<TResData> records = Messages();
    const QString longText = QStringLiteral("a message far too long for its column ").repeated(8);
    records[0].msg = longText;
    tree.SetRecords(std::move(records));
    tree.resize(600, 200);
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    const QModelIndex cut = tree.Model()->index(0, TResultModel::MessageColumn);
    const QModelIndex whole = tree.Model()->index(1, TResultModel::MessageColumn);
    QVERIFY(tree.IsCellTextCut(cut));
    QVERIFY(!tree.IsCellTextCut(whole));

    const QPoint at = tree.visualRect(cut).center();
    QHelpEvent help(QEvent::ToolTip, at, tree.viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(tree.viewport(), &help);
    QTRY_COMPARE(QToolTip::text(), longText);

    const QPoint shortAt = tree.visualRect(whole).center();
    QHelpEvent none(QEvent::ToolTip, shortAt, tree.viewport()->mapToGlobal(shortAt));
    QCoreApplication::sendEvent(tree.viewport(), &none);
    QTRY_VERIFY(!QToolTip::isVisible());
  }
};

QTEST_MAIN(ResultTreeQTest)
#include "ResultTreeQTest.moc"
