#include "tools/oerr/OerrDataFile.h"

#include <algorithm>

#include "app/NoticeSink.h"
#include "app/ProgramFiles.h"
#include "app/SettingsStore.h"
#include "app/StartUpData.h"
#include "data/Utf8Text.h"

namespace {

// The window's boxes become lines.
class TRecordingNotices : public TNoticeSink {
 public:
  explicit TRecordingNotices(std::vector<std::string>& messages) : Messages(messages) {}
  void Notify(const std::u16string& text) override { Messages.push_back(Utf16ToUtf8Exact(text)); }
  void RequestTermination() override { Requested = true; }
  bool TerminationRequested() const override { return Requested; }

 private:
  std::vector<std::string>& Messages;
  bool Requested = false;
};

std::vector<std::string> Names(const TStartUpNames& list) {
  std::vector<std::string> names;
  for (const std::u16string& name : list.Names) {
    names.push_back(Utf16ToUtf8Exact(name));
  }
  return names;
}

}  // namespace

const TOption kReleaseOption{"--release", "NAME",
                             "only that Oracle version, as the data file names it (19c)"};
const TOption kDataFileOption{"--db", "FILE",
                              "the data file to read; by default tolv2_msg.db beside the program"};

TOerrDataFile::TOerrDataFile(const TArguments& arguments)
    : Opened(std::make_unique<TToolDataFile>(arguments.Value("--db").value_or(DataFilePath()),
                                             TToolDataFile::TOptions{true, arguments.Wait})),
      ReleaseName(arguments.Value("--release")) {}

bool TOerrDataFile::ReadStartUp(std::vector<std::string>& problems) {
  TLiteDB& db = Opened->Db();
  db.UnicodeUpper = true;
  TRecordingNotices notices(problems);
  TSettingsStore settings(db, notices);
  const TStartUpData data = ReadStartUpData(db, Opened->Path(), settings, notices);
  if (data.Stage != TStartUpStage::Ready || notices.TerminationRequested()) {
    if (problems.empty()) {  // refused without a word: never quietly go on
      problems.push_back("the data file cannot be used");
    }
    return false;
  }
  // A lookup reads a few scattered pages: the memory map and the large cache that serve the
  // window's searches would only make the process look big (the map's pages count as its own).
  db.Query("PRAGMA mmap_size=0; PRAGMA cache_size=-2048");
  db.ClearResults();
  VersionNames = Names(*data.Versions);
  PrefixNames = Names(*data.Prefixes);
  Limit = Utf16ToUtf8Exact(data.MaxFetchRows);
  return true;
}

bool TOerrDataFile::Open(const TToolContext& context) {
  if (!Opened->Check()) {
    ExitCode = context.Fail(Opened->OpenFailure());
    return false;
  }
  std::vector<std::string> problems;
  if (!ReadStartUp(problems)) {
    if (const std::optional<TFailure> hindrance = Opened->Hindrance()) {
      ExitCode = context.Fail(*hindrance);
      return false;
    }
    for (const std::string& problem : problems) {
      context.Say(Opened->Name() + ": " + problem);
    }
    ExitCode = kExitUnusable;
    return false;
  }
  if (ReleaseName &&
      std::find(VersionNames.begin(), VersionNames.end(), *ReleaseName) == VersionNames.end()) {
    std::string known;
    for (const std::string& name : VersionNames) {
      known += (known.empty() ? "" : ", ") + name;
    }
    ExitCode = context.Fail({kExitFailed, Opened->Name() + " has no version " + *ReleaseName +
                                              "; it has " + (known.empty() ? "none" : known)});
    return false;
  }
  return true;
}
