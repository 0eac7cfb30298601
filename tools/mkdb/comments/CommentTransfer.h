#pragma once
// Moving the user's comments between data files. A comment travels with the identity of its
// message (version name, prefix name, stored code), since the keys of a newer file differ.
// On import each comment lands on the one message of that identity by the program's rule of
// one comment row per message: the message's rows are updated, or one row is inserted.

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/cli/ExitCode.h"
#include "tools/mkdb/comments/CommentsCsv.h"

// Every comment of the data file `path` (UTF-8, relative to the working folder; opened
// read-only, waiting at most `wait` for another program's lock), in the order of its identity.
// A comment whose message the file lacks is kept with an empty identity and named in
// `warnings`. False with `failure` when the file cannot be read.
bool ReadComments(const std::string& path, std::chrono::milliseconds wait,
                  std::vector<TCommentRecord>& records, std::vector<std::string>& warnings,
                  TFailure& failure);

struct TCommentImportOptions {
  // Replace a different comment even when the file's own is newer by its lastdate.
  bool Overwrite = false;
  // How long to wait for a target file that another program holds locked.
  std::chrono::milliseconds Wait{5000};
};

struct TUnplacedComment {
  TCommentRecord Record;
  std::string Reason;  // "no such message", "2 messages match"
};

struct TCommentImportSummary {
  std::int64_t Inserted = 0;   // on a message that had no comment
  std::int64_t Replaced = 0;   // a different comment was replaced
  std::int64_t Unchanged = 0;  // the message already had this very text
  std::int64_t KeptNewer = 0;  // the message's own different comment is newer and stays
  std::vector<TUnplacedComment> Unplaced;
  std::string UnplacedFile;   // written when Unplaced is not empty
  std::string UnplacedError;  // why it could not be written, then
};

// "DIR/NAME.unplaced.csv" for the target "DIR/NAME".
std::string UnplacedCommentsPath(const std::string& target);

// Puts `records` into the existing data file at `target` in one transaction. Comments without
// exactly one message of their identity are left out and, once the transaction committed,
// written in the comments file's format to UnplacedCommentsPath(target) (when that fails, the
// import stands and UnplacedError says why). Of two different texts the one with the later
// lastdate (compared as stored text; none is oldest) stays, unless `Overwrite`; a tie keeps
// the target's. Several records for one message apply in their order. False with `failure`
// when anything else fails: then the target is as it was.
bool ImportComments(const std::string& target, const std::vector<TCommentRecord>& records,
                    const TCommentImportOptions& options, TCommentImportSummary& summary,
                    TFailure& failure);
