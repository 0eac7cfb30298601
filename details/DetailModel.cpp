#include "details/DetailModel.h"

#include <QFont>
#include <QLocale>

namespace {

// A piece this small stays well below the view's row-height limit even when every line
// wraps several times in the narrowest window.
constexpr int kPieceLines = 200;
constexpr qsizetype kPieceChars = 4000;
constexpr int kHeadingPointSize = 10;
// What a screen reader says after a heading's text, as it says "heading" on a web page.
constexpr char16_t kHeadingDescription[] = u"heading";
// Laying out a body takes the view time in proportion to its length (seven seconds for a
// comment of 50,000,000 characters, measured), on every change of the focused message: a
// longer body shows its beginning and a note, and the copy still takes it whole.
constexpr qsizetype kLongestShownBody = 1'000'000;

// What stands in the view where a body was cut.
QString CutNote(qsizetype length) {
  const QLocale english(QLocale::English);
  return QStringLiteral(
             "[The view shows at most %1 characters of a text; this one has %2. "
             "Copy to clipboard copies all of it.]")
      .arg(english.toString(static_cast<qlonglong>(kLongestShownBody)),
           english.toString(static_cast<qlonglong>(length)));
}

// Where the piece from `start` ends, and where the next one begins: after its 200th line
// or its 4,000th character, at the last line break before that, else the last blank, else
// anywhere but inside a surrogate pair, and never after `shownEnd`. A cut line break is not
// shown in either piece.
std::pair<qsizetype, qsizetype> PieceEnd(const QString& text, qsizetype start, qsizetype shownEnd) {
  qsizetype limit = std::min(shownEnd, start + kPieceChars);
  int lines = 0;
  qsizetype lastBreak = -1, lastBlank = -1;
  for (qsizetype at = start; at < limit; ++at) {
    if (text[at] == u'\n') {
      lastBreak = at;
      if (++lines == kPieceLines) {
        break;
      }
    } else if (text[at] == u' ') {
      lastBlank = at;
    }
  }
  if (limit == shownEnd && lines < kPieceLines) {
    return {limit, limit};
  }
  if (lastBreak > start) {
    const qsizetype end = text[lastBreak - 1] == u'\r' ? lastBreak - 1 : lastBreak;
    return {end, lastBreak + 1};
  }
  if (lastBlank > start) {
    return {lastBlank + 1, lastBlank + 1};
  }
  if (text[limit - 1].isHighSurrogate()) {
    --limit;
  }
  return {limit, limit};
}

}  // namespace

int TDetailModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(Pieces.size());
}

int TDetailModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 2;
}

bool TDetailModel::IsHeading(int row) const {
  return Items[Pieces[static_cast<std::size_t>(row)].Item].Heading;
}

QVariant TDetailModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid)) {
    return {};
  }
  const TPiece& piece = Pieces[static_cast<std::size_t>(index.row())];
  const TDetData& row = Items[piece.Item];
  if (role == Qt::FontRole && row.Heading) {
    QFont font;  // resolved against the view's own font for everything else
    font.setPointSize(kHeadingPointSize);
    font.setBold(true);
    return font;
  }
  // A piece of a body, or the note where a long body was cut.
  const auto text = [&piece, &row] {
    return piece.Length < 0 ? CutNote(row.Text.size()) : row.Text.mid(piece.Start, piece.Length);
  };
  switch (role) {
    case Qt::DisplayRole: {
      const bool shown = (index.column() == TextColumn) == row.Heading;
      return shown ? text() : QString();
    }
    case Qt::AccessibleTextRole:
      return text();
    case Qt::AccessibleDescriptionRole:
      return row.Heading ? QString::fromUtf16(kHeadingDescription) : QString();
    default:
      return {};
  }
}

QVariant TDetailModel::headerData(int, Qt::Orientation, int role) const {
  // Not the section numbers a model gives by default: a screen reader would read them out.
  return role == Qt::DisplayRole || role == Qt::AccessibleTextRole ? QVariant(QString())
                                                                   : QVariant();
}

void TDetailModel::SetRows(std::vector<TDetData> rows) {
  beginResetModel();
  Items = std::move(rows);
  Pieces.clear();
  Pieces.reserve(Items.size());
  for (std::size_t item = 0; item < Items.size(); ++item) {
    const QString& text = Items[item].Text;
    if (Items[item].Heading || text.isEmpty()) {
      Pieces.push_back({item, 0, text.size()});
      continue;
    }
    qsizetype shownEnd = std::min(text.size(), kLongestShownBody);
    if (shownEnd < text.size() && text[shownEnd - 1].isHighSurrogate()) {
      --shownEnd;  // not inside a surrogate pair
    }
    qsizetype start = 0;
    while (start < shownEnd) {
      const auto [end, next] = PieceEnd(text, start, shownEnd);
      Pieces.push_back({item, start, end - start});
      start = next;
    }
    if (start < text.size()) {
      Pieces.push_back({item, start, -1});
    }
  }
  endResetModel();
}
