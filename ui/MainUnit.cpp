#include "ui/MainUnit.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <exception>

#include "app/ProgramFiles.h"
#include "app/QtText.h"
#include "app/SettingsStore.h"
#include "app/StartUp.h"
#include "app/UserShell.h"
#include "data/passqlite.h"
#include "details/CopyKeyFilter.h"
#include "details/DetailMenu.h"
#include "details/DetailTree.h"
#include "search/ResultTree.h"
#include "ui/AboutUnit.h"
#include "ui/AccessibleRoles.h"
#include "ui/KeyDownFilter.h"

namespace {

// The designed client area; with a Windows frame the outer size is 678 by 500 (minimum 650
// by 300).
constexpr QSize kDesignClientSize(670, 471);
constexpr QSize kMinimumClientSize(642, 271);

std::unique_ptr<TLiteDB> MakeLiteDB() {
  return std::make_unique<TLiteDB>();
}

void FillPickList(QComboBox* list, const TPickList& entries) {
  list->clear();
  list->addItems(entries.Entries);
  list->setCurrentIndex(entries.Selected);
}

}  // namespace

TMainForm::TMainForm(TUserShell& shell, TConnectionFactory makeConnection)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      Shell(shell) {
  InstallAccessibleRoles();
  setWindowTitle(QStringLiteral("Tolvane 2"));
  QFont font(QStringLiteral("Tahoma"));
  font.setPointSize(8);
  setFont(font);
  Ui = BuildMainLayout(this);
  resize(kDesignClientSize);
  setMinimumSize(kMinimumClientSize);
  if (const QScreen* screen = this->screen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  ConnectHandlers();
  FormCreate(makeConnection ? makeConnection : MakeLiteDB);
}

TMainForm::~TMainForm() = default;

void TMainForm::ConnectHandlers() {
  connect(Ui.FindBtn, &QPushButton::clicked, this, &TMainForm::FindBtnClick);
  connect(TKeyDownFilter::Watch(Ui.eCodeEdit), &TKeyDownFilter::KeyDown, this,
          &TMainForm::eCodeEditKeyDown);
  connect(TKeyDownFilter::Watch(Ui.eMsgEdit), &TKeyDownFilter::KeyDown, this,
          &TMainForm::eMsgEditKeyDown);
  connect(TKeyDownFilter::Watch(Ui.CommEdit), &TKeyDownFilter::KeyDown, this,
          &TMainForm::CommEditKeyDown);
  // activated, unlike currentIndexChanged, fires only for the user's own choices.
  connect(Ui.PrefCB, &QComboBox::activated, this, &TMainForm::PrefCBChange);
  connect(Ui.TntSpeedButton1, &QToolButton::clicked, this, &TMainForm::TntSpeedButton1Click);
  connect(Ui.ResultTree, &TResultTree::FocusedRecordChanged, this,
          &TMainForm::ResultTreeFocusChanged);
  connect(Ui.DetPop, &QMenu::aboutToShow, this, &TMainForm::DetPopPopup);
  connect(Ui.DetPop->CopyAction(), &QAction::triggered, this, &TMainForm::cop2clip1Click);
  connect(Ui.DetPop->CommentAction(), &QAction::triggered, this, &TMainForm::editcommClick);
  connect(Ui.AbtBtn, &QToolButton::clicked, this, &TMainForm::AbtBtnClick);
  for (QWidget* list : {static_cast<QWidget*>(Ui.ResultTree), static_cast<QWidget*>(Ui.DetTree)}) {
    connect(TCopyKeyFilter::Watch(list), &TCopyKeyFilter::CopyPressed, this,
            &TMainForm::ListCopyKeyPressed);
  }
}

void TMainForm::FormCreate(const TConnectionFactory& makeConnection) {
  try {
    DB = makeConnection();
    DB->UniCode = true;
    DB->UnicodeUpper = true;
    Settings = std::make_unique<TSettingsStore>(*DB, Shell);
  } catch (const std::exception&) {
    DB.reset();
    Shell.ShowMessage(QStringLiteral("ERROR: Messages datafile not loaded"));
    Ui.MainGB->setEnabled(false);
  }
}

void TMainForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!Shown) {
    Shown = true;
    FormShow();
  }
}

void TMainForm::FormShow() {
  // Without a connection there is nothing to open; the group is already disabled and the
  // window stays usable for closing.
  if (DB) {
    ApplyStartUp(LoadStartUpState(*DB, DataFilePath(), *Settings, Shell));
  }
}

void TMainForm::ApplyStartUp(const TStartUpState& state) {
  if (state.Stage == TStartUpState::TStage::FilesMissing) {
    Ui.MainGB->setEnabled(false);
    return;
  }
  if (state.Versions) {
    FillPickList(Ui.VersionCB, *state.Versions);
  }
  if (state.Prefixes) {
    FillPickList(Ui.PrefCB, *state.Prefixes);
  }
  if (state.Stage != TStartUpState::TStage::Ready) {
    return;
  }
  Ui.eCodeEdit->setText(state.Code);
  FetchRows = state.MaxFetchRows;
  SetGuiLang();
  DB->ClearResults();
  Ui.eCodeEdit->setFocus();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  // A program that asked to end saves nothing into a file it may have refused.
  if (!Shell.TerminationRequested()) {
    FormClose();
  }
  event->accept();
}

void TMainForm::FormClose() {
  if (Settings) {
    Settings->SaveParam(u"last_err_vers", ToWide(Ui.VersionCB->currentText()));
    Settings->SaveParam(u"last_err_pref", ToWide(Ui.PrefCB->currentText()));
    Settings->SaveParam(u"last_err_code", ToWide(Ui.eCodeEdit->text()));
  }
  Settings.reset();
  DB.reset();
}

void TMainForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FormResize();
}

void TMainForm::FormResize() {
  PlaceAboutButton(Ui);
}

void TMainForm::eCodeEditKeyDown(int key) {
  if (IsEnterKey(key)) {
    Ui.FindBtn->click();
  }
}

void TMainForm::eMsgEditKeyDown(int key) {
  if (IsEnterKey(key)) {
    Ui.FindBtn->click();
  }
}

void TMainForm::CommEditKeyDown(int key) {
  if (IsEnterKey(key)) {
    Ui.FindBtn->click();
  }
}

void TMainForm::AbtBtnClick() {
  ShowAboutWindow(this);
}
