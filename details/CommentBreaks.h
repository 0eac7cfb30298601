#pragma once
// The comment editor shows a comment in a text document, which keeps every character of it
// but one kind: each line break, whether CR LF, a lone CR, LF, U+2029 or one of the
// document's frame markers, becomes the same paragraph separator (U+2029) in the document's
// raw text. These two functions carry the comment's own breaks through the editor, so that
// what the user did not change is saved as it was stored.

#include <QString>

// The document's raw text that `comment` becomes once it is shown in the editor.
QString CommentAsParagraphs(const QString& comment);

// The comment to save from the editor's raw text `edited`, shown from `original`: every
// paragraph separator that stands where the original had a break gets that break back, and
// a break the user added takes the form the comment used most (LF when it had none). An
// unchanged text gives `original` itself.
QString CommentFromParagraphs(const QString& original, const QString& edited);
