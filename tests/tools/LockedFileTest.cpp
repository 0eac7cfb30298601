// Every tool on a data file that another program holds locked longer than the tool waits: it
// gives up once the wait is over, however many statements it runs and whatever the lock,
// saying that another program holds the file, with exit code 4, and leaves the file as it was.
#include <filesystem>

#include "tests/data/ForeignLock.h"
#include "tests/tools/ToolPrograms.h"

namespace {

namespace fs = std::filesystem;

// Short, to keep the suite quick; the slack is generous for a loaded machine, yet less than
// the second bound that a tool waiting anew for each statement would add. Under wine, where
// nine programs starting at once take seconds, it is wider: Linux catches such a tool.
constexpr double kWaitSeconds = 2;
#ifdef _WIN32
constexpr double kSlackSeconds = 4;
#else
constexpr double kSlackSeconds = 1.8;
#endif

class LockedFileTest : public TToolPrograms {
 protected:
  // Runs the command lines together with --wait while `lock` holds tolv2_msg.db; each must give
  // up after the wait with exit code 4.
  void ExpectGiveUp(const std::vector<std::string>& lines, const char* lock) {
    const std::string before = FileBytes(Path("tolv2_msg.db"));
    std::vector<TProgramStart> waiting;
    for (const std::string& line : lines) {
      waiting.push_back(Start(line));
      waiting.back().Arguments.insert(waiting.back().Arguments.begin(), {"--wait", "2"});
    }
    std::vector<TProgramRun> runs;
    {
      TForeignLock held(Path("tolv2_msg.db"), lock);
      ASSERT_TRUE(held.Held()) << lock;
      runs = RunTogether(waiting);
    }
    for (std::size_t at = 0; at < runs.size(); ++at) {
      const std::string shown = lock + (": " + lines[at]);
      EXPECT_EQ(runs[at].Exit, 4) << shown << "\n" << runs[at].Err;
      EXPECT_TRUE(Contains(runs[at].Err,
                           ": tolv2_msg.db: another program holds this file locked; "
                           "gave up after 2 s (--wait sets how long)"))
          << shown;
      EXPECT_GE(runs[at].Seconds, kWaitSeconds - 0.05) << shown;
      EXPECT_LT(runs[at].Seconds, kWaitSeconds + kSlackSeconds) << shown;
    }
    EXPECT_EQ(FileBytes(Path("tolv2_msg.db")), before) << lock;
  }
};

TEST_F(LockedFileTest, EveryToolGivesUpAfterTheWait) {
  fs::copy_file(Path("tolv2_msg.db"), Path("other.db"));
  ASSERT_EQ(RunProgram(Start("mkdb comments export tolv2_msg.db --out backup.csv")).Exit, 0);
  Work.Write("alert.log", "ORA-00942\n");
  Work.Write("home/lib/facility.lis", "tns:network:*:Net\n");
  Work.Write("home/network/mesg/tnsus.msg", "12154, 0, \"alias\"\n");
  ExpectGiveUp(
      {"oerr --db tolv2_msg.db ora 942", "oerr --db tolv2_msg.db --grep table",
       "oerr --db tolv2_msg.db explain alert.log", "mkdb check tolv2_msg.db",
       "mkdb comments export tolv2_msg.db", "mkdb comments import tolv2_msg.db backup.csv",
       "mkdb comments carry tolv2_msg.db other.db", "mkdb comments carry other.db tolv2_msg.db",
       "mkdb add tolv2_msg.db --release 12.1 --oracle-home home"},
      "BEGIN EXCLUSIVE");
  EXPECT_FALSE(fs::exists(Path("tolv2_msg.db.unplaced.csv")));
}

// A writer waits for a reserved lock (another writer at work) at the start of its transaction,
// and for the readers (a shared lock) when it commits: the wait is the same.
TEST_F(LockedFileTest, AWriterWaitsTheSameForEveryKindOfLock) {
  fs::copy_file(Path("tolv2_msg.db"), Path("other.db"));
  TLiteDB(Path("other.db")).Query("UPDATE usr_comment SET commentary = 'theirs'");
  for (const char* lock : {"BEGIN IMMEDIATE", "BEGIN; SELECT count(*) FROM sqlite_schema"}) {
    ExpectGiveUp({"mkdb comments carry other.db tolv2_msg.db --overwrite"}, lock);
  }
  // Readers go on while another program writes.
  TForeignLock writer(Path("tolv2_msg.db"), "BEGIN IMMEDIATE");
  EXPECT_EQ(RunProgram(Start("oerr --wait 0 --db tolv2_msg.db ora 942")).Exit, 0);
}

}  // namespace
