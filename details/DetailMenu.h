#pragma once
// The context menu both lists share: copy the detail view, edit the comment of the focused
// message. The window connects the actions' triggered signals and, before the menu opens,
// lets it enable its commands from the two lists' row counts.

#include <QMenu>

class TDetailMenu : public QMenu {
  Q_OBJECT
 public:
  explicit TDetailMenu(QWidget* parent = nullptr);

  QAction* CopyAction() const { return Copy; }
  QAction* CommentAction() const { return Comment; }

  // Both commands need a message on show, which is exactly when both lists have rows.
  void EnableCommands(int resultRowCount, int detailRowCount);

 private:
  QAction* Copy;
  QAction* Comment;
};
