// A row that cannot be stored (memory runs out while the result takes it) fails the statement
// on both paths, with no exception reaching the caller or crossing the engine's C frames.
// This executable replaces the global allocator so that one chosen allocation fails.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "LiteDbFixture.h"
#include "data/Utf8Text.h"

namespace {

// -1: allocations succeed; n >= 0: the allocation after the next n ones fails.
thread_local int AllocationsBeforeFailure = -1;

}  // namespace

void* operator new(std::size_t size) {
  if (AllocationsBeforeFailure == 0) {
    AllocationsBeforeFailure = -1;
    throw std::bad_alloc();
  }
  if (AllocationsBeforeFailure > 0) {
    --AllocationsBeforeFailure;
  }
  if (void* memory = std::malloc(size == 0 ? 1 : size)) {
    return memory;
  }
  throw std::bad_alloc();
}

void operator delete(void* memory) noexcept {
  std::free(memory);
}

void operator delete(void* memory, std::size_t /*size*/) noexcept {
  std::free(memory);
}

namespace {

TEST_F(LiteDbFixture, RowThatCannotBeStoredFailsTheStatement) {
  // Armed while the first row is handed out, so storing the second row's large value fails.
  const char* statement =
      "SELECT id, CASE id WHEN 1 THEN '' ELSE printf('%.*c', 200000, 'x') END FROM msg";
  Db.OnFetchRow = [](TSQLDB&, TResultRow& row) {
    if (row.Field(0).Value == "1") {
      AllocationsBeforeFailure = 0;
    }
  };
  EXPECT_FALSE(Db.Query(statement));
  EXPECT_NE(Db.CurrentResult().ErrorCode, 0);
  EXPECT_EQ(Db.GetErrorMessage(), "out of memory");
  EXPECT_EQ(Db.Row(0).Field(0).Value, "1");

  EXPECT_FALSE(Db.QueryW(UTF8Decode(statement)));
  EXPECT_EQ(Db.CurrentResult().ErrorCode, 7);
  EXPECT_EQ(Db.GetErrorMessage(), "out of memory");
  EXPECT_EQ(Db.Row(0).Field(0).Value, "1");
  // The connection is unharmed.
  Db.OnFetchRow = nullptr;
  ASSERT_TRUE(Db.QueryW(u"SELECT COUNT(*) FROM msg"));
  EXPECT_EQ(Db.Row(0).Field(0).AsInteger(), 3);
}

}  // namespace
