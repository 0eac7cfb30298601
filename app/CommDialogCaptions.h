#pragma once
// The captions of the comment editor's three buttons. Set to English when the main window is
// created, possibly translated at start-up, applied each time the editor opens.

#include <QString>

struct TCommDialogCaptions {
  QString Delete = QStringLiteral("Delete");
  QString Cancel = QStringLiteral("Cancel");
  QString Save = QStringLiteral("Save");
};
