// Carries 100,000 comments (the second argument changes it) from one synthetic data file of
// 1,000,000 messages (the first argument) to another whose message keys all differ, and
// prints the time against the baseline: the engine alone placing the same comments with one
// INSERT ... SELECT between the two files attached, with nothing of ours in between.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "bench/support/EngineAlone.h"
#include "bench/synth/SyntheticDataFile.h"
#include "data/LiteDb.h"
#include "tools/mkdb/comments/CommentTransfer.h"

namespace fs = std::filesystem;
using TClock = std::chrono::steady_clock;

namespace {

constexpr double kTargetSeconds = 10.0;

bool Run(const fs::path& file, const std::string& sql) {
  TLiteDB db(file.string());
  if (db.Query(sql)) {
    return true;
  }
  std::fprintf(stderr, "%s: %s\n", file.string().c_str(), db.GetErrorMessage().c_str());
  return false;
}

std::int64_t CommentCount(const fs::path& file) {
  TLiteDB db(file.string());
  return db.Query("SELECT count(*) FROM usr_comment") ? db.Row(0).Field(0).AsInteger() : -1;
}

double Since(TClock::time_point start) {
  return std::chrono::duration<double>(TClock::now() - start).count();
}

// Every tenth message gets a comment with the characters that need quoting in CSV.
std::string AddComments(long long comments) {
  return "INSERT INTO usr_comment (e_fk, commentary, lastdate) SELECT e_pk, 'Note ' || e_pk || "
         "': it''s \"checked\", see' || char(13, 10) || 'the second line', "
         "datetime('2024-01-01', '+' || e_pk || ' seconds') FROM error WHERE e_pk % 10 = 0 "
         "ORDER BY e_pk LIMIT " +
         std::to_string(comments);
}

constexpr std::u16string_view kBaseline =
    u"INSERT INTO main.usr_comment (e_fk, commentary, lastdate) "
    u"SELECT ne.e_pk, c.commentary, c.lastdate FROM old.usr_comment c "
    u"JOIN old.error oe ON oe.e_pk = c.e_fk JOIN old.version ov ON ov.vers_pk = oe.vers_fk "
    u"JOIN old.prefix op ON op.pref_pk = oe.pref_fk "
    u"JOIN main.version nv ON nv.vers_name = ov.vers_name "
    u"JOIN main.prefix np ON np.pref_name = op.pref_name "
    u"JOIN main.error ne ON ne.e_code = oe.e_code AND ne.pref_fk = np.pref_pk "
    u"AND ne.vers_fk = nv.vers_pk";

}  // namespace

int main(int argc, char** argv) {
  const long long messages = argc > 1 ? std::atoll(argv[1]) : 1000000;
  const long long comments = argc > 2 ? std::atoll(argv[2]) : 100000;
  const fs::path folder = fs::temp_directory_path() / "tolvane-comment-bench";
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path old = folder / "old.db";
  const fs::path next = folder / "new.db";
  const fs::path baseline = folder / "baseline.db";

  TSyntheticSummary summary;
  std::string error;
  if (!WriteSyntheticDataFile(old.string(), messages, nullptr, summary, error)) {
    std::fprintf(stderr, "build failed: %s\n", error.c_str());
    return 1;
  }
  fs::copy_file(old, next);
  if (!Run(old, AddComments(comments)) || !Run(next, "UPDATE error SET e_pk = e_pk + 10000000")) {
    return 1;
  }
  fs::copy_file(next, baseline);
  std::printf("%lld messages per file, %lld comments to carry\n",
              static_cast<long long>(summary.Messages), static_cast<long long>(CommentCount(old)));

  auto start = TClock::now();
  {
    TEngineAlone engine(baseline.string(), true);
    std::uint64_t checksum = 0;
    const std::u16string attach = u"ATTACH DATABASE '" + old.u16string() + u"' AS old";
    if (!engine.Ok() || engine.Run(attach, checksum) < 0 || engine.Run(u"BEGIN", checksum) < 0 ||
        engine.Run(std::u16string(kBaseline), checksum) < 0 ||
        engine.Run(u"COMMIT", checksum) < 0) {
      std::fprintf(stderr, "baseline failed\n");
      return 1;
    }
  }
  const double engineSeconds = Since(start);

  start = TClock::now();
  std::vector<TCommentRecord> records;
  std::vector<std::string> warnings;
  TCommentImportSummary imported;
  TFailure failure;
  if (!ReadComments(old.string(), std::chrono::seconds(5), records, warnings, failure) ||
      !ImportComments(next.string(), records, {}, imported, failure)) {
    std::fprintf(stderr, "carry failed: %s\n", failure.Text.c_str());
    return 1;
  }
  const double carrySeconds = Since(start);

  std::printf("engine alone, one INSERT ... SELECT: %.2f s, %lld comments placed\n", engineSeconds,
              static_cast<long long>(CommentCount(baseline)));
  std::printf("comments carry: %.2f s, %lld comments placed, %zu unplaced (%.1fx the engine)\n",
              carrySeconds, static_cast<long long>(CommentCount(next)), imported.Unplaced.size(),
              carrySeconds / engineSeconds);
  std::printf("target: under %.0f s for 100,000 comments between 1,000,000-message files: %s\n",
              kTargetSeconds, carrySeconds < kTargetSeconds ? "met" : "NOT met");
  fs::remove_all(folder);
  return 0;
}
