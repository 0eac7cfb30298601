#include "details/ClipboardCopy.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <memory>

#include "app/QtText.h"
#include "platform/AnsiText.h"
#ifdef Q_OS_WIN
#include "platform/win/Clipboard.h"
#endif

QString DetailText(const std::vector<TDetData>& rows) {
  QString text;
  for (const TDetData& row : rows) {
    text += row.Text + u'\n';
  }
  return text;
}

// On Windows the clipboard is written directly: Qt's would put a CR before every LF and
// derive CF_TEXT itself; Qt's is the fallback should the system clipboard stay busy.
// Elsewhere the Unicode form goes under "text/plain;charset=utf-8", which QMimeData::text()
// prefers and X11 serves as UTF8_STRING; the 8-bit form goes under plain "text/plain" in the
// ANSI code page (UTF-8 there), for readers that take bytes as they are.
void CopyDetailsToClipboard(const std::vector<TDetData>& rows) {
  const QString text = DetailText(rows);
#ifdef Q_OS_WIN
  if (Platform::WriteClipboardText(ToWide(text))) {
    return;
  }
#endif
  auto data = std::make_unique<QMimeData>();
  data->setData(QStringLiteral("text/plain;charset=utf-8"), text.toUtf8());
  const std::string ansi = Platform::WideToAnsi(ToWide(text));
  data->setData(QStringLiteral("text/plain"),
                QByteArray(ansi.data(), static_cast<qsizetype>(ansi.size())));
  QGuiApplication::clipboard()->setMimeData(data.release());
}
