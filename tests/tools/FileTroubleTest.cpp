// Files that are not what they should be: a symbolic-link loop in the place of every file a
// command takes, a full disk under a backup, a carry killed before it committed, and a data
// file in write-ahead-log mode, also in a read-only folder.
#include <filesystem>
#include <thread>

#include "tests/data/ForeignLock.h"
#include "tests/tools/ToolPrograms.h"
#include "tests/tools/support/SmallFilesystem.h"

namespace {

namespace fs = std::filesystem;

class FileTroubleTest : public TToolPrograms {
 protected:
  // Only the names of the files in `folder`.
  std::vector<std::string> FilesIn(const std::string& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(Path(folder))) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
};

#ifndef _WIN32  // Windows programs under wine meet no POSIX symbolic links
// A loop is named like a missing file, with the system's reason and the same exit code; no
// command ends with an uncaught exception (exit code 134).
TEST_F(FileTroubleTest, ASymbolicLinkLoopIsNamedLikeAMissingFile) {
  for (const char* pair : {"a.db", "a.csv", "a.log", "a.dir"}) {
    const std::string name(pair);
    const std::string other = "b" + name.substr(1);
    fs::create_symlink(other, Path(name));
    fs::create_symlink(name, Path(other));
  }
  fs::copy_file(Path("tolv2_msg.db"), Path("other.db"));
  Work.Write("c.csv", "version,prefix,code,comment,lastdate\r\n");
  Work.Write("home/lib/facility.lis", "tns:network:*:Net\n");
  // The command line | its exit code | the file named, with the system's reason.
  for (const char* row : {
           "oerr --db a.db ora 942 | 3 | tolvane-oerr: a.db",
           "oerr --db tolv2_msg.db explain a.log | 3 | tolvane-oerr: a.log",
           "mkdb check a.db | 3 | tolvane-mkdb: a.db",
           "mkdb comments export a.db | 1 | tolvane-mkdb: a.db",
           "mkdb comments import a.db c.csv | 1 | tolvane-mkdb: a.db",
           "mkdb comments import tolv2_msg.db a.csv | 1 | tolvane-mkdb: a.csv",
           "mkdb comments carry a.db other.db | 1 | tolvane-mkdb: a.db",
           "mkdb comments carry tolv2_msg.db a.db | 1 | tolvane-mkdb: a.db",
           "mkdb add a.db --release 1 --oracle-home home | 1 | tolvane-mkdb: a.db",
           "mkdb add new.db --release 1 --oracle-home a.dir | 1 | tolvane-mkdb: a.dir/lib",
           "mkdb create new.db --from a.dir | 1 | tolvane-mkdb: a.dir/catalogue.txt",
       }) {
    const std::vector<std::string> fields = Fields(row);
    const TProgramRun run = RunProgram(Start(fields[0]));
    EXPECT_EQ(run.Exit, std::stoi(fields[1])) << row << "\n" << run.Err;
    EXPECT_EQ(run.Err.find(fields[2]), 0u) << row << "\n" << run.Err;
    EXPECT_TRUE(Contains(run.Err, ": Too many levels of symbolic links"));
  }
  EXPECT_FALSE(fs::exists(Path("new.db")));
}
#endif

// A backup written onto a full disk fails with the system's reason and leaves the old backup
// byte for byte, and no part of the new one.
TEST_F(FileTroubleTest, AFullDiskLeavesTheOldBackupAsItWas) {
#ifdef _WIN32
  GTEST_SKIP() << "neither a small file system nor a file size limit is at hand under wine";
#else
  // Comments enough that the export needs more room than is left.
  TLiteDB(Path("tolv2_msg.db")).Query("UPDATE usr_comment SET commentary = hex(zeroblob(40000))");
  fs::create_directory(Path("disk"));
  TSmallFilesystem disk(Path("disk"), 64);
  Work.Write("disk/backup.csv",
             "version,prefix,code,comment,lastdate\r\n10.2,ORA,00942,older,2023-01-01\r\n");
  TProgramStart start = Start("mkdb comments export tolv2_msg.db --out disk/backup.csv");
  std::string reason = "No space left on device";
  if (disk.Mounted()) {
    disk.Fill();
  } else {  // without the right to mount: a limit on the size of the files it writes
    start.FileSizeLimit = 16 * 1024;
    reason = "File too large";
  }
  const std::string before = FileBytes(Path("disk/backup.csv"));
  const std::vector<std::string> files = FilesIn("disk");
  const TProgramRun run = RunProgram(start);
  EXPECT_EQ(run.Exit, 1) << run.Err;
  EXPECT_EQ(run.Err, "tolvane-mkdb: disk/backup.csv: cannot be written: " + reason + "\n");
  EXPECT_EQ(FileBytes(Path("disk/backup.csv")), before);
  EXPECT_EQ(FilesIn("disk"), files);
#endif
}

// A carry killed while it waits to commit leaves the new data file as it was and no list of
// unplaced comments, which would name comments as left out of a carry that did not happen.
TEST_F(FileTroubleTest, AKilledCarryLeavesNoUnplacedCommentsFile) {
  fs::copy_file(Path("tolv2_msg.db"), Path("new.db"));
  TLiteDB(Path("new.db"))
      .Query("DELETE FROM usr_comment; DELETE FROM version WHERE vers_name = '9.2'");
  TLiteDB(Path("tolv2_msg.db"))
      .Query(
          "INSERT INTO usr_comment SELECT e_pk, 'old', '' FROM error JOIN version ON vers_pk "
          "= vers_fk WHERE vers_name = '9.2'");
  const std::string before = FileBytes(Path("new.db"));
  {
    TForeignLock reader(Path("new.db"), "BEGIN; SELECT count(*) FROM sqlite_schema");
    ASSERT_TRUE(reader.Held());
    TRunningProgram carry(Start("mkdb --wait 30 comments carry tolv2_msg.db new.db"));
    ASSERT_TRUE(carry.Started());
    // The journal shows that it writes; then it waits for the reader to let it commit.
    for (int waited = 0; !fs::exists(Path("new.db-journal")) && waited < 20000; waited += 10) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(fs::exists(Path("new.db-journal")));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_FALSE(carry.Ended());
    carry.Kill();
  }
  EXPECT_FALSE(fs::exists(Path("new.db.unplaced.csv")));
  TLiteDB(Path("new.db")).Query("SELECT 1");  // rolls the journal back, as any reader would
  EXPECT_EQ(FileBytes(Path("new.db")), before);
}

// A data file in write-ahead-log mode: the read-only tools leave its folder as it was, and
// read it in a read-only folder; when it has a log there that the engine cannot read, they
// say so.
TEST_F(FileTroubleTest, AWriteAheadLogFileIsReadAndItsFolderLeftAsItWas) {
  fs::create_directory(Path("wal"));
  fs::copy_file(Path("tolv2_msg.db"), Path("wal/tolv2_msg.db"));
  ASSERT_TRUE(TLiteDB(Path("wal/tolv2_msg.db")).Query("PRAGMA journal_mode=WAL"));
  const TProgramStart readers[] = {Start("oerr --db wal/tolv2_msg.db ora 942"),
                                   Start("mkdb check wal/tolv2_msg.db"),
                                   Start("mkdb comments export wal/tolv2_msg.db")};
  const auto readAll = [&](const char* where) {
    const std::vector<std::string> files = FilesIn("wal");
    for (const TProgramStart& start : readers) {
      const TProgramRun run = RunProgram(start);
      EXPECT_EQ(run.Exit, 0) << where << testing::PrintToString(start.Arguments) << run.Err;
      EXPECT_EQ(FilesIn("wal"), files) << where;
    }
  };
  ASSERT_EQ(FilesIn("wal"), std::vector<std::string>{"tolv2_msg.db"});
  readAll("in a folder it may write: ");
#ifdef _WIN32
  GTEST_SKIP() << "no read-only folder to be had under wine";
#else
  TSmallFilesystem disk(Path("wal"), 1024);
  if (!disk.Mounted()) {
    GTEST_SKIP() << "needs the right to mount a file system";
  }
  fs::copy_file(Path("tolv2_msg.db"), Path("wal/tolv2_msg.db"));
  ASSERT_TRUE(TLiteDB(Path("wal/tolv2_msg.db")).Query("PRAGMA journal_mode=WAL"));
  // A file whose log still holds a change, copied as a crash of its writer would leave them.
  fs::copy_file(Path("tolv2_msg.db"), Path("logged.db"));
  {
    TLiteDB writer(Path("logged.db"));
    ASSERT_TRUE(
        writer.Query("PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0; "
                     "UPDATE usr_comment SET commentary = 'logged'"));
    fs::copy_file(Path("logged.db"), Path("wal/logged.db"));
    fs::copy_file(Path("logged.db-wal"), Path("wal/logged.db-wal"));
  }
  ASSERT_TRUE(disk.MakeReadOnly());
  readAll("in a read-only folder: ");
  const TProgramRun logged = RunProgram(Start("oerr --db wal/logged.db ora 942"));
  EXPECT_EQ(logged.Exit, 3) << logged.Err;
  EXPECT_EQ(logged.Err,
            "tolvane-oerr: wal/logged.db: the file is in write-ahead-log mode, and its log "
            "wal/logged.db-wal cannot be read in this folder (Read-only file system): copy both "
            "files into a folder you can write\n");
#endif
}

}  // namespace
