#pragma once
// The user's comment on one message: reads what is stored, lets the user edit it through the
// shell's comment editor, and saves or deletes it, each write in one transaction.
//
// A write that fails (the engine refuses a statement or the COMMIT: a read-only file, a full
// disk, a failing constraint; or the write throws) is rolled back and reported, and the editor
// opens again with the text the user typed, until the user saves successfully, deletes,
// cancels or declines the deletion. A comment that cannot be read is reported and the editor
// does not open. The caller reloads the detail view afterwards in every case.

#include "app/CommDialogCaptions.h"
#include "app/UserShell.h"
#include "search/ResultModel.h"

class TSQLDB;

// `commentCaption` names the editor's text field for a screen reader: the caption of the
// window's comment label, in the interface's language.
void RunCommentEditor(TSQLDB& db, TUserShell& shell, const TResData& record,
                      const TCommDialogCaptions& captions, const QString& commentCaption);
