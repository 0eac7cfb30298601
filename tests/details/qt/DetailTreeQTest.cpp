#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QImage>
#include <QtTest>

#include "details/DetailTree.h"

namespace {

const QString kLongBody = QStringLiteral(
    "The statement named a table or view that is missing, or one that exists but that the "
    "current user has no privilege to see; check the spelling, the schema and the grants, "
    "then run the statement again after the object has been created.");

std::vector<TDetData> Rows(const QString& body) {
  return {{true, "ORA-00942"}, {false, body}, {true, "Cause"}, {false, "short"}};
}

// The leftmost column in the band [top, bottom) where anything but the background is drawn.
int FirstInkColumn(const QImage& image, int top, int bottom) {
  const QRgb background = image.pixel(image.width() - 1, top);
  for (int x = 0; x < image.width(); ++x) {
    for (int y = top; y < bottom; ++y) {
      if (image.pixel(x, y) != background) {
        return x;
      }
    }
  }
  return -1;
}

}  // namespace

class DetailTreeQTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    View = std::make_unique<TDetailTree>();
    View->resize(400, 500);
    View->show();
    QVERIFY(QTest::qWaitForWindowExposed(View.get()));
  }
  void cleanup() { View.reset(); }

  void modelPassesTheTester() {
    QAbstractItemModelTester tester(View->model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    View->SetRows(Rows(kLongBody));
    QCOMPARE(View->model()->rowCount(), 4);
    QCOMPARE(View->model()->index(0, TDetailModel::TextColumn).data().toString(), "ORA-00942");
    QCOMPARE(View->model()->index(0, TDetailModel::LeadColumn).data().toString(), "");
    QCOMPARE(View->model()->index(1, TDetailModel::TextColumn).data().toString(), "");
    QCOMPARE(View->model()->index(1, TDetailModel::LeadColumn).data().toString(), kLongBody);
    View->Clear();
    QVERIFY(View->Rows().empty());
  }

  void leadColumnFirstAndTextColumnTakesTheRest() {
    QHeaderView* header = View->header();
    QVERIFY(header->isHidden());
    QCOMPARE(header->visualIndex(TDetailModel::LeadColumn), 0);
    QCOMPARE(header->sectionSize(TDetailModel::LeadColumn), 30);
    QCOMPARE(header->sectionViewportPosition(TDetailModel::TextColumn), 30);
    QCOMPARE(header->length(), View->viewport()->width());
    QCOMPARE(View->selectionMode(), QAbstractItemView::ExtendedSelection);
  }

  void headingsAreFifteenPixels() {
    View->SetRows(Rows(QStringLiteral("short")));
    QCOMPARE(View->visualRect(View->model()->index(0, 0)).height(), 15);
    QCOMPARE(View->visualRect(View->model()->index(2, 0)).height(), 15);
  }

  void headingTextStartsThirtyPixelsFurtherIn() {
    View->SetRows(Rows(QStringLiteral("short")));
    const QImage image = View->viewport()->grab().toImage();
    const QRect heading = View->visualRect(View->model()->index(0, 0));
    const QRect body = View->visualRect(View->model()->index(1, 1));
    const int headingInk = FirstInkColumn(image, heading.top(), heading.bottom());
    const int bodyInk = FirstInkColumn(image, body.top(), body.bottom());
    QVERIFY2(bodyInk >= 5 && bodyInk < 10, qPrintable(QString::number(bodyInk)));
    QVERIFY2(headingInk >= 35 && headingInk < 40, qPrintable(QString::number(headingInk)));
  }

  void bodiesWrapAndBreakIntoTallerRows() {
    const QFontMetrics metrics(View->font());
    View->SetRows({{true, "A"},
                   {false, kLongBody},
                   {true, "B"},
                   {false, "one\ntwo\nthree"},
                   {true, "C"},
                   {false, "single line"},
                   {true, "D"},
                   {false, ""}});
    const auto height = [this](int row) {
      return View->visualRect(View->model()->index(row, 1)).height();
    };
    QVERIFY2(height(1) > 3 * metrics.lineSpacing(), qPrintable(QString::number(height(1))));
    QVERIFY(height(3) >= 3 * metrics.height() - 3);
    QVERIFY(height(3) < 4 * metrics.lineSpacing());
    QCOMPARE(height(5), metrics.height());
    QCOMPARE(height(7), metrics.height());
  }

  void heightsStayUntilTheNextLoad() {
    View->SetRows(Rows(kLongBody));
    const auto bodyHeight = [this] {
      return View->visualRect(View->model()->index(1, 1)).height();
    };
    const int narrow = bodyHeight();
    View->resize(1200, 500);
    QCOMPARE(bodyHeight(), narrow);
    View->SetRows(Rows(kLongBody));
    QVERIFY(bodyHeight() < narrow);
  }

 private:
  std::unique_ptr<TDetailTree> View;
};

QTEST_MAIN(DetailTreeQTest)
#include "DetailTreeQTest.moc"
