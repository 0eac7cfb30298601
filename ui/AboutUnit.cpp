#include "ui/AboutUnit.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <vector>

#ifdef Q_OS_WIN
#include "app/QtText.h"
#include "platform/win/Shell.h"
#endif

namespace {

constexpr int kClientWidth = 367;
constexpr int kClientHeight = 331;
constexpr int kBandWidth = 131;

// The looks of the labels. Font sizes are in pixels (8, 10 and 14 point at 96 dots per inch),
// so that the fixed layout keeps its proportions whatever the system's text size.
struct TLabelStyle {
  int PixelSize;
  bool Bold;
  bool Underline;
  Qt::GlobalColor Colour;
  Qt::Alignment Alignment;
  bool Wrapped;  // a note: fixed size, words wrapped
};

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignTop;
constexpr TLabelStyle kTitle{19, true, false, Qt::black, Qt::AlignHCenter | Qt::AlignTop, false};
constexpr TLabelStyle kCaption{13, true, false, Qt::white, Qt::AlignRight | Qt::AlignTop, false};
constexpr TLabelStyle kValue{13, true, false, Qt::red, kLeft, false};
constexpr TLabelStyle kLink{13, true, true, Qt::red, kLeft, false};
constexpr TLabelStyle kNote{11, false, false, Qt::black, kLeft, true};
constexpr TLabelStyle kBoldNote{11, true, false, Qt::black, kLeft, true};

struct TLabelEntry {
  const char* Name;
  QRect Geometry;  // the smallest box; a one-line label grows away from its aligned edge
  const char* Text;
  TLabelStyle Style;
};

std::vector<TLabelEntry> LabelEntries() {
  return {
      {"TntLabel1", {11, 9, 285, 23}, "Tolvane", kTitle},
      {"TntLabel2", {73, 50, 49, 16}, "Version", kCaption},
      {"TntLabel6", {138, 50, 20, 16}, "2.0", kValue},
      {"TntLabel3", {79, 75, 43, 16}, "Status", kCaption},
      {"TntLabel8", {138, 75, 61, 16}, "Freeware", kValue},
      {"TntLabel4", {76, 100, 46, 16}, "Author", kCaption},
      {"TntLabel9", {138, 100, 67, 16}, "Tolvane Team", kValue},
      {"TntLabel5", {84, 125, 38, 16}, "E-mail", kCaption},
      {"TntLabel10", {138, 125, 92, 16}, "tolvane@example.org", kValue},
      {"TntLabel7", {83, 155, 39, 16}, "WWW", kCaption},
      {"TntLabel11", {138, 155, 143, 16}, "https://tolvane.example.org/", kLink},
      {"TntLabel14",
       {16, 201, 340, 45},
       "All error messages, causes and actions come from public internet sources. Their "
       "correctness is not guaranteed, though it is far better than in version 1.",
       kNote},
      {"TntLabel12", {136, 261, 210, 25}, "All messages © their owner.", kBoldNote},
      {"TntLabel13",
       {135, 285, 166, 46},
       "Oracle message texts are the property of Oracle Corporation and its affiliates.",
       kNote},
  };
}

void AddShape(QWidget* parent, const char* name, const QRect& geometry, Qt::GlobalColor fill) {
  auto* shape = new QWidget(parent);
  shape->setObjectName(QLatin1String(name));
  shape->setGeometry(geometry);
  QPalette palette = shape->palette();
  palette.setColor(QPalette::Window, fill);
  shape->setPalette(palette);
  shape->setAutoFillBackground(true);
}

QLabel* AddLabel(QWidget* parent, const TLabelEntry& entry) {
  const TLabelStyle& style = entry.Style;
  auto* label = new QLabel(QString::fromUtf8(entry.Text), parent);
  label->setObjectName(QLatin1String(entry.Name));
  QFont font(QStringLiteral("Tahoma"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(style.PixelSize);
  font.setBold(style.Bold);
  font.setUnderline(style.Underline);
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, style.Colour);
  label->setPalette(palette);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(style.Alignment);
  label->setWordWrap(style.Wrapped);
  QRect box = entry.Geometry;
  if (!style.Wrapped) {
    // Another font than Tahoma may need more room: grow, but keep the aligned edge in place.
    const QSize needed = label->sizeHint().expandedTo(box.size());
    if (style.Alignment & Qt::AlignRight) {
      box.setLeft(box.right() + 1 - needed.width());
    } else if (style.Alignment & Qt::AlignLeft) {
      box.setWidth(needed.width());
    }
    box.setHeight(needed.height());
  }
  label->setGeometry(box);
  return label;
}

// The address goes to the shell's "open" verb on Windows, to the desktop's opener elsewhere.
bool OpenInBrowser(const QUrl& address) {
#ifdef Q_OS_WIN
  return Platform::OpenWithShell(ToWide(address.toString()));
#else
  return QDesktopServices::openUrl(address);
#endif
}

}  // namespace

TAboutForm::TAboutForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      OpenUrl(&OpenInBrowser) {
  setObjectName(QStringLiteral("AboutForm"));
  setWindowTitle(QStringLiteral("About"));
  setFixedSize(kClientWidth, kClientHeight);
  AddShape(this, "Shape1", {0, 0, kBandWidth, kClientHeight}, Qt::red);
  AddShape(this, "Shape2", {kBandWidth, 0, kClientWidth - kBandWidth, kClientHeight}, Qt::white);
  QLabel* wwwCaption = nullptr;
  for (const TLabelEntry& entry : LabelEntries()) {
    QLabel* label = AddLabel(this, entry);
    if (label->objectName() == QLatin1String("TntLabel11")) {
      TntLabel11 = label;
    } else if (label->objectName() == QLatin1String("TntLabel7")) {
      wwwCaption = label;
    }
  }
  // "WWW" names the address for a screen reader ("labelled by"); it has no '&' to underline.
  wwwCaption->setBuddy(TntLabel11);
  TntLabel11->setCursor(Qt::PointingHandCursor);
  TntLabel11->installEventFilter(this);
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == TntLabel11 && event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<const QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton &&
        TntLabel11->rect().contains(mouse->position().toPoint())) {
      TntLabel11Click();
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TAboutForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->ignore();
    return;
  }
  // The system's close command, where it reaches the window as a key (no window manager took
  // it), and the platform's own close keys: the window has no button to tab to.
  const bool altF4 = event->key() == Qt::Key_F4 && event->modifiers() == Qt::AltModifier;
  if (altF4 || event->matches(QKeySequence::Close)) {
    close();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TAboutForm::TntLabel11Click() {
  OpenUrl(QUrl(TntLabel11->text()));
}

void ShowAboutWindow(QWidget* parent) {
  TAboutForm form(parent);
  form.exec();
}
