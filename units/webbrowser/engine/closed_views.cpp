#include "units/webbrowser/engine/closed_views.h"

#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace units::webbrowser {
namespace {

std::vector<QPointer<QWidget>>& Closed() {
  static std::vector<QPointer<QWidget>> views;
  return views;
}

}  // namespace

void RememberClosedView(QWidget* view) {
  std::vector<QPointer<QWidget>>& views = Closed();
  std::erase_if(views, [](const QPointer<QWidget>& v) { return v.isNull(); });
  views.emplace_back(view);
}

void DeleteClosedViews() {
  std::vector<QPointer<QWidget>> views;
  views.swap(Closed());
  for (const QPointer<QWidget>& view : views) delete view.data();
}

}  // namespace units::webbrowser
