#include "data/SqlDb.h"

#include "data/FormatSql.h"
#include "data/Utf8Text.h"

namespace {

const std::string kDefaultResultName = "default";

}  // namespace

TSQLDB::TSQLDB() {
  ClearResults();
}

TSQLDB::~TSQLDB() = default;

bool TSQLDB::FormatQuery(const std::u16string& format, std::span<const TSqlArg> args) {
  std::optional<std::u16string> statement = FormatSQL(UTF8Encode(format), args);
  if (!statement) {
    TResultSet& result = CurrentResult();
    result.Clear();
    result.FailWithOwnText(-1, "Invalid format");
    result.HasResult = false;
    return false;
  }
  return QueryW(*statement);
}

std::string TSQLDB::FetchMemoryLimitText() const {
  constexpr std::int32_t kKiB = 1024;
  constexpr std::int32_t kMiB = 1024 * kKiB;
  std::string limit = std::to_string(FetchMemoryLimit) + " bytes";
  if (FetchMemoryLimit >= kMiB && FetchMemoryLimit % kMiB == 0) {
    limit = std::to_string(FetchMemoryLimit / kMiB) + " MiB";
  } else if (FetchMemoryLimit >= kKiB && FetchMemoryLimit % kKiB == 0) {
    limit = std::to_string(FetchMemoryLimit / kKiB) + " KiB";
  }
  return "the result is larger than the fetch memory limit of " + limit;
}

void TSQLDB::Lock() {
  if (ThreadSafe) {
    ComponentLock.lock();
  }
}

void TSQLDB::Unlock() {
  if (ThreadSafe) {
    ComponentLock.unlock();
  }
}

std::string TSQLDB::Result() {
  if (RowCount() < 1 || ColCount() < 1) {
    return {};
  }
  return Row(0).Field(0).Value;
}

void TSQLDB::ClearResults() {
  Results.clear();
  auto result = std::make_unique<TResultSet>(kDefaultResultName, this);
  Current = result.get();
  Results.emplace(kDefaultResultName, std::move(result));
}

void TSQLDB::SetResultSet(const std::string& name) {
  auto found = Results.find(name);
  if (found == Results.end()) {
    found = Results.emplace(name, std::make_unique<TResultSet>(name, this)).first;
  }
  Current = found->second.get();
}

void TSQLDB::SetActive(bool active) {
  if (active) {
    Use(DataBaseName);
  } else {
    Close();
  }
}

void TSQLDB::Notify(const TNotifyEvent& event) {
  if (!event) {
    return;
  }
  try {
    event(*this);
  } catch (...) {
    // A handler's failure must not change the outcome of the statement that ran.
  }
}

void TSQLDB::NotifyFetchRow(TResultRow& row) {
  if (!OnFetchRow) {
    return;
  }
  try {
    OnFetchRow(*this, row);
  } catch (...) {
    // As in Notify: fetching goes on.
  }
}
