// The engine beside the program is our own build, tuned for the data file and distrusting
// what a file carries. The suite runs a second time against the system's engine
// (TOLVANE_ENGINE_UNDER_TEST=system), where the same checks must come out the other way:
// that shows they can fail. Only a developer's build, which may place the system's engine
// when ours cannot be built, expects it otherwise: a build that requires ours (the ci and asan
// presets) fails here whenever the system's is tested without being named.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/EngineLibrary.h"
#include "platform/Library.h"

namespace {

struct TDb;
using TRows = std::vector<std::string>;
using TCallback = int (*)(void*, int, char**, char**);
using TFunction = void (*)(void*, int, void**);

// The few entry points these checks need, looked up in whichever engine loads beside us.
class TEngine {
 public:
  TEngine() : Library(Platform::LoadLibraryByName(Platform::kSqlite3LibraryName)) {
    Bind(Open, "sqlite3_open");
    Bind(Close, "sqlite3_close");
    Bind(ExecSql, "sqlite3_exec");
    Bind(Free, "sqlite3_free");
    Bind(CreateFunction, "sqlite3_create_function_v2");
    Bind(ResultInt, "sqlite3_result_int");
    // A function with a side effect, registered as a program would that did not mark it
    // harmless.
    const TFunction sideEffect = [](void* context, int, void**) {
      static int calls = 0;
      ResultInt(context, ++calls);
    };
    constexpr int kUtf8 = 1;
    if (Library != nullptr && Bound &&
        (Open(":memory:", &Db) != 0 ||
         CreateFunction(Db, "side_effect", 0, kUtf8, nullptr, sideEffect, nullptr, nullptr,
                        nullptr) != 0)) {
      Close(Db);
      Db = nullptr;
    }
  }
  ~TEngine() {
    if (Db != nullptr) {
      Close(Db);
    }
    Platform::UnloadLibrary(Library);
  }
  TEngine(const TEngine&) = delete;
  TEngine& operator=(const TEngine&) = delete;

  bool Ok() const { return Db != nullptr; }

  // Runs `sql`; the first column of every row, or the engine's error text after "ERROR: ".
  TRows Exec(const std::string& sql) {
    TRows rows;
    char* error = nullptr;
    const TCallback collect = [](void* out, int, char** values, char**) {
      static_cast<TRows*>(out)->push_back(values[0] ? values[0] : "NULL");
      return 0;
    };
    if (ExecSql(Db, sql.c_str(), collect, &rows, &error) != 0) {
      rows = {std::string("ERROR: ") + (error ? error : "")};
    }
    Free(error);
    return rows;
  }

 private:
  template <typename TEntry>
  void Bind(TEntry& entry, const char* name) {
    entry = reinterpret_cast<TEntry>(Platform::FindEntryPoint(Library, name));
    Bound = Bound && entry != nullptr;
  }

  Platform::TLibraryHandle Library;
  bool Bound = true;
  TDb* Db = nullptr;
  int (*Open)(const char*, TDb**) = nullptr;
  int (*Close)(TDb*) = nullptr;
  int (*ExecSql)(TDb*, const char*, TCallback, void*, char**) = nullptr;
  void (*Free)(void*) = nullptr;
  int (*CreateFunction)(TDb*, const char*, int, int, void*, TFunction, void*, void*,
                        void*) = nullptr;
  static inline void (*ResultInt)(void*, int) = nullptr;
};

bool OwnEngineExpected() {
  const char* under = std::getenv("TOLVANE_ENGINE_UNDER_TEST");
  const bool own = TOLVANE_OWN_ENGINE_BUILT || TOLVANE_OWN_ENGINE_REQUIRED;
  return own && !(under != nullptr && std::string(under) == "system");
}

TEST(EngineBuildTest, TheEngineBesideTheProgramCarriesOurOptions) {
  TEngine engine;
  ASSERT_TRUE(engine.Ok());
  const TRows options = engine.Exec("PRAGMA compile_options");
  for (const std::string option :
       {"DEFAULT_MEMSTATUS=0", "DEFAULT_MMAP_SIZE=1073741824", "DEFAULT_CACHE_SIZE=-65536",
        "OMIT_LOAD_EXTENSION", "SECURE_DELETE", "THREADSAFE=1"}) {
    // Thread safety and deletion that leaves nothing behind are as in the system's build.
    const bool shared = option == "THREADSAFE=1" || option == "SECURE_DELETE";
    EXPECT_EQ(std::ranges::count(options, option) > 0, OwnEngineExpected() || shared) << option;
  }
}

// A view or trigger that a data file from elsewhere carries must not reach a function with
// side effects; SQL typed as a statement still may.
TEST(EngineBuildTest, ViewsAndTriggersOfTheFileCannotCallFunctionsWithSideEffects) {
  TEngine engine;
  ASSERT_TRUE(engine.Ok());
  ASSERT_EQ(engine.Exec("CREATE TABLE t (a); CREATE VIEW v AS SELECT side_effect() AS x; "
                        "CREATE TRIGGER tr AFTER INSERT ON t BEGIN SELECT side_effect(); END"),
            TRows{});
  EXPECT_EQ(engine.Exec("SELECT side_effect() > 0"), TRows{"1"});
  const TRows refused{"ERROR: unsafe use of side_effect()"};
  const bool own = OwnEngineExpected();
  EXPECT_EQ(engine.Exec("SELECT x > 0 FROM v"), own ? refused : TRows{"1"});
  EXPECT_EQ(engine.Exec("INSERT INTO t VALUES (1)"), own ? refused : TRows{});
}

}  // namespace
