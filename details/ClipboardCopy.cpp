#include "details/ClipboardCopy.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <memory>

#include "app/QtText.h"
#include "platform/AnsiText.h"

QString DetailText(const std::vector<TDetData>& rows) {
  QString text;
  for (const TDetData& row : rows) {
    text += row.Text + u'\n';
  }
  return text;
}

// The Unicode form goes under "text/plain;charset=utf-8", which QMimeData::text() prefers:
// Windows builds CF_UNICODETEXT from it, X11 serves it as UTF8_STRING. The 8-bit form goes
// under plain "text/plain" in the ANSI code page, for readers that take bytes as they are; on
// Windows Qt derives CF_TEXT from the same ANSI conversion, on POSIX the ANSI code page is
// UTF-8, so no reader sees two different texts.
void CopyDetailsToClipboard(const std::vector<TDetData>& rows) {
  const QString text = DetailText(rows);
  auto data = std::make_unique<QMimeData>();
  data->setData(QStringLiteral("text/plain;charset=utf-8"), text.toUtf8());
  const std::string ansi = Platform::WideToAnsi(ToWide(text));
  data->setData(QStringLiteral("text/plain"),
                QByteArray(ansi.data(), static_cast<qsizetype>(ansi.size())));
  QGuiApplication::clipboard()->setMimeData(data.release());
}
