// The programs as a user runs them, from a working folder that is not theirs: bare names are
// files of that folder, and what each says and its exit code, while the window writes a
// comment into the same file.
#include <filesystem>

#include "platform/ProgramDirectory.h"
#include "tests/tools/ToolPrograms.h"

namespace {

namespace fs = std::filesystem;

class ToolProgramsTest : public TToolPrograms {};

// Every command that takes a data file, with bare names: what it says on either stream when it
// succeeds. Nothing is created or read beside the programs.
TEST_F(ToolProgramsTest, BareNamesAreFilesOfTheWorkingFolder) {
  const fs::path beside = FromUtf8(Platform::ProgramDirectory()) / "tolv2_msg.db";
  ASSERT_FALSE(fs::exists(beside));
  fs::copy_file(Path("tolv2_msg.db"), Path("new.db"));
  TLiteDB(Path("new.db")).Query("DELETE FROM usr_comment");
  fs::copy_file(Path("new.db"), Path("carried.db"));
  Work.Write("home/lib/facility.lis", "tns:network:*:Net\n");
  Work.Write("home/network/mesg/tnsus.msg", "12154, 0, \"could not resolve the alias\"\n");
  for (const char* row : {
           "mkdb check tolv2_msg.db | verdict: tolv2_msg.db is sound",
           "mkdb comments export tolv2_msg.db --out backup.csv | tolvane-mkdb: tolv2_msg.db: 1 "
           "comment(s) exported",
           "mkdb comments import new.db backup.csv | new.db: 1 comment(s) added",
           "mkdb comments carry tolv2_msg.db carried.db | carried.db: 1 comment(s) added",
           "mkdb add tolv2_msg.db --release 12.1 --oracle-home home | tolv2_msg.db: 1 version(s), "
           "0 prefix(es), 1 message(s) written",
           "oerr --db tolv2_msg.db --release 12.1 tns 12154 | 12154, 00000, \"could not resolve "
           "the alias\"",
           "oerr --db new.db --release 10.2 ora 942 | // *My comment: mine",
       }) {
    const TProgramRun run = RunProgram(Start(Fields(row)[0]));
    EXPECT_EQ(run.Exit, 0) << row << "\n" << run.Err;
    EXPECT_TRUE(Contains(run.Out + run.Err, Fields(row)[1]));
  }
  EXPECT_FALSE(fs::exists(beside));
}

// What the programs say, each line on standard error naming the program and the file, and
// their exit codes, while the window holds a write transaction on the file (readers go on).
TEST_F(ToolProgramsTest, WhatTheProgramsSayAndTheirExitCodes) {
  Work.Write("garbage.db", std::string(4096, 'g'));
  Work.Write("alert.log", "Errors in file x.trc:\nORA-00942: table or view does not exist\n");
  fs::create_directory(Path("folder.db"));
  fs::copy_file(Path("tolv2_msg.db"), Path("new.db"));
  ASSERT_TRUE(TLiteDB(Path("new.db"))
                  .Query("UPDATE sys_data SET value = '21' WHERE param = 'min_req_exe_vers'"));
  // A comment of 50,000,000 characters, twice the fetch memory bound of 32 MiB as UTF-16.
  fs::copy_file(Path("tolv2_msg.db"), Path("huge.db"));
  ASSERT_TRUE(TLiteDB(Path("huge.db"))
                  .Query("UPDATE usr_comment SET commentary = 'huge:' || "
                         "replace(hex(zeroblob(10000000)), '00', 'word ') || ':end'"));
  const std::string before = FileBytes(Path("tolv2_msg.db"));
  TLiteDB window(Path("tolv2_msg.db"));
  ASSERT_TRUE(window.Query("BEGIN IMMEDIATE; UPDATE usr_comment SET commentary = 'x'"));
  const std::string found =
      "Versions 10.2, 9.2\n00942, 00000, \"table or view does not exist\"\n"
      "// *Cause:  Not there.\n// *Action: Look.\n// *My comment (10.2): ";
  // The command line | the exit code | the start of standard output for 0, of standard error
  // otherwise.
  const std::string rows[] = {
      "oerr --db tolv2_msg.db ORA 00942 | 0 | " + found + "mine\n",
      "oerr --db huge.db ora 942 | 0 | " + found + "huge:word word ",
      "oerr --db tolv2_msg.db ORA-00942: table or view does not exist | 0 | Versions 10.2, 9.2\n",
      "oerr --db tolv2_msg.db ora-1017 --release 9.2 | 1 | tolvane-oerr: no message ORA-1017 in "
      "version 9.2\n",
      "oerr --db tolv2_msg.db --release 8.0 ora 942 | 1 | tolvane-oerr: tolv2_msg.db has no "
      "version 8.0; it has 10.2, 9.2\n",
      "oerr --db tolv2_msg.db --grep invalid%password ora | 0 | ORA-01017  10.2  invalid "
      "username/password\n",
      "oerr --db tolv2_msg.db xyz 1 | 1 | tolvane-oerr: unknown facility xyz\n",
      "oerr --db tolv2_msg.db --comment nothing-like-it | 1 | tolvane-oerr: no comment matches "
      "nothing-like-it\n",
      "oerr --db tolv2_msg.db ora abc | 2 | tolvane-oerr: 'abc' is no code: a code is digits, as "
      "in: ora 942\nTry 'tolvane-oerr --help'.\n",
      "oerr --db tolv2_msg.db explain alert.log | 0 | ORA-00942: seen 1 time, first on line 2 of "
      "alert.log\nVersions 10.2, 9.2\n",
      "oerr --db tolv2_msg.db explain nope.log | 3 | tolvane-oerr: nope.log: no such file\n",
      "oerr --db none.db ora 942 | 3 | tolvane-oerr: none.db: no such data file\n",
      "oerr --db folder.db ora 942 | 3 | tolvane-oerr: folder.db: is a folder\n",
      "oerr --db garbage.db ora 942 | 3 | tolvane-oerr: garbage.db: ERROR (LP): file is not a "
      "database\ntolvane-oerr: garbage.db: E: Datafile is broken\n",
      "oerr --db new.db ora 942 | 3 | tolvane-oerr: new.db: E: Can't load error messages form "
      "file. Program's version too old.\n",
      "oerr ora 942 | 3 | tolvane-oerr: " + Platform::ProgramDirectory() +
          "tolv2_msg.db: no such data file\n",
      "mkdb check nothere.db | 3 | tolvane-mkdb: nothere.db: no such data file\n",
      "mkdb check folder.db | 3 | tolvane-mkdb: folder.db: is a folder\n",
      "mkdb comments export none.db | 1 | tolvane-mkdb: none.db: no such data file\n",
  };
  std::vector<TProgramStart> starts;
  for (const std::string& row : rows) {
    starts.push_back(Start(Fields(row)[0]));
  }
  const std::vector<TProgramRun> runs = RunTogether(starts);
  for (std::size_t at = 0; at < runs.size(); ++at) {
    const TProgramRun& run = runs[at];
    const std::vector<std::string> fields = Fields(rows[at]);
    const int exit = std::stoi(fields[1]);
    EXPECT_EQ(run.Exit, exit) << rows[at] << "\n" << run.Out << run.Err;
    const std::string& said = exit == 0 ? run.Out : run.Err;
    EXPECT_EQ(said.substr(0, fields[2].size()), fields[2]) << rows[at];
  }
  EXPECT_NE(runs[1].Out.find("word word :end\n"), std::string::npos) << "the huge comment was cut";
  // The check names a file that is none on standard error, and gives its verdict as ever.
  EXPECT_EQ(runs[runs.size() - 3].Out, "verdict: nothere.db is no data file\n");
  EXPECT_FALSE(fs::exists(Path("none.db")));
  ASSERT_TRUE(window.Query("ROLLBACK"));
  window.Close();
  EXPECT_EQ(FileBytes(Path("tolv2_msg.db")), before);
}

}  // namespace
