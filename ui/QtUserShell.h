#pragma once
// The real user seam: Qt message boxes, the comment editor, and a queued end of the event
// loop.

#include <QObject>

#include "app/UserShell.h"

class TQtUserShell : public TUserShell {
 public:
  void ShowMessage(const QString& text) override;
  bool Confirm(const QString& text) override;
  // Ends the event loop once the running handler has returned, without closing any window, so
  // that the main window's close handler (which saves the criteria) does not run. A quit
  // posted at once would be taken by the next box's own loop: that box would vanish unread,
  // and a request made before the main loop started would be lost.
  void RequestTermination() override;
  bool TerminationRequested() const override { return Requested; }
  TCommentDialogAnswer EditComment(const TCommentDialogRequest& request) override;

 private:
  // Ends the main loop when it is the only loop running and none of this shell's boxes is
  // open; otherwise looks again a little later.
  void EndWhenIdle();

  bool Requested = false;
  int OpenBoxes = 0;
  QObject TimerContext;  // pending checks end with the shell
};
