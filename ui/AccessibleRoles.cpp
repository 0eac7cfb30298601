#include "ui/AccessibleRoles.h"

#include <QAccessibleWidget>

#include "ui/MainUnit.h"
#include "ui/StatusPanel.h"

#if QT_CONFIG(accessibility)
namespace {

class TStatusBarAccessible : public QAccessibleWidget {
 public:
  explicit TStatusBarAccessible(TStatusPanel* panel)
      : QAccessibleWidget(panel, QAccessible::StatusBar) {}

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name) {
      return static_cast<const TStatusPanel*>(widget())->Caption();
    }
    return QAccessibleWidget::text(kind);
  }
};

bool Is(const QString& className, const QMetaObject& type) {
  return className == QLatin1String(type.className());
}

// Asked for every class of an object, most derived first, before Qt's own widgets' factory.
QAccessibleInterface* MakeAccessible(const QString& className, QObject* object) {
  if (Is(className, TStatusPanel::staticMetaObject)) {
    return new TStatusBarAccessible(static_cast<TStatusPanel*>(object));
  }
  if (Is(className, TMainForm::staticMetaObject)) {
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
  }
  return nullptr;
}

}  // namespace

void InstallAccessibleRoles() {
  QAccessible::removeFactory(MakeAccessible);
  QAccessible::installFactory(MakeAccessible);
}
#else
void InstallAccessibleRoles() {}  // a Qt built without accessibility has no one to tell
#endif
