#include "tools/oerr/OerrDataFile.h"

#include "app/NoticeSink.h"
#include "app/SettingsStore.h"
#include "app/StartUpData.h"
#include "data/LiteDb.h"
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

TOerrDataFile OpenOerrDataFile(TLiteDB& db, const std::string& path) {
  TOerrDataFile file;
  db.ReadOnly = true;
  db.UnicodeUpper = true;
  db.UniCode = true;
  TRecordingNotices notices(file.Problems);
  TSettingsStore settings(db, notices);
  const TStartUpData data = ReadStartUpData(db, path, settings, notices);
  if (data.Stage != TStartUpStage::Ready || notices.TerminationRequested()) {
    if (file.Problems.empty()) {  // refused without a word: never quietly go on
      file.Problems.push_back("the data file cannot be used");
    }
    return file;
  }
  // A lookup reads a few scattered pages: the memory map and the large cache that serve the
  // window's searches would only make the process look big (the map's pages count as its own).
  db.Query("PRAGMA mmap_size=0; PRAGMA cache_size=-2048");
  db.ClearResults();
  file.Versions = Names(*data.Versions);
  file.Prefixes = Names(*data.Prefixes);
  file.RowLimit = Utf16ToUtf8Exact(data.MaxFetchRows);
  return file;
}
