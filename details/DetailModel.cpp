#include "details/DetailModel.h"

#include <QFont>

namespace {

// A piece this small stays well below the view's row-height limit even when every line
// wraps several times in the narrowest window.
constexpr int kPieceLines = 200;
constexpr qsizetype kPieceChars = 4000;
constexpr int kHeadingPointSize = 10;
// What a screen reader says after a heading's text, as it says "heading" on a web page.
constexpr char16_t kHeadingDescription[] = u"heading";

// Where the piece from `start` ends, and where the next one begins: after its 200th line
// or its 4,000th character, at the last line break before that, else the last blank, else
// anywhere but inside a surrogate pair. A cut line break is not shown in either piece.
std::pair<qsizetype, qsizetype> PieceEnd(const QString& text, qsizetype start) {
  qsizetype limit = std::min(text.size(), start + kPieceChars);
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
  if (limit == text.size() && lines < kPieceLines) {
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
  switch (role) {
    case Qt::DisplayRole: {
      const bool shown = (index.column() == TextColumn) == row.Heading;
      return shown ? row.Text.mid(piece.Start, piece.Length) : QString();
    }
    case Qt::AccessibleTextRole:
      return row.Text.mid(piece.Start, piece.Length);
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
    for (qsizetype start = 0; start < text.size();) {
      const auto [end, next] = PieceEnd(text, start);
      Pieces.push_back({item, start, end - start});
      start = next;
    }
  }
  endResetModel();
}
