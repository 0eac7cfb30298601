#pragma once
// The translation of the interface captions. The data file names the interface language
// (setting interface_lang) and may carry translations of the English captions; at the end of
// start-up each caption is looked up by its exact English text, one statement per caption,
// all inside one transaction. Everything here is silent: a caption that cannot be translated
// simply stays English.

#include <QString>
#include <functional>
#include <string>
#include <vector>

class TSQLDB;
class TSettingsStore;
struct TCommDialogCaptions;

// One translatable caption: its current (English) text and how to put a new text in place.
struct TCaptionSlot {
  QString English;
  std::function<void(const QString&)> Apply;
};

// The sixteen English captions in the order SetGuiLang is given their slots: Find, the
// criteria group, the five labels, About, the three result-list headers, the two context-menu
// items, and the comment editor's Delete, Cancel and Save.
std::vector<QString> EnglishGuiCaptions();

// The comment editor's three captions as slots, in the order Delete, Cancel, Save. The slots
// write into `captions`, which must outlive them.
std::vector<TCaptionSlot> CommDialogCaptionSlots(TCommDialogCaptions& captions);

// The translation of `english` for the 8-bit language code `langCode`: the int_text of the
// one matching row, or `english` itself when the statement fails or matches no row or more
// than one.
QString GetLangTxt(TSQLDB& db, const std::string& langCode, const QString& english);

// Reads interface_lang; unless it is (or defaults to) "EN", replaces every slot's text by
// GetLangTxt of it, in order, between BEGIN and COMMIT. An exception thrown on the way rolls
// the transaction back and is swallowed; slots already applied keep their translation.
void SetGuiLang(TSQLDB& db, TSettingsStore& settings,
                const std::vector<TCaptionSlot>& captionSlots);
