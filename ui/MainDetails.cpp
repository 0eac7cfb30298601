// The main window's detail view and the context menu both lists share: loading the focused
// message, enabling the commands, the clipboard copy and the comment editor.
#include <QLabel>

#include "app/UserShell.h"
#include "data/passqlite.h"
#include "details/ClipboardCopy.h"
#include "details/CommentEditor.h"
#include "details/DetailLoader.h"
#include "details/DetailMenu.h"
#include "details/DetailTree.h"
#include "search/ResultTree.h"
#include "ui/MainUnit.h"

void TMainForm::ResultTreeFocusChanged(const TResData* record) {
  Ui.DetTree->Clear();
  // Without a connection (the window has closed) there is nothing to read.
  if (!record || !DB) {
    return;
  }
  // The comment heading is the label's caption, so it follows the interface language.
  TDetailLoad load = LoadDetails(*DB, *record, Ui.ComLab->text());
  if (!load.Error.isEmpty()) {
    Shell.ShowMessage(load.Error);
    return;
  }
  Ui.DetTree->SetRows(std::move(load.Rows));
}

void TMainForm::DetPopPopup() {
  Ui.DetPop->EnableCommands(Ui.ResultTree->model()->rowCount(),
                            static_cast<int>(Ui.DetTree->Rows().size()));
}

void TMainForm::cop2clip1Click() {
  CopyDetailsToClipboard(Ui.DetTree->Rows());
}

void TMainForm::ListCopyKeyPressed() {
  DetPopPopup();
  if (Ui.DetPop->CopyAction()->isEnabled()) {
    cop2clip1Click();
  }
}

void TMainForm::editcommClick() {
  const TResData* record = Ui.ResultTree->FocusedRecord();
  if (!record || !DB) {
    return;
  }
  // The label's caption names the editor's text field, as it heads the comment in the view.
  RunCommentEditor(*DB, Shell, *record, DialogCaptions, Ui.ComLab->text());
  // Saved, deleted or cancelled: the view shows what the data file now holds.
  ResultTreeFocusChanged(Ui.ResultTree->FocusedRecord());
}
