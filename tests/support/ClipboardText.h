#pragma once
// The clipboard's text as other programs read it, for the tests of the copy. On Windows the
// copy writes the system's clipboard itself, which the test platform's own clipboard does not
// see; elsewhere it goes through Qt's.

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

#ifdef Q_OS_WIN
#include "platform/win/Clipboard.h"
#include "tests/support/win/ClipboardContents.h"
#endif

inline QString ClipboardText() {
#ifdef Q_OS_WIN
  return QString::fromStdU16String(ReadClipboard().UnicodeText);
#else
  return QGuiApplication::clipboard()->text();
#endif
}

inline void SetClipboardText(const QString& text) {
#ifdef Q_OS_WIN
  Platform::WriteClipboardText(text.toStdU16String());
#else
  QGuiApplication::clipboard()->setText(text);
#endif
}
