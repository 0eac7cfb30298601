#pragma once
// The main window's controls and where they sit: the criteria group and the result list in
// the upper band, the detail view in the middle, the status bar at the bottom. Positions
// are pixels at 96 dots per inch, as the window was designed.

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;
class TDetailMenu;
class TDetailTree;
class TResultTree;
class TStatusPanel;

struct TMainControls {
  QWidget* BackMainPanel = nullptr;
  QGroupBox* MainGB = nullptr;
  QLabel* VerLab = nullptr;
  QLabel* ErrLab = nullptr;
  QComboBox* VersionCB = nullptr;
  QComboBox* PrefCB = nullptr;
  QToolButton* TntSpeedButton1 = nullptr;
  QLabel* CodLab = nullptr;
  QLineEdit* eCodeEdit = nullptr;
  QLabel* MsgLab = nullptr;
  QLineEdit* eMsgEdit = nullptr;
  QLabel* ComLab = nullptr;
  QLineEdit* CommEdit = nullptr;
  QPushButton* FindBtn = nullptr;
  TResultTree* ResultTree = nullptr;
  TDetailTree* DetTree = nullptr;
  TStatusPanel* SBar = nullptr;
  QToolButton* AbtBtn = nullptr;
  TDetailMenu* DetPop = nullptr;
};

// Creates every control inside `window`, docks the three bands and sets the tab order.
TMainControls BuildMainLayout(QWidget* window);

// Keeps the About button 10 pixels inside the status bar's right edge.
void PlaceAboutButton(const TMainControls& controls);
