#pragma once
// The preview's inspector: Ctrl+click on a unit of the shown window says where the unit stands in
// the form (its place, the file and the line), its symbol and its properties by name, and
// outlines the unit in the window for a moment. The click is the inspector's: the unit never
// sees it, so a button is not pressed and no event is raised.
#include <QByteArray>
#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <string>

#include "base/template/template_window.h"
#include "tools/formtool/unit_catalogue.h"

class QWidget;

namespace formtool {

// The form a shown window was built from.
struct ShownForm {
  std::string path;                               // as the user named it
  QByteArray text;                                // the form source; empty for template data
  const runtime::WindowTable* windows = nullptr;  // the template it compiled to
};

// What the inspector says of entry `index` of window `windowId`: a first line
// "FILE:LINE: windows[W].units[U]: NAME (ID), TYPE" (no line for template data), then, indented,
// the symbol, the place and size, and each property by name with its value as the form would
// write it (a picture, icon or sound as the file the form names, or its size in bytes).
QString DescribeUnit(const ShownForm& form, uint32_t windowId, uint32_t index, const UnitCatalogue& types);

// How long a unit stays outlined.
inline constexpr int kOutlineMs = 1500;

// Draws a frame around `unit` over its window `window` for kOutlineMs, replacing an earlier one.
void OutlineUnit(QWidget* window, QWidget* unit);
// The outline shown on `window`, null when there is none.
QWidget* UnitOutline(const QWidget* window);

// Takes each Ctrl+click (left button) on a widget that `onClick` accepts (it answers true), with
// the release and double-click that belong to it, away from the widget and every other filter.
class CtrlClickCatcher : public QObject {
 public:
  explicit CtrlClickCatcher(std::function<bool(QWidget* clicked)> onClick);
  // Puts the catcher before every application event filter installed so far: the host installs
  // its own at each start.
  void PutFirst();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<bool(QWidget*)> onClick_;
  bool taken_ = false;  // a press was taken: its release is the catcher's too
};

}  // namespace formtool
