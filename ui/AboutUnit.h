#pragma once
// The about window: program name, version, status, the author's contact details and two notes
// on where the message texts come from. A fixed, unscaled layout of labels on a red band and a
// white field; the web address is the one active element.

#include <QDialog>
#include <QUrl>
#include <functional>

class QLabel;

class TAboutForm : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutForm(QWidget* parent = nullptr);

  // Shows a web address in the default browser; its result is not examined. Tests replace it.
  std::function<bool(const QUrl&)> OpenUrl;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Escape does not close the window: only its close button or the system's close command do
  // (Alt+F4, and the platform's close keys, Ctrl+W or Ctrl+F4).
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void TntLabel11Click();

  QLabel* TntLabel11 = nullptr;
};

// Opens a fresh about window modally over `parent` and destroys it once it is closed.
void ShowAboutWindow(QWidget* parent);
