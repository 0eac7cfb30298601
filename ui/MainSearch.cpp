// The main window's search: criteria from the controls, the statement from search/, the
// outcome back into the result list and the status bar; and the prefix list's own handlers.
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QScopedValueRollback>

#include "app/QtText.h"
#include "app/UserShell.h"
#include "data/passqlite.h"
#include "details/DetailTree.h"
#include "search/PrefixDescription.h"
#include "search/ResultTree.h"
#include "search/SearchRunner.h"
#include "search/SearchStatement.h"
#include "ui/MainUnit.h"
#include "ui/StatusPanel.h"

namespace {

std::vector<std::u16string> Entries(const QComboBox* list) {
  std::vector<std::u16string> entries;
  for (int i = 0; i < list->count(); ++i) {
    entries.push_back(ToWide(list->itemText(i)));
  }
  return entries;
}

}  // namespace

void TMainForm::FindBtnClick() {
  // The search lets the window process pending events so that its status is painted; an
  // Enter arriving then would start a second search inside this one, on the same
  // connection and the same list. It is dropped.
  if (Searching) {
    return;
  }
  QScopedValueRollback<bool> guard(Searching, true);
  RunSearch();
}

void TMainForm::RunSearch() {
  Ui.ResultTree->Clear();
  Ui.DetTree->Clear();
  const TSearchCriteria typed{ToWide(Ui.VersionCB->currentText()), ToWide(Ui.PrefCB->currentText()),
                              ToWide(Ui.eCodeEdit->text()), ToWide(Ui.eMsgEdit->text()),
                              ToWide(Ui.CommEdit->text())};
  TPreparedCriteria prepared = PrepareCriteria(typed);
  if (!HasSearchCriteria(prepared)) {
    Shell.ShowMessage(QStringLiteral("Please, enter search criteria"));
    return;
  }
  if (const auto split = SplitPrefixFromCode(typed.Code, Entries(Ui.PrefCB))) {
    // A programmatic selection: it does not count as the user choosing a prefix.
    Ui.PrefCB->setCurrentIndex(split->PrefixIndex);
    Ui.eCodeEdit->setText(ToQString(split->Code));
    prepared =
        PrepareCriteria({typed.Version, split->Prefix, split->Code, typed.Message, typed.Comment});
    QCoreApplication::processEvents();
  }
  Ui.SBar->SetCaption(QStringLiteral("Searching ..."));
  QCoreApplication::processEvents();
  // The window may have been closed while it processed events, taking the connection along.
  if (!DB) {
    return;
  }
  TSearchOutcome outcome =
      RunSearchStatement(*DB, BuildSearchStatement(prepared, ToWide(FetchRows)));
  if (!outcome.Ok) {
    Shell.ShowMessage(QStringLiteral("ERROR (MS): ") + outcome.ErrorText);
    Ui.SBar->SetCaption(QStringLiteral("Search failed"));
    return;
  }
  const std::size_t found = outcome.Records.size();
  Ui.ResultTree->SetRecords(std::move(outcome.Records));
  Ui.SBar->SetCaption(SearchStatusText(found));
  if (found == 0) {
    Ui.eCodeEdit->setFocus();
    return;
  }
  Ui.ResultTree->FitColumnsToContents();
  Ui.ResultTree->FocusFirstRow();
}

void TMainForm::PrefCBChange() {
  Ui.eCodeEdit->setFocus();
}

void TMainForm::TntSpeedButton1Click() {
  if (!DB) {
    return;
  }
  if (const auto text = PrefixDescriptionText(*DB, Ui.PrefCB->currentText())) {
    Shell.ShowMessage(*text);
  }
}
