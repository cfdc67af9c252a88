#pragma once
// The base of every unit object. A unit is one widget of a form: its unit type class derives
// from UnitWidget<the Qt widget class that fits>, which is at the same time that widget and a
// Unit holding the ids, the library's host notify function and the property object.
//
// Destruction order. When a unit is deleted (by the host, by a handler, or by Qt with its parent)
// the host must hear of it (notify 2000) while the widget still exists, so that it can forget the
// unit before any of it is gone. UnitWidget guarantees this: its destructor reports, and it runs
// after the unit type's own destructor but before both the Unit part and the widget part are
// destroyed. Unit's constructor is private to UnitWidget, so no unit type can skip it or put its
// bases in the order that would report from a half-destroyed widget.
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>
#include <span>
#include <type_traits>
#include <utility>

#include "base/program/program_header.h"
#include "contract/event_report.h"
#include "contract/property_data.h"

class QEvent;
class QObject;

namespace units {

// What CreateUnit hands every unit: where it belongs and whom it tells.
struct UnitIdentity {
  uint32_t windowId = 0;
  uint32_t unitId = 0;
  runtime::HostNotify host = nullptr;  // the library's host notify function; null before start-up
};

template <typename W>
class UnitWidget;

void InstallUnitAccessibility();

class Unit {
 public:
  virtual ~Unit() = default;
  Unit(const Unit&) = delete;
  Unit& operator=(const Unit&) = delete;

  uint32_t WindowId() const { return identity_.windowId; }
  uint32_t UnitId() const { return identity_.unitId; }
  runtime::HostNotify Host() const { return identity_.host; }
  // The unit type's own class; it casts to its own property class.
  PropertyObject& Properties() { return *properties_; }

  virtual QWidget* widget() = 0;

  // What the host tells units after building a window. The defaults do nothing, which is right
  // for units without data binding and for every unit but the window.
  // Bind to the data-source unit of that name in the same window; null means every data source.
  virtual void BindDataSource(const char* name);
  // Window only: stack the bar units along the top and bottom edges.
  virtual void LayOutBars();
  // Show the bound data's current value.
  virtual void Refresh();
  // Offered every keyboard and mouse event on its way to the unit or a widget inside it before
  // the window translates it (and, for types that pre-translate, every event of the thread);
  // true when the unit dealt with it, which may mean it handed it to its target itself.
  virtual bool PreTranslate(QObject* target, QEvent* event);
  // The text whose "&" marks the unit's mnemonic; empty for units without one.
  virtual QString MnemonicText() const;

  // Where assistive technology reads the unit among the others of its window: lower first; 0 for
  // none (read after those that have one, in the window's own order). Its name and description
  // are the widget's accessible name and description.
  int32_t ReadingOrder() const { return readingOrder_; }
  void SetReadingOrder(int32_t order) { readingOrder_ = order; }

  // Raises event `event` with up to five integer or pointer arguments (notify 2008).
  template <typename... Args>
  EventOutcome ReportEvent(int32_t event, Args... args) {
    static_assert(sizeof...(Args) <= kMaxEventArguments, "an event report holds at most five arguments");
    const intptr_t words[] = {EventWord(args)..., 0};
    return DeliverEvent(event, std::span<const intptr_t>(words, sizeof...(Args)));
  }
  // Raises event `event` with value-record arguments (notify 2031). More than twelve arguments
  // cannot be reported faithfully: nothing is sent and the outcome says not handled.
  EventOutcome ReportTypedEvent(int32_t event, std::span<const TypedArgument> arguments);

 private:
  template <typename W>
  friend class UnitWidget;

  Unit(const UnitIdentity& identity, std::unique_ptr<PropertyObject> properties)
      : identity_(identity), properties_(std::move(properties)) {
    InstallUnitAccessibility();
  }

  template <typename T>
  static intptr_t EventWord(T v) {
    if constexpr (std::is_pointer_v<T>) {
      return reinterpret_cast<intptr_t>(v);
    } else {
      static_assert(std::is_integral_v<T> || std::is_enum_v<T>, "event arguments are integers or pointers");
      return static_cast<intptr_t>(v);
    }
  }

  EventOutcome DeliverEvent(int32_t event, std::span<const intptr_t> arguments);
  // Sends `report` with `code`; the host may run a handler that destroys this unit, so nothing of
  // the unit is touched after the call unless it survived.
  bool Send(int32_t code, void* report, EventOutcome& outcome);
  void ReportDestroyed();

  UnitIdentity identity_;
  std::unique_ptr<PropertyObject> properties_;
  int32_t readingOrder_ = 0;
};

template <typename W>
class UnitWidget : public W, public Unit {
  static_assert(std::is_base_of_v<QWidget, W>, "a unit is a widget");

 public:
  // `widgetArgs` go to W's constructor, typically the parent widget.
  template <typename... WidgetArgs>
  UnitWidget(const UnitIdentity& identity, std::unique_ptr<PropertyObject> properties, WidgetArgs&&... widgetArgs)
      : W(std::forward<WidgetArgs>(widgetArgs)...), Unit(identity, std::move(properties)) {}

  ~UnitWidget() override { ReportDestroyed(); }

  QWidget* widget() override { return this; }
};

// Interface 5 of every unit type: the unit's property data in the current version.
void* GetAllPropertyData(Unit* unit, int32_t* length);

}  // namespace units
