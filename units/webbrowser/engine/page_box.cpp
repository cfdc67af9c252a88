#include "units/webbrowser/engine/page_box.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "units/webbrowser/engine/view_input.h"

namespace units::webbrowser {
namespace {

// The window's close request while a box is up: the box ends and the window closes after it.
class CloseWatch : public QObject {
 public:
  CloseWatch(QWidget* window, QDialog* box, PageBoxAnswer* answer) : box_(box), answer_(answer) {
    window->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() != QEvent::Close) return false;
    event->ignore();
    answer_->closeWindow = true;
    if (box_) box_->reject();
    return true;
  }

 private:
  QPointer<QDialog> box_;
  PageBoxAnswer* answer_;
};

// Esc on a page's message closes its window; on the question it only says no.
class Box : public QDialog {
 public:
  Box(QWidget* window, PageBoxAnswer* answer, bool escClosesWindow)
      : QDialog(window), answer_(answer), escClosesWindow_(escClosesWindow) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Escape && escClosesWindow_) answer_->closeWindow = true;
    QDialog::keyPressEvent(event);
  }

 private:
  PageBoxAnswer* answer_;
  bool escClosesWindow_;
};

QString Caption(const PageBoxRequest& request) {
  if (request.kind == PageBoxRequest::kOutsideProgram) return QStringLiteral("打开外部程序");
  const QString host = request.host.isEmpty() ? QStringLiteral("本地") : request.host;
  return QStringLiteral("来自 %1 的网页消息").arg(host);
}

}  // namespace

PageBoxAnswer RunPageBox(QWidget* window, ViewInput* input, const PageBoxRequest& request) {
  PageBoxAnswer answer;
  const bool question = request.kind == PageBoxRequest::kOutsideProgram;
  // Not modal in the window system's sense, which would also hold back the window's close request.
  QPointer<QDialog> box = new Box(window, &answer, !question);
  box->setWindowTitle(Caption(request));
  box->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  box->setMinimumWidth(360);  // wide enough for the caption that names the host
  auto* layout = new QVBoxLayout(box);
  auto* message = new QLabel(request.message, box);
  message->setTextFormat(Qt::PlainText);  // a page's text is never markup of ours
  message->setWordWrap(true);
  message->setTextInteractionFlags(Qt::TextSelectableByMouse);
  message->setMaximumWidth(520);
  layout->addWidget(message);
  QLineEdit* field = nullptr;
  if (request.kind == PageBoxRequest::kPrompt) {
    field = new QLineEdit(request.value, box);
    layout->addWidget(field);
  }
  QCheckBox* silence = nullptr;
  if (request.offerSilence) {
    silence = new QCheckBox(QStringLiteral("不再显示此网页的对话框"), box);
    layout->addWidget(silence);
  }
  auto* buttons = new QDialogButtonBox(box);
  QPushButton* yes = buttons->addButton(question ? QStringLiteral("打开") : QStringLiteral("确定"),
                                        QDialogButtonBox::AcceptRole);
  QPushButton* no = nullptr;
  if (request.kind != PageBoxRequest::kAlert)
    no = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
  // Handing an address to another program is what the user must choose, never what Enter does.
  QPushButton* preferred = question ? no : yes;
  preferred->setDefault(true);
  preferred->setAutoDefault(true);
  QObject::connect(buttons, &QDialogButtonBox::accepted, box, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, box, &QDialog::reject);
  layout->addWidget(buttons);

  CloseWatch watch(window, box, &answer);
  // The view may go while the box is up.
  QPointer<ViewInput> viewInput(input);
  const bool wasHeld = viewInput && viewInput->held;
  if (viewInput) viewInput->held = true;
  QEventLoop loop;
  QObject::connect(box, &QDialog::finished, &loop, &QEventLoop::quit);
  QObject::connect(box, &QObject::destroyed, &loop, &QEventLoop::quit);
  box->show();
  if (field != nullptr) field->setFocus();
  else preferred->setFocus();
  loop.exec();
  if (viewInput) viewInput->held = wasHeld;

  if (box) {
    answer.accepted = box->result() == QDialog::Accepted && !answer.closeWindow;
    if (field != nullptr) answer.value = field->text();
    answer.silence = silence != nullptr && silence->isChecked();
    delete box.data();
  }
  return answer;
}

}  // namespace units::webbrowser
