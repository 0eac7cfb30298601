#pragma once
// The comment editor dialog.

#include "app/UserShell.h"

class QWidget;

// Shows the comment editor modally over `parent` and returns how it was closed.
TCommentDialogAnswer RunCommentDialog(QWidget* parent, const TCommentDialogRequest& request);
