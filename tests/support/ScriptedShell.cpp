#include "tests/support/ScriptedShell.h"

bool TScriptedShell::Confirm(const QString& text) {
  Confirmations.append(text);
  if (ConfirmAnswers.empty()) {
    return false;
  }
  const bool answer = ConfirmAnswers.front();
  ConfirmAnswers.pop_front();
  return answer;
}

TCommentDialogAnswer TScriptedShell::EditComment(const TCommentDialogRequest& request) {
  EditorRequests.push_back(request);
  if (EditorAnswers.empty()) {
    return {TCommentDialogAnswer::TResult::Cancel, request.Text};
  }
  TCommentDialogAnswer answer = EditorAnswers.front();
  EditorAnswers.pop_front();
  return answer;
}
