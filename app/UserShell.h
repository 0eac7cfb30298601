#pragma once
// Everything the program asks of the person at the screen, and of the event loop, goes
// through this one seam: the windows provide the real one (message boxes, the comment editor,
// a queued quit), tests provide a scripted one, so that no test waits on a human.

#include <QString>

#include "app/NoticeSink.h"

// What the comment editor is opened with.
struct TCommentDialogRequest {
  QString Caption;      // window title, e.g. "My comment on: ORA-00942 (10g)"
  QString Text;         // the comment to start from
  QString SaveCaption;  // button captions, possibly translated
  QString CancelCaption;
  QString DeleteCaption;
  QString TextName;  // what a screen reader calls the text field: the comment label's caption
};

// How the comment editor was closed, and the text it held then.
struct TCommentDialogAnswer {
  enum class TResult { Save = 1, Cancel = 2, Delete = 3 };
  TResult Result = TResult::Cancel;
  QString Text;
};

class TUserShell : public TNoticeSink {
 public:
  // The plain message box: modal, title "Tolvane 2", the text, one OK button, no icon.
  virtual void ShowMessage(const QString& text) = 0;
  void Notify(const std::u16string& text) final { ShowMessage(QString::fromStdU16String(text)); }
  // The confirmation box: title "Confirm", question icon, "&Yes" (default) and "&No".
  // Returns true for Yes.
  virtual bool Confirm(const QString& text) = 0;
  // Shows the comment editor modally.
  virtual TCommentDialogAnswer EditComment(const TCommentDialogRequest& request) = 0;
};
