// The detail view, its context menu and the copy to the clipboard.

#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QMimeData>
#include <QScrollBar>
#include <QtTest>

#include "details/ClipboardCopy.h"
#include "details/DetailMenu.h"
#include "details/DetailTree.h"
#include "platform/AnsiText.h"
#include "tests/support/ClipboardText.h"

class DetailViewQTest : public QObject {
  Q_OBJECT

  // Shows `view` 400 pixels wide, its model checked for consistency for as long as it lives.
  static bool Show(TDetailTree& view, int height) {
    using enum QAbstractItemModelTester::FailureReportingMode;
    new QAbstractItemModelTester(view.model(), QtTest, &view);
    view.resize(400, height);
    view.show();
    return QTest::qWaitForWindowExposed(&view);
  }

 private slots:
  void commandsNeedRowsInBothLists() {
    TDetailMenu menu;
    // Each state differs from the one before, so that each has to change something.
    const struct {
      int Results, Details;
      bool Enabled;
    } states[] = {{0, 0, false}, {1, 6, true}, {3, 0, false}, {1, 6, true}, {0, 6, false}};
    for (const auto& state : states) {
      menu.EnableCommands(state.Results, state.Details);
      QCOMPARE(menu.CopyAction()->isEnabled(), state.Enabled);
      QCOMPARE(menu.CommentAction()->isEnabled(), state.Enabled);
    }
  }

