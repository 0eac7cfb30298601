#include "ui/StatusPanel.h"

#include <QAccessible>
#include <QHBoxLayout>
#include <QLabel>

TStatusPanel::TStatusPanel(QWidget* parent) : QFrame(parent), CaptionLabel(new QLabel(this)) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  CaptionLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 0, 4, 0);
  layout->addWidget(CaptionLabel);
}

QString TStatusPanel::Caption() const {
  return CaptionLabel->text();
}

void TStatusPanel::SetCaption(const QString& text) {
  CaptionLabel->setText(text);
#if QT_CONFIG(accessibility)
  // The panel is a status bar named by its caption: a screen reader hears the new status.
  QAccessibleEvent changed(this, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&changed);
#endif
}
