#pragma once
// A main window started on a staged program directory, with every message recorded by a
// scripted shell instead of shown.

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <memory>

#include "tests/app/DataFileEdits.h"
#include "tests/support/ProgramDirectory.h"
#include "tests/support/ScriptedShell.h"
#include "ui/MainUnit.h"
#include "ui/StatusPanel.h"

struct TWindowRun {
  explicit TWindowRun(bool withEngine = true) : Dir(withEngine) {}

  // Creates and shows the window; it runs its start-up while being shown.
  TMainForm& Start() {
    Form = std::make_unique<TMainForm>(Shell);
    Form->show();
    return *Form;
  }
  const TMainControls& Ui() const { return Form->Controls(); }

  TTempProgramDirectory Dir;
  TScriptedShell Shell;
  std::unique_ptr<TMainForm> Form;
};

inline QStringList Items(const QComboBox* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) {
    items.append(list->itemText(i));
  }
  return items;
}
