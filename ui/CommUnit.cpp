#include "ui/CommUnit.h"

TCommentDialogAnswer RunCommentDialog(QWidget*, const TCommentDialogRequest& request) {
  return {TCommentDialogAnswer::TResult::Cancel, request.Text};
}
