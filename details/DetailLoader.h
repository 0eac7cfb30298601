#pragma once
// Reading the detail view's rows for one message: identity and text, cause and action
// (unscrambled), and the user's comment when there is one.

#include <QString>
#include <vector>

#include "details/DetailModel.h"
#include "search/ResultModel.h"

class TSQLDB;

struct TDetailLoad {
  std::vector<TDetData> Rows;  // six rows, or eight with a comment; none on failure
  QString Error;               // the message to show the user; empty when nothing failed
};

// `commentHeading` is the heading of the comment rows, in the interface's current language.
// A message that is no longer in the data file gives no rows and no error.
TDetailLoad LoadDetails(TSQLDB& db, const TResData& record, const QString& commentHeading);
