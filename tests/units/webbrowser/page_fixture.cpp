#include "tests/units/webbrowser/page_fixture.h"

#include <QWebEngineView>

#include <memory>

namespace test_support {

QWebEnginePage* PageFixture::Page() { return qobject_cast<QWebEngineView*>(box_->ControlWidget())->page(); }

QString PageFixture::PageText() {
  QString text;
  auto answered = std::make_shared<bool>(false);
  Page()->toPlainText([&text, answered](const QString& plain) {
    if (*answered) return;
    text = plain;
    *answered = true;
  });
  WaitUntil([&] { return *answered; }, 5000);
  *answered = true;
  return text;
}

QVariant PageFixture::Script(const QString& script) {
  QVariant value;
  auto answered = std::make_shared<bool>(false);
  Page()->runJavaScript(script, [&value, answered](const QVariant& v) {
    if (*answered) return;
    value = v;
    *answered = true;
  });
  WaitUntil([&] { return *answered; }, 5000);
  *answered = true;
  return value;
}

void PageFixture::ClickPage() {
  // The engine takes input through a widget of its own inside the view, made with the first page
  // it shows, and only once that page has been drawn.
  QWidget* view = box_->ControlWidget();
  WaitUntil([view] { return view->focusProxy() != nullptr; }, 5000);
  QTest::qWait(300);
  QWidget* target = view->focusProxy() != nullptr ? view->focusProxy() : view;
  QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
}

}  // namespace test_support
