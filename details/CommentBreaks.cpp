#include "details/CommentBreaks.h"

#include <QStringList>
#include <algorithm>
#include <map>

namespace {

constexpr QChar kParagraph = QChar::ParagraphSeparator;
// What the document's text cursor also takes for the end of a paragraph.
constexpr QChar kBeginningOfFrame(0xFDD0);
constexpr QChar kEndOfFrame(0xFDD1);

// The comment cut at its breaks: the text as the document holds it, and each break as it
// was stored, in order.
struct TBrokenText {
  QString Paragraphs;
  QStringList Breaks;
};

TBrokenText BreakUp(const QString& comment) {
  TBrokenText result;
  result.Paragraphs.reserve(comment.size());
  for (qsizetype at = 0; at < comment.size(); ++at) {
    const QChar ch = comment[at];
    if (ch == u'\r' && at + 1 < comment.size() && comment[at + 1] == u'\n') {
      result.Breaks.append(QStringLiteral("\r\n"));
      ++at;
    } else if (ch == u'\r' || ch == u'\n' || ch == kParagraph || ch == kBeginningOfFrame ||
               ch == kEndOfFrame) {
      result.Breaks.append(QString(ch));
    } else {
      result.Paragraphs.append(ch);
      continue;
    }
    result.Paragraphs.append(kParagraph);
  }
  return result;
}

// The break a new line gets: the one the comment used most, the earliest of equals.
QString UsualBreak(const QStringList& breaks) {
  std::map<QString, int> counts;
  QString usual = QStringLiteral("\n");
  int most = 0;
  for (const QString& kind : breaks) {
    if (const int count = ++counts[kind]; count > most) {
      most = count;
      usual = kind;
    }
  }
  return usual;
}

qsizetype ParagraphsIn(QStringView text) {
  return text.count(kParagraph);
}

}  // namespace

QString CommentAsParagraphs(const QString& comment) {
  return BreakUp(comment).Paragraphs;
}

QString CommentFromParagraphs(const QString& original, const QString& edited) {
  const TBrokenText shown = BreakUp(original);
  const QString& before = shown.Paragraphs;
  // The edit lies between the longest common head and tail; breaks there are the old ones.
  const qsizetype shorter = std::min(before.size(), edited.size());
  qsizetype head = 0;
  while (head < shorter && before[head] == edited[head]) {
    ++head;
  }
  qsizetype tail = 0;
  while (tail < shorter - head &&
         before[before.size() - 1 - tail] == edited[edited.size() - 1 - tail]) {
    ++tail;
  }
  const qsizetype headBreaks = ParagraphsIn(QStringView(before).first(head));
  const qsizetype tailBreaks = ParagraphsIn(QStringView(before).last(tail));
  const qsizetype oldMiddle = shown.Breaks.size() - headBreaks - tailBreaks;
  const qsizetype newMiddle =
      ParagraphsIn(QStringView(edited).sliced(head, edited.size() - head - tail));
  // Lines edited in place keep their breaks; once lines come or go, the new ones are usual.
  const bool middleKept = oldMiddle == newMiddle;
  const QString usual = UsualBreak(shown.Breaks);

  // The n-th separator of the head is the n-th break; the tail's count from the end.
  const qsizetype endShift = shown.Breaks.size() - ParagraphsIn(edited);
  QString result;
  result.reserve(edited.size() + shown.Breaks.size());
  qsizetype seen = 0;  // paragraph separators of `edited` so far
  for (qsizetype at = 0; at < edited.size(); ++at) {
    if (edited[at] != kParagraph) {
      result.append(edited[at]);
      continue;
    }
    if (at < head || (middleKept && at < edited.size() - tail)) {
      result.append(shown.Breaks[seen]);
    } else if (at >= edited.size() - tail) {
      result.append(shown.Breaks[seen + endShift]);
    } else {
      result.append(usual);
    }
    ++seen;
  }
  return result;
}
