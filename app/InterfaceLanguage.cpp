#include "app/InterfaceLanguage.h"

#include <exception>

#include "app/CommDialogCaptions.h"
#include "app/QtText.h"
#include "app/SettingsStore.h"
#include "data/SqlDb.h"
#include "data/Transaction.h"
#include "platform/AnsiText.h"

namespace {

// The statement text is part of the data file's contract: kept blank for blank as it has
// always been run, so that statement logs and tests compare it exactly.
constexpr char16_t kLangTxtQuery[] =
    u"SELECT int_text FROM   language_en len, language_int lint WHERE  lang_fk = lang_pk   AND  "
    u"en_text = %s   AND  lang_abr = %s";

// The code whose captions are the interface's own; compared with regard to letter case.
constexpr char kEnglishCode[] = "EN";

}  // namespace

std::vector<QString> EnglishGuiCaptions() {
  return {QStringLiteral("Find"),
          QStringLiteral(" Search criteria "),
          QStringLiteral("Oracle version"),
          QStringLiteral("Error prefix"),
          QStringLiteral("Error Code"),
          QStringLiteral("Error Message"),
          QStringLiteral("My Comment"),
          QStringLiteral("About"),
          QStringLiteral("Version"),
          QStringLiteral("Code"),
          QStringLiteral("Message"),
          QStringLiteral("Add/Edit Comment"),
          QStringLiteral("Copy to clipboard"),
          QStringLiteral("Delete"),
          QStringLiteral("Cancel"),
          QStringLiteral("Save")};
}

std::vector<TCaptionSlot> CommDialogCaptionSlots(TCommDialogCaptions& captions) {
  return {{captions.Delete, [&captions](const QString& text) { captions.Delete = text; }},
          {captions.Cancel, [&captions](const QString& text) { captions.Cancel = text; }},
          {captions.Save, [&captions](const QString& text) { captions.Save = text; }}};
}

QString GetLangTxt(TSQLDB& db, const std::string& langCode, const QString& english) {
  if (!db.FormatQuery(kLangTxtQuery,
                      {TSqlArg::WideString(ToWide(english)), TSqlArg::AnsiString(langCode)})) {
    return english;
  }
  if (db.RowCount() != 1) {
    return english;
  }
  return ToQString(db.Row(0).Field(0).AsWideString());
}

void SetGuiLang(TSQLDB& db, TSettingsStore& settings,
                const std::vector<TCaptionSlot>& captionSlots) {
  std::string code = Platform::WideToAnsi(settings.LoadParam(u"interface_lang"));
  if (code.empty()) {
    code = kEnglishCode;
  }
  if (code == kEnglishCode) {
    return;
  }
  // The lookups only read: the transaction gives them one view of the file, and a COMMIT
  // that fails loses nothing.
  TTransaction transaction(db);
  try {
    for (const TCaptionSlot& slot : captionSlots) {
      slot.Apply(GetLangTxt(db, code, slot.English));
    }
    static_cast<void>(transaction.Commit());
  } catch (const std::exception&) {
    // Translation is a nicety: whatever went wrong, start-up goes on with the captions it has
    // (the transaction rolls back as it ends).
  }
}
