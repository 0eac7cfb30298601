// The result list's model: cell texts, alignment, captions, and the records' lifetime.
#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

#include "search/ResultModel.h"

namespace {

TResData Record(std::int32_t pk, std::string vers, std::string pref, std::string code,
                QString msg) {
  return {pk, std::move(vers), std::move(pref), std::move(code), std::move(msg)};
}

}  // namespace

class ResultModelQTest : public QObject {
  Q_OBJECT

 private slots:
  void CellsShowTheRecordFields() {
    TResultModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    std::vector<TResData> records;
    records.push_back(Record(7, "10.2", "ORA", "00942", QStringLiteral("table or view")));
    records.push_back(Record(8, "11.2\u00e9", "TNS", "", QStringLiteral("\u00fcber")));
    model.SetRecords(std::move(records));

    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.columnCount(), 4);
    QCOMPARE(model.index(0, 0).data().toString(), QString());
    QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("10.2"));
    QCOMPARE(model.index(0, 2).data().toString(), QStringLiteral("ORA-00942"));
    QCOMPARE(model.index(0, 3).data().toString(), QStringLiteral("table or view"));
    // The 8-bit fields are read in the system's code page (UTF-8 here).
    QCOMPARE(model.index(1, 1).data().toString(), QStringLiteral("11.2\u00e9"));
    QCOMPARE(model.index(1, 2).data().toString(), QStringLiteral("TNS-"));
    QCOMPARE(model.index(1, 3).data().toString(), QStringLiteral("\u00fcber"));
    QCOMPARE(model.Record(1)->pk, 8);
    QVERIFY(model.Record(2) == nullptr);
    QVERIFY(model.Record(-1) == nullptr);
    QVERIFY(!model.index(0, 3).data(Qt::DecorationRole).isValid());
  }

  void ColumnsAreAlignedLeftCentreRightLeft() {
    TResultModel model;
    std::vector<TResData> records;
    records.push_back(Record(1, "v", "P", "1", QStringLiteral("m")));
    model.SetRecords(std::move(records));
    const Qt::Alignment expected[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight,
                                      Qt::AlignLeft};
    for (int column = 0; column < 4; ++column) {
      const auto alignment =
          model.index(0, column).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
      QCOMPARE(alignment & Qt::AlignHorizontal_Mask, expected[column]);
    }
  }

  void CaptionsCanBeTranslated() {
    TResultModel model;
    QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QString());
    QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("Version"));
    QCOMPARE(model.headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("Message"));
    QSignalSpy changed(&model, &QAbstractItemModel::headerDataChanged);
    QVERIFY(model.setHeaderData(2, Qt::Horizontal, QStringLiteral("Kode"), Qt::DisplayRole));
    QCOMPARE(model.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("Kode"));
    QCOMPARE(changed.count(), 1);
    QVERIFY(!model.setHeaderData(4, Qt::Horizontal, QStringLiteral("x"), Qt::DisplayRole));
    QVERIFY(!model.setHeaderData(1, Qt::Vertical, QStringLiteral("x"), Qt::DisplayRole));
    QVERIFY(!model.setHeaderData(1, Qt::Horizontal, QStringLiteral("x"), Qt::ToolTipRole));
    QCOMPARE(changed.count(), 1);
  }

  void ClearingReleasesEveryRecord() {
    TResultModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QString message = QStringLiteral("a message shared with the record ").repeated(2);
    std::vector<TResData> records;
    records.push_back(Record(1, "v", "P", "1", message));
    model.SetRecords(std::move(records));
    QVERIFY(!message.isDetached());
    model.SetRecords({});
    QVERIFY(message.isDetached());
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(model.Record(0) == nullptr);
  }
};

QTEST_GUILESS_MAIN(ResultModelQTest)
#include "ResultModelQTest.moc"
