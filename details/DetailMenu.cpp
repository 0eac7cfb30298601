#include "details/DetailMenu.h"

TDetailMenu::TDetailMenu(QWidget* parent)
    : QMenu(parent), Copy(addAction(QStringLiteral("Copy to clipboard"))), Comment(nullptr) {
  setObjectName(QStringLiteral("DetPop"));
  Copy->setObjectName(QStringLiteral("cop2clip1"));
  addSeparator()->setObjectName(QStringLiteral("N1"));
  Comment = addAction(QStringLiteral("Add/Edit Comment"));
  Comment->setObjectName(QStringLiteral("editcomm"));
}

void TDetailMenu::EnableCommands(int resultRowCount, int detailRowCount) {
  const bool enabled = resultRowCount > 0 && detailRowCount > 0;
  Copy->setEnabled(enabled);
  Comment->setEnabled(enabled);
}
