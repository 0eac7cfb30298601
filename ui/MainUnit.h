#pragma once
// The main window: a switchboard that builds the controls, opens the data file when first
// shown, runs searches from the criteria, shows the focused message's details, and saves the
// criteria when it closes. The logic behind each handler lives in app/, search/ and details/;
// this class reads controls, calls it and writes the outcome back.

#include <QWidget>
#include <functional>
#include <memory>

#include "app/CommDialogCaptions.h"
#include "ui/MainLayout.h"

class TLiteDB;
class TSettingsStore;
struct TResData;
class TUserShell;
struct TStartUpState;

class TMainForm : public QWidget {
  Q_OBJECT
 public:
  // Makes the window's one connection; the default makes a TLiteDB. Tests pass one that
  // fails, to see the window survive without a connection.
  using TConnectionFactory = std::function<std::unique_ptr<TLiteDB>()>;

  explicit TMainForm(TUserShell& shell, TConnectionFactory makeConnection = {});
  ~TMainForm() override;

  const TMainControls& Controls() const { return Ui; }
  // The row limit appended to every search; empty until start-up has read it.
  const QString& MaxFetchRows() const { return FetchRows; }
  const TCommDialogCaptions& CommDialogCaptions() const { return DialogCaptions; }

 public slots:
  void FindBtnClick();
  void eCodeEditKeyDown(int key);
  void eMsgEditKeyDown(int key);
  void CommEditKeyDown(int key);
  void PrefCBChange();
  void TntSpeedButton1Click();
  // Empties the detail view, then loads it for `record` (none: it stays empty).
  void ResultTreeFocusChanged(const TResData* record);
  void DetPopPopup();
  void cop2clip1Click();
  // The copy key in either list: the same copy, when the menu would offer it.
  void ListCopyKeyPressed();
  void editcommClick();
  void AbtBtnClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private slots:
  // Translates the captions from the data file's language tables, once, at start-up.
  void SetGuiLang();

 private:
  void FormCreate(const TConnectionFactory& makeConnection);
  void FormShow();
  void FormClose();
  void FormResize();
  void ApplyStartUp(const TStartUpState& state);
  void RunSearch();
  void ConnectHandlers();

  TUserShell& Shell;
  TMainControls Ui;
  std::unique_ptr<TLiteDB> DB;
  std::unique_ptr<TSettingsStore> Settings;
  QString FetchRows;
  TCommDialogCaptions DialogCaptions;
  bool Shown = false;
  bool Searching = false;
};
