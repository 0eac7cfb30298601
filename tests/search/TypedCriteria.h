#pragma once
// Search criteria written in tests as UTF-8 literals, so that the cases read as the user types
// them.

#include <string>

#include "data/Utf8Text.h"
#include "search/SearchStatement.h"

struct TTypedCriteria {
  std::string Version;
  std::string Prefix;
  std::string Code;
  std::string Message;
  std::string Comment;
};

inline TSearchCriteria Criteria(const TTypedCriteria& typed) {
  return {Utf8ToUtf16Exact(typed.Version), Utf8ToUtf16Exact(typed.Prefix),
          Utf8ToUtf16Exact(typed.Code), Utf8ToUtf16Exact(typed.Message),
          Utf8ToUtf16Exact(typed.Comment)};
}
