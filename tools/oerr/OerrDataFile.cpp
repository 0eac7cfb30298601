#include "tools/oerr/OerrDataFile.h"

#include "app/QtText.h"
#include "app/SettingsStore.h"
#include "app/StartUp.h"
#include "app/UserShell.h"
#include "data/LiteDb.h"

namespace {

// The window's boxes become lines; nothing is ever asked.
class TRecordingShell : public TUserShell {
 public:
  explicit TRecordingShell(std::vector<std::string>& messages) : Messages(messages) {}
  void ShowMessage(const QString& text) override { Messages.push_back(text.toStdString()); }
  bool Confirm(const QString&) override { return false; }
  void RequestTermination() override { Requested = true; }
  bool TerminationRequested() const override { return Requested; }
  TCommentDialogAnswer EditComment(const TCommentDialogRequest&) override { return {}; }

 private:
  std::vector<std::string>& Messages;
  bool Requested = false;
};

std::vector<std::string> Names(const TPickList& list) {
  std::vector<std::string> names;
  for (qsizetype entry = 1; entry < list.Entries.size(); ++entry) {  // past the empty one
    names.push_back(list.Entries[entry].toStdString());
  }
  return names;
}

}  // namespace

TOerrDataFile OpenOerrDataFile(TLiteDB& db, const std::string& path) {
  TOerrDataFile file;
  db.ReadOnly = true;
  db.UnicodeUpper = true;
  db.UniCode = true;
  TRecordingShell shell(file.Problems);
  TSettingsStore settings(db, shell);
  const TStartUpState state = LoadStartUpState(db, path, settings, shell);
  if (state.Stage != TStartUpState::TStage::Ready || shell.TerminationRequested()) {
    if (file.Problems.empty()) {  // refused without a word: never quietly go on
      file.Problems.push_back("the data file cannot be used");
    }
    return file;
  }
  // A lookup reads a few scattered pages: the memory map and the large cache that serve the
  // window's searches would only make the process look big (the map's pages count as its own).
  db.Query("PRAGMA mmap_size=0; PRAGMA cache_size=-2048");
  db.ClearResults();
  file.Versions = Names(*state.Versions);
  file.Prefixes = Names(*state.Prefixes);
  file.RowLimit = state.MaxFetchRows.toStdString();
  return file;
}
