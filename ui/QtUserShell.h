#pragma once
// The real user seam: Qt message boxes, the comment editor, and a queued end of the event
// loop.

#include "app/UserShell.h"

class TQtUserShell : public TUserShell {
 public:
  void ShowMessage(const QString& text) override;
  bool Confirm(const QString& text) override;
  // Ends the event loop once the running handler returns, without closing any window, so
  // that the main window's close handler (which saves the criteria) does not run.
  void RequestTermination() override;
  TCommentDialogAnswer EditComment(const TCommentDialogRequest& request) override;
};
