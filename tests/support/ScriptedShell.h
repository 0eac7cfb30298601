#pragma once
// A TUserShell for tests: records every message and termination request, answers the
// confirmation box and the comment editor from queues that the test fills beforehand.

#include <QStringList>
#include <deque>
#include <vector>

#include "app/UserShell.h"

class TScriptedShell : public TUserShell {
 public:
  void ShowMessage(const QString& text) override { Messages.append(text); }
  bool Confirm(const QString& text) override;
  void RequestTermination() override { ++TerminationRequests; }
  bool TerminationRequested() const override { return TerminationRequests > 0; }
  TCommentDialogAnswer EditComment(const TCommentDialogRequest& request) override;

  QStringList Messages;
  QStringList Confirmations;  // texts of the confirmation boxes shown
  std::vector<TCommentDialogRequest> EditorRequests;
  int TerminationRequests = 0;

  std::deque<bool> ConfirmAnswers;                 // default when empty: No
  std::deque<TCommentDialogAnswer> EditorAnswers;  // default when empty: Cancel, text unchanged
};