  void copiesEveryRowWhateverIsSelected() {
    std::vector<TDetData> rows = {
        {true, "TNS-12154"}, {false, "could not resolve"},
        {true, "Cause"},     {false, QString::fromUtf8("erste Zeile\r\nzweite 𝄞\n")},
        {true, "Action"},    {false, "Check the alias."}};
    const QString expected = QString::fromUtf8(
        "TNS-12154\ncould not resolve\nCause\nerste Zeile\r\nzweite 𝄞\n\nAction\nCheck the "
        "alias.\n");
    TDetailTree view;
    view.SetRows(rows);
    view.selectionModel()->select(view.model()->index(2, 0),
                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
    CopyDetailsToClipboard(view.Rows());
    const std::string ansi = Platform::WideToAnsi(expected.toStdU16String());
#ifdef Q_OS_WIN
    // Written to the system's clipboard itself, as another program reads it.
    const TClipboardContents copied = ReadClipboard();
    QCOMPARE(QString::fromStdU16String(copied.UnicodeText), expected);
    QCOMPARE(copied.Text, ansi);
#else
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(copied->text(), expected);
    QCOMPARE(copied->data("text/plain;charset=utf-8"), expected.toUtf8());
    QCOMPARE(copied->data("text/plain"), QByteArray::fromStdString(ansi));
#endif
  }

  void bodiesWrapIntoTallerRowsAndHeadingsAreFifteenPixels() {
    TDetailTree view;
    QVERIFY(Show(view, 500));
    view.SetRows(
        {{true, "A"}, {false, QString("word ").repeated(40)}, {true, "C"}, {false, "single line"}});
    const auto height = [&view](int row) {
      return view.visualRect(view.model()->index(row, 1)).height();
    };
    const QFontMetrics metrics(view.font());
    QCOMPARE(height(0), 15);
    const QFont heading =
        view.model()->index(0, 0).data(Qt::FontRole).value<QFont>().resolve(view.font());
    QVERIFY(heading.bold() && heading.pointSize() == 10);
    QCOMPARE(view.visualRect(view.model()->index(0, TDetailModel::TextColumn)).x(), 30);
    QVERIFY2(height(1) > 3 * metrics.lineSpacing(), qPrintable(QString::number(height(1))));
    QCOMPARE(height(3), metrics.height());
    view.Clear();
    QVERIFY(view.Rows().empty());
  }

  // The focus may sit in either cell of a row, so both read the row's whole text to a screen
  // reader, line breaks kept; a heading says that it is one; the hidden header names nothing.
  // A body cut into pieces reads piece after piece, as it is shown.
  void screenReadersReadEveryRowWholeFromEitherCell() {
    QStringList trace;
    for (int line = 0; line < 450; ++line) {
      trace << QStringLiteral("at line %1").arg(line);
    }
    const QString comment = QStringLiteral("first line\r\nsecond\nthird ");
    TDetailModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.SetRows({{true, "ORA-00942"},
                   {false, "table or view does not exist"},
                   {true, "Cause"},
                   {false, trace.join('\n')},
                   {true, "Mein Kommentar"},
                   {false, comment}});
    QStringList read, shown, headings;
    for (int row = 0; row < model.rowCount(); ++row) {
      const QModelIndex lead = model.index(row, TDetailModel::LeadColumn);
      const QModelIndex text = model.index(row, TDetailModel::TextColumn);
      QCOMPARE(lead.data(Qt::AccessibleTextRole), text.data(Qt::AccessibleTextRole));
      QCOMPARE(lead.data(Qt::AccessibleDescriptionRole), text.data(Qt::AccessibleDescriptionRole));
      read << lead.data(Qt::AccessibleTextRole).toString();
      shown << lead.data().toString() + text.data().toString();
      if (text.data(Qt::AccessibleDescriptionRole).toString() == "heading") {
        headings << text.data(Qt::AccessibleTextRole).toString();
      }
    }
    QCOMPARE(read, shown);
    QCOMPARE(headings, (QStringList{"ORA-00942", "Cause", "Mein Kommentar"}));
    QCOMPARE(model.rowCount(), 8);  // the trace in three pieces of 200, 200 and 50 lines
    QCOMPARE(read.mid(3, 3).join('\n'), trace.join('\n'));
    QCOMPARE(read.last(), comment);
    for (int column = 0; column < 2; ++column) {
      for (int role : {int(Qt::DisplayRole), int(Qt::AccessibleTextRole)}) {
        QCOMPARE(model.headerData(column, Qt::Horizontal, role).toString(), QString());
      }
    }
  }

  // The view keeps row heights in 16 bits, and laying out a body takes time in proportion to
  // its length: a pasted trace of thousands of lines reads to its end, one of 50,000,000
  // characters (a comment read whole) to its first million and a note naming that limit. The
  // copy takes either whole.
  void longBodiesReadToTheirEndOrToANoteAndAreCopiedWhole() {
    QStringList lines;
    for (int line = 0; line < 5000; ++line) {
      lines << QStringLiteral("trace line %1").arg(line);
    }
    const QString trace = lines.join("\r\n");
    const QString huge = QString("word ").repeated(10'000'000);
    const struct {
      QString Body;
      QString Shown;      // the pieces the view shows, joined by
      QString Separator;  // what a cut at a line break left out
      QString Note;       // the last row shown, where the body was cut
      int Lines;          // at least
    } cases[] = {
        {trace, trace, "\r\n", "", 5000},
        {huge, huge.left(1'000'000), "",
         "[The view shows at most 1,000,000 characters of a text; this one has 50,000,000. "
         "Copy to clipboard copies all of it.]",
         10'000},
    };
    for (const auto& c : cases) {
      TDetailTree view;
      QVERIFY(Show(view, 300));
      view.SetRows({{true, "Cause"}, {false, c.Body}, {true, "Action"}, {false, "short"}});
      QCOMPARE(view.Rows().size(), 4u);
      QCOMPARE(view.Rows()[1].Text, c.Body);

      const QAbstractItemModel& model = *view.model();
      const int rows = model.rowCount();
      QStringList shown;
      for (int row = 1; row < rows - 2; ++row) {
        shown << model.index(row, TDetailModel::LeadColumn).data().toString();
      }
      if (!c.Note.isEmpty()) {
        QCOMPARE(shown.takeLast(), c.Note);
      }
      QVERIFY(shown.join(c.Separator) == c.Shown);
      QCOMPARE(model.index(rows - 2, TDetailModel::TextColumn).data().toString(), "Action");

      const auto content = [&view] {
        return view.verticalScrollBar()->maximum() + view.viewport()->height();
      };
      // Every line takes at least the font's height (the spacing adds leading between lines).
      QTRY_VERIFY2(content() >= c.Lines * QFontMetrics(view.font()).height(),
                   qPrintable(QString::number(content())));
      view.scrollToBottom();
      const QRect last = view.visualRect(model.index(rows - 1, TDetailModel::LeadColumn));
      QVERIFY(view.viewport()->rect().contains(last));

      CopyDetailsToClipboard(view.Rows());
      QVERIFY(ClipboardText() == "Cause\n" + c.Body + "\nAction\nshort\n");
    }
  }
};

QTEST_MAIN(DetailViewQTest)
#include "DetailViewQTest.moc"
