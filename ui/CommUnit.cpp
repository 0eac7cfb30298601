#include "ui/CommUnit.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

#include "details/CommentBreaks.h"

namespace {

using TResult = TCommentDialogAnswer::TResult;

constexpr Qt::WindowFlags kTitleBarCloseOnly = Qt::Dialog | Qt::CustomizeWindowHint |
                                               Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                               Qt::WindowCloseButtonHint;

}  // namespace

TCommForm::TCommForm(const TCommentDialogRequest& request, QWidget* parent)
    : QDialog(parent, kTitleBarCloseOnly),
      CommMemo(new QPlainTextEdit(this)),
      Original(request.Text) {
  setObjectName(QStringLiteral("CommForm"));
  setWindowTitle(request.Caption);
  setAttribute(Qt::WA_WindowPropagation);  // the main window's font
  resize(386, 274);
  setMinimumSize(385, 250);

  auto* panel = new QWidget(this);
  panel->setObjectName(QStringLiteral("TntPanel1"));
  panel->setFixedHeight(36);
  const auto addButton = [this, panel](const char* name, const QString& caption, int left,
                                       TResult result) {
    auto* button = new QPushButton(caption, panel);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(left, 5, 75, 25);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this,
            [this, result] { done(static_cast<int>(result)); });
    return button;
  };
  QWidget* saveBtn = addButton("SaveBtn", request.SaveCaption, 10, TResult::Save);
  QWidget* cancelBtn = addButton("CancelBtn", request.CancelCaption, 95, TResult::Cancel);
  QWidget* deleteBtn = addButton("DeleteBtn", request.DeleteCaption, 290, TResult::Delete);

  CommMemo->setObjectName(QStringLiteral("CommMemo"));
  CommMemo->setFrameShape(QFrame::NoFrame);
  CommMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  CommMemo->setTabChangesFocus(true);  // Tab goes on to the buttons, as the tab order says
  CommMemo->setPlainText(request.Text);
  CommMemo->setAccessibleName(request.TextName);

  auto* info = new QLabel(QStringLiteral("Unicode enabled"), this);
  info->setObjectName(QStringLiteral("InfoPane"));
  info->setFixedHeight(15);
  info->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  info->setAlignment(Qt::AlignCenter);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(panel);
  layout->addWidget(CommMemo, 1);
  layout->addWidget(info);

  setTabOrder(saveBtn, cancelBtn);
  setTabOrder(cancelBtn, deleteBtn);
  setTabOrder(deleteBtn, CommMemo);
}

TCommentDialogAnswer TCommForm::Answer() const {
  const int code = result();
  const bool known =
      code == static_cast<int>(TResult::Save) || code == static_cast<int>(TResult::Delete);
  // The editor's own plain text would turn every line break into LF and a no-break space
  // into a space; the raw text keeps both, and the comment's breaks are put back.
  const QTextDocument* document = CommMemo->document();
  QString text =
      document->isModified() ? CommentFromParagraphs(Original, document->toRawText()) : Original;
  return {known ? static_cast<TResult>(code) : TResult::Cancel, std::move(text)};
}

// Reached only from the title bar's close button: Escape never gets here.
void TCommForm::reject() {
  done(static_cast<int>(TResult::Cancel));
}

void TCommForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CommMemo->setFocus();
}

void TCommForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->ignore();
    return;
  }
  QDialog::keyPressEvent(event);
}

TCommentDialogAnswer RunCommentDialog(QWidget* parent, const TCommentDialogRequest& request) {
  TCommForm form(request, parent);
  form.exec();
  return form.Answer();
}
