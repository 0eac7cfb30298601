// The about window: its fixed layout, the web address as its one active element, and a fresh
// window for every opening.

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <vector>

#include "ui/AboutUnit.h"

class AboutFormQTest : public QObject {
  Q_OBJECT

 private slots:
  void FixedLayout();
  void LabelsInTheBandEndAt122AndValuesStartAt138();
  void NotesKeepTheirBoxes();
  void ClickingTheAddressOpensIt();
  void ClickingElsewhereDoesNothing();
  void EachOpeningIsAFreshWindow();
};

namespace {

QLabel* Label(const TAboutForm& form, const char* name) {
  return form.findChild<QLabel*>(QLatin1String(name));
}

}  // namespace

void AboutFormQTest::FixedLayout() {
  TAboutForm form;
  QCOMPARE(form.windowTitle(), QString("About"));
  QCOMPARE(form.minimumSize(), QSize(367, 331));
  QCOMPARE(form.maximumSize(), QSize(367, 331));
  QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
  QVERIFY(!(form.windowFlags() & Qt::WindowMinimizeButtonHint));
  QVERIFY(!(form.windowFlags() & Qt::WindowContextHelpButtonHint));
  QCOMPARE(form.findChild<QWidget*>("Shape1")->geometry(), QRect(0, 0, 131, 331));
  QCOMPARE(form.findChild<QWidget*>("Shape2")->geometry(), QRect(131, 0, 236, 331));
  QCOMPARE(Label(form, "TntLabel1")->geometry(), QRect(11, 9, 285, 23));
  QCOMPARE(Label(form, "TntLabel1")->text(), QString("Tolvane"));
  QCOMPARE(Label(form, "TntLabel6")->text(), QString("2.0"));
  QCOMPARE(Label(form, "TntLabel8")->text(), QString("Freeware"));
  QCOMPARE(Label(form, "TntLabel11")->cursor().shape(), Qt::PointingHandCursor);
  QVERIFY(Label(form, "TntLabel11")->font().underline());
  QCOMPARE(form.findChildren<QLabel*>().size(), 14);
}

void AboutFormQTest::LabelsInTheBandEndAt122AndValuesStartAt138() {
  TAboutForm form;
  const std::vector<std::pair<const char*, const char*>> rows = {{"TntLabel2", "Version"},
                                                                 {"TntLabel3", "Status"},
                                                                 {"TntLabel4", "Author"},
                                                                 {"TntLabel5", "E-mail"},
                                                                 {"TntLabel7", "WWW"}};
  for (const auto& [name, text] : rows) {
    QLabel* caption = Label(form, name);
    QCOMPARE(caption->text(), QString(text));
    QCOMPARE(caption->geometry().right() + 1, 122);
    QVERIFY(caption->font().bold());
  }
  for (const char* name : {"TntLabel6", "TntLabel8", "TntLabel9", "TntLabel10", "TntLabel11"}) {
    QLabel* value = Label(form, name);
    QCOMPARE(value->x(), 138);
    // The whole value is visible, whichever font stands in for Tahoma.
    QVERIFY(value->width() >= value->sizeHint().width());
    QVERIFY(value->geometry().right() < 367);
  }
  QCOMPARE(Label(form, "TntLabel2")->y(), 50);
  QCOMPARE(Label(form, "TntLabel11")->y(), 155);
}

void AboutFormQTest::NotesKeepTheirBoxes() {
  TAboutForm form;
  QCOMPARE(Label(form, "TntLabel14")->geometry(), QRect(16, 201, 340, 45));
  QCOMPARE(Label(form, "TntLabel12")->geometry(), QRect(136, 261, 210, 25));
  QCOMPARE(Label(form, "TntLabel13")->geometry(), QRect(135, 285, 166, 46));
  for (const char* name : {"TntLabel14", "TntLabel12", "TntLabel13"}) {
    QLabel* note = Label(form, name);
    QVERIFY(note->wordWrap());
    QVERIFY(!note->text().isEmpty());
    // No line is cut off, whichever font stands in for Tahoma.
    QVERIFY2(note->heightForWidth(note->width()) <= note->height(), name);
  }
}

void AboutFormQTest::ClickingTheAddressOpensIt() {
  TAboutForm form;
  std::vector<QUrl> opened;
  form.OpenUrl = [&opened](const QUrl& url) {
    opened.push_back(url);
    return false;
  };
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  QLabel* address = Label(form, "TntLabel11");
  QTest::mouseClick(address, Qt::LeftButton);
  QCOMPARE(opened.size(), std::size_t{1});
  QCOMPARE(opened.front(), QUrl(address->text()));
  QVERIFY(opened.front().isValid());
  QCOMPARE(opened.front().scheme(), QString("https"));
  QVERIFY(form.isVisible());
}

void AboutFormQTest::ClickingElsewhereDoesNothing() {
  TAboutForm form;
  int opened = 0;
  form.OpenUrl = [&opened](const QUrl&) { return ++opened > 0; };
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  QTest::mouseClick(Label(form, "TntLabel10"), Qt::LeftButton);
  QTest::mouseClick(Label(form, "TntLabel7"), Qt::LeftButton);
  QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(300, 20));
  QTest::mouseClick(Label(form, "TntLabel11"), Qt::RightButton);
  QCOMPARE(opened, 0);
  QVERIFY(form.isVisible());
}

void AboutFormQTest::EachOpeningIsAFreshWindow() {
  QWidget mainWindow;
  mainWindow.setGeometry(100, 80, 678, 500);
  mainWindow.show();
  QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
  struct TOpening {
    QPointer<TAboutForm> Form;
    bool Modal = false;
    QString Title;
    QPoint Centre;
  };
  std::vector<TOpening> openings;
  for (int opening = 0; opening < 2; ++opening) {
    // Runs inside the about window's modal loop; marks the window so that a reused one
    // would show the mark the second time.
    QTimer::singleShot(0, &mainWindow, [&] {
      auto* form = mainWindow.findChild<TAboutForm*>();
      if (form == nullptr) {
        return;
      }
      openings.push_back({form, QApplication::activeModalWidget() == form, form->windowTitle(),
                          form->geometry().center()});
      form->setWindowTitle("marked");
      form->close();
    });
    ShowAboutWindow(&mainWindow);
    QCOMPARE(openings.size(), std::size_t(opening + 1));
    const TOpening& shown = openings.back();
    QVERIFY(shown.Form.isNull());
    QVERIFY(shown.Modal);
    QCOMPARE(shown.Title, QString("About"));
    QVERIFY((shown.Centre - mainWindow.geometry().center()).manhattanLength() <= 2);
  }
}

QTEST_MAIN(AboutFormQTest)
#include "AboutFormQTest.moc"
