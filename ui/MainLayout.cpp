#include "ui/MainLayout.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "details/DetailMenu.h"
#include "details/DetailTree.h"
#include "details/MenuKeyFilter.h"
#include "search/ResultTree.h"
#include "ui/StatusPanel.h"

namespace {

constexpr int kBandHeight = 231;
constexpr int kCriteriaWidth = 206;
constexpr int kStatusHeight = 21;

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QLatin1String(name));
  return widget;
}

QLabel* AddLabel(QWidget* parent, const char* name, const char* text, int left, int top) {
  auto* label = Named(new QLabel(QString::fromLatin1(text), parent), name);
  label->move(left, top);
  label->adjustSize();
  return label;
}

QComboBox* AddPickList(QWidget* parent, const char* name, int left, int width) {
  auto* list = Named(new QComboBox(parent), name);
  list->setEditable(false);
  list->setGeometry(left, 40, width, 21);
  return list;
}

QLineEdit* AddEdit(QWidget* parent, const char* name, int top, int maxLength) {
  auto* edit = Named(new QLineEdit(parent), name);
  edit->setGeometry(10, top, 186, 21);
  edit->setMaxLength(maxLength);
  edit->setToolTip(QStringLiteral("Use % as a wild char"));
  return edit;
}

// A flat button that never takes the keyboard focus; its shortcut reaches it instead, and a
// screen reader reads the shortcut as the button's description.
QToolButton* AddFlatButton(QWidget* parent, const char* name, const char* text,
                           const QKeySequence& shortcut) {
  auto* button = Named(new QToolButton(parent), name);
  button->setText(QString::fromLatin1(text));
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setShortcut(shortcut);
  button->setAccessibleDescription(shortcut.toString(QKeySequence::NativeText));
  return button;
}

void BuildCriteriaGroup(TMainControls& c) {
  QGroupBox* group = c.MainGB;
  c.VerLab = AddLabel(group, "VerLab", "Oracle version", 10, 25);
  c.ErrLab = AddLabel(group, "ErrLab", "Error prefix", 95, 25);
  c.VersionCB = AddPickList(group, "VersionCB", 10, 71);
  c.PrefCB = AddPickList(group, "PrefCB", 85, 91);
  // Shift+F1 is the keyboard's "what is this?", which a "?" button answers.
  c.TntSpeedButton1 =
      AddFlatButton(group, "TntSpeedButton1", "?", QKeySequence(Qt::SHIFT | Qt::Key_F1));
  // Its caption "?" says nothing to a screen reader; the name is English, as the box it opens.
  c.TntSpeedButton1->setAccessibleName(QStringLiteral("Prefix description"));
  c.TntSpeedButton1->setGeometry(180, 40, 21, 21);
  c.CodLab = AddLabel(group, "CodLab", "Error Code", 10, 70);
  c.eCodeEdit = AddEdit(group, "eCodeEdit", 85, 10);
  c.MsgLab = AddLabel(group, "MsgLab", "Error Message", 10, 110);
  c.eMsgEdit = AddEdit(group, "eMsgEdit", 125, 100);
  c.ComLab = AddLabel(group, "ComLab", "My Comment", 10, 150);
  c.CommEdit = AddEdit(group, "CommEdit", 165, 100);
  // Each label names its field for a screen reader ("labelled by", and the field's name,
  // which thus follows the caption's translation). No caption has an '&', so no mnemonic shows.
  const std::pair<QLabel*, QWidget*> labelled[] = {{c.VerLab, c.VersionCB},
                                                   {c.ErrLab, c.PrefCB},
                                                   {c.CodLab, c.eCodeEdit},
                                                   {c.MsgLab, c.eMsgEdit},
                                                   {c.ComLab, c.CommEdit}};
  for (const auto& [label, field] : labelled) {
    label->setBuddy(field);
  }
  c.FindBtn = Named(new QPushButton(QStringLiteral("Find"), group), "FindBtn");
  c.FindBtn->setGeometry(65, 196, 75, 25);
  c.FindBtn->setAutoDefault(false);
}

void BuildUpperBand(TMainControls& c, QWidget* window) {
  c.BackMainPanel = Named(new QWidget(window), "BackMainPanel");
  c.BackMainPanel->setFixedHeight(kBandHeight);
  c.MainGB = Named(new QGroupBox(QStringLiteral(" Search criteria "), c.BackMainPanel), "MainGB");
  c.MainGB->setFixedWidth(kCriteriaWidth);
  BuildCriteriaGroup(c);
  c.ResultTree = Named(new TResultTree(c.BackMainPanel), "ResultTree");
  auto* band = new QHBoxLayout(c.BackMainPanel);
  band->setContentsMargins(0, 0, 0, 0);
  band->setSpacing(0);
  band->addWidget(c.MainGB);
  band->addWidget(c.ResultTree, 1);
}

void BuildLowerBands(TMainControls& c, QWidget* window) {
  c.DetTree = Named(new TDetailTree(window), "DetTree");
  // The detail view gives way at small window sizes; the bands around it never do.
  c.DetTree->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
  c.SBar = Named(new TStatusPanel(window), "SBar");
  c.SBar->setFixedHeight(kStatusHeight);
  // F1, the key for help, opens the program's one window about itself.
  c.AbtBtn = AddFlatButton(c.SBar, "AbtBtn", "About", QKeySequence(Qt::Key_F1));
  c.AbtBtn->setGeometry(0, 3, 66, 15);
}

void BuildContextMenu(TMainControls& c, QWidget* window) {
  c.DetPop = new TDetailMenu(window);
  QAbstractItemView* const lists[] = {c.ResultTree, c.DetTree};
  for (QAbstractItemView* list : lists) {
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    TMenuKeyFilter::Watch(list);
    // A list reports the position in its viewport's coordinates, below the list's header.
    QObject::connect(list, &QWidget::customContextMenuRequested, c.DetPop,
                     [menu = c.DetPop, viewport = list->viewport()](const QPoint& at) {
                       menu->popup(viewport->mapToGlobal(at));
                     });
  }
}

void SetTabOrder(const TMainControls& c) {
  QWidget* const chain[] = {c.ResultTree, c.VersionCB, c.PrefCB,  c.eCodeEdit,
                            c.eMsgEdit,   c.CommEdit,  c.FindBtn, c.DetTree};
  for (std::size_t i = 1; i < std::size(chain); ++i) {
    QWidget::setTabOrder(chain[i - 1], chain[i]);
  }
}

}  // namespace

TMainControls BuildMainLayout(QWidget* window) {
  TMainControls c;
  BuildUpperBand(c, window);
  BuildLowerBands(c, window);
  BuildContextMenu(c, window);
  auto* bands = new QVBoxLayout(window);
  bands->setContentsMargins(0, 0, 0, 0);
  bands->setSpacing(0);
  bands->addWidget(c.BackMainPanel);
  bands->addWidget(c.DetTree, 1);
  bands->addWidget(c.SBar);
  SetTabOrder(c);
  return c;
}

void PlaceAboutButton(const TMainControls& controls) {
  const int left = controls.SBar->width() - (controls.AbtBtn->width() + 10);
  controls.AbtBtn->move(left, controls.AbtBtn->y());
}
