// The main window's part of the interface language: which captions can be translated, in the
// order the data file's translations are looked up, and where each translation goes.
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "app/InterfaceLanguage.h"
#include "data/passqlite.h"
#include "details/DetailMenu.h"
#include "search/ResultTree.h"
#include "ui/MainUnit.h"

namespace {

TCaptionSlot LabelSlot(QLabel* label) {
  return {label->text(), [label](const QString& text) {
            // A label with a buddy would show an '&' as a mnemonic: such a translation is shown
            // as written, and names its field directly instead.
            if (QWidget* field = label->buddy(); field != nullptr && text.contains(u'&')) {
              label->setBuddy(nullptr);
              field->setAccessibleName(text);
            }
            label->setText(text);
            label->adjustSize();  // labels size themselves to their text
          }};
}

// A button's new caption would put its caption's mnemonic in place of the shortcut it has.
TCaptionSlot ButtonSlot(QAbstractButton* button) {
  return {button->text(), [button](const QString& text) {
            const QKeySequence shortcut = button->shortcut();
            button->setText(text);
            if (!shortcut.isEmpty()) {
              button->setShortcut(shortcut);
            }
          }};
}

TCaptionSlot HeaderSlot(TResultModel* model, int column) {
  return {model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(),
          [model, column](const QString& text) {
            model->setHeaderData(column, Qt::Horizontal, text, Qt::DisplayRole);
          }};
}

TCaptionSlot ActionSlot(QAction* action) {
  return {action->text(), [action](const QString& text) { action->setText(text); }};
}

}  // namespace

void TMainForm::SetGuiLang() {
  QGroupBox* group = Ui.MainGB;
  TResultModel* results = Ui.ResultTree->Model();
  std::vector<TCaptionSlot> captions{
      ButtonSlot(Ui.FindBtn),
      {group->title(), [group](const QString& text) { group->setTitle(text); }},
      LabelSlot(Ui.VerLab),
      LabelSlot(Ui.ErrLab),
      LabelSlot(Ui.CodLab),
      LabelSlot(Ui.MsgLab),
      LabelSlot(Ui.ComLab),
      ButtonSlot(Ui.AbtBtn),
      HeaderSlot(results, TResultModel::VersionColumn),
      HeaderSlot(results, TResultModel::CodeColumn),
      HeaderSlot(results, TResultModel::MessageColumn),
      ActionSlot(Ui.DetPop->CommentAction()),
      ActionSlot(Ui.DetPop->CopyAction())};
  for (TCaptionSlot& dialog : CommDialogCaptionSlots(DialogCaptions)) {
    captions.push_back(std::move(dialog));
  }
  ::SetGuiLang(*DB, *Settings, captions);
}
