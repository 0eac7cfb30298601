#pragma once
// The comment editor dialog. Its buttons close it with the editor's result codes (Save 1,
// Cancel 2, Delete 3); no button is the default, Enter in the text makes a line break,
// Escape does nothing, and closing it from the title bar counts as Cancel. The text comes
// back as it went in, except where the user changed it.

#include <QDialog>

#include "app/UserShell.h"

class QPlainTextEdit;

class TCommForm : public QDialog {
  Q_OBJECT
 public:
  TCommForm(const TCommentDialogRequest& request, QWidget* parent = nullptr);

  // How the dialog was closed (Cancel while it is open) and the text it holds.
  TCommentDialogAnswer Answer() const;

  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QPlainTextEdit* CommMemo;
  QString Original;  // the comment as it came in, saved unchanged when not edited
};

// Shows the comment editor modally over `parent` and returns how it was closed.
TCommentDialogAnswer RunCommentDialog(QWidget* parent, const TCommentDialogRequest& request);
