#include "units/webbrowser/webbrowser_properties.h"

#include "platform/program_path.h"
#include "platform/text.h"
#include "units/webbrowser/document_commands.h"

namespace units::webbrowser_rows {
namespace {

PropertyValue Logical(bool v) { return PropertyValue::Integer(v ? 1 : 0); }

// Keeps a flag read from the control as the stored value, and answers it.
bool KeepFlag(int32_t& stored, bool read, PropertyValue& value) {
  stored = read ? 1 : 0;
  value = PropertyValue::Integer(stored);
  return true;
}

// A value the document answers, read into `value` by `take`; 0 or empty when there is no
// document, and left so when the box went while the document answered.
template <typename Take>
bool FromDocument(U& box, const QString& script, PropertyValue& value, Take take) {
  value = {};
  QVariant answer;
  if (box.QueryDocument(script, &answer)) take(box, answer, value);
  return true;
}

bool ReadValue(U& box, const char* command, PropertyValue& value, int32_t (*as)(const QVariant&)) {
  return FromDocument(box, webbrowser::QueryValueScript(QLatin1String(command)), value,
                      [as](U&, const QVariant& answer, PropertyValue& v) { v = PropertyValue::Integer(as(answer)); });
}

int32_t Execute(U& box, const char* command, const QString& argument) {
  box.Control().Run(webbrowser::ExecuteScript(QLatin1String(command), argument));
  return 0;
}

}  // namespace

bool ReadSilent(U& box, PropertyValue& value) { return KeepFlag(box.Props().silent, box.Control().Silent(), value); }
bool ReadOffline(U& box, PropertyValue& value) {
  return KeepFlag(box.Props().offline, box.Control().Offline(), value);
}
bool ReadDropTarget(U& box, PropertyValue& value) {
  return KeepFlag(box.Props().dropTarget, box.Control().DropTarget(), value);
}
// The engine has no such setting: the stored flag answers, as a logical.
bool ReadRegisterAsBrowser(U& box, PropertyValue& value) {
  return KeepFlag(box.Props().registerAsBrowser, box.Props().registerAsBrowser != 0, value);
}

int32_t ApplySilent(U& box) {
  box.Control().SetSilent(box.Props().silent != 0);
  return 0;
}
int32_t ApplyOffline(U& box) {
  box.Control().SetOffline(box.Props().offline != 0);
  return 0;
}
int32_t ApplyDropTarget(U& box) {
  box.Control().SetDropTarget(box.Props().dropTarget != 0);
  return 0;
}

bool Absent(U&, PropertyValue& value) {
  value = {};
  return true;
}
bool Untouched(U&, PropertyValue&) { return true; }
int32_t ReadOnly(U&, const PropertyValue&) { return 0; }

bool ReadVisible(U& box, PropertyValue& value) {
  value = Logical(!box.isHidden());
  return true;
}
bool ReadBusy(U& box, PropertyValue& value) {
  value = Logical(box.Control().Busy());
  return true;
}
bool ReadReadyState(U& box, PropertyValue& value) {
  value = PropertyValue::Integer(static_cast<int32_t>(box.Control().State()));
  return true;
}

bool ReadFullName(U& box, PropertyValue& value) {
  value = PropertyValue::Text(box.CacheText(U::kFullNameText, QString::fromStdString(platform::ProgramFilePath())));
  return true;
}
bool ReadLocationUrl(U& box, PropertyValue& value) {
  value = PropertyValue::Text(box.CacheText(U::kLocationUrlText, box.Control().Url()));
  return true;
}
bool ReadLocationName(U& box, PropertyValue& value) {
  value = PropertyValue::Text(box.CacheText(U::kLocationNameText, box.Control().Title()));
  return true;
}
bool ReadType(U& box, PropertyValue& value) {
  return FromDocument(box, webbrowser::ContentTypeScript(), value, [](U& b, const QVariant& answer, PropertyValue& v) {
    v = PropertyValue::Text(
        b.CacheText(U::kTypeText, answer.typeId() == QMetaType::QString ? answer.toString() : QString()));
  });
}

bool ReadEditMode(U& box, PropertyValue& value) {
  return FromDocument(box, webbrowser::DesignModeScript(), value,
                      [](U&, const QVariant& answer, PropertyValue& v) { v = Logical(webbrowser::AsLogical(answer)); });
}
int32_t WriteEditMode(U& box, const PropertyValue& value) {
  box.SetEditMode(value.AsInteger() != 0);
  return 0;
}

bool ReadFontName(U& box, PropertyValue& value) {
  return FromDocument(box, webbrowser::QueryValueScript(QStringLiteral("FontName")), value,
                      [](U& b, const QVariant& answer, PropertyValue& v) {
                        v = PropertyValue::Text(b.CacheText(U::kFontNameText, webbrowser::AsFontName(answer)));
                      });
}
int32_t WriteFontName(U& box, const PropertyValue& value) {
  return Execute(box, "FontName", value.AsText() != nullptr ? platform::FromGbk(value.AsText()) : QString());
}

bool ReadFontSize(U& box, PropertyValue& value) { return ReadValue(box, "FontSize", value, webbrowser::AsInteger); }
int32_t WriteFontSize(U& box, const PropertyValue& value) {
  return Execute(box, "FontSize", QString::number(value.AsInteger()));
}
bool ReadForeColor(U& box, PropertyValue& value) { return ReadValue(box, "ForeColor", value, webbrowser::AsColor); }
int32_t WriteForeColor(U& box, const PropertyValue& value) {
  return Execute(box, "ForeColor", webbrowser::ColorText(value.AsInteger()));
}
bool ReadBackColor(U& box, PropertyValue& value) { return ReadValue(box, "BackColor", value, webbrowser::AsColor); }
int32_t WriteBackColor(U& box, const PropertyValue& value) {
  return Execute(box, "BackColor", webbrowser::ColorText(value.AsInteger()));
}

bool ReadCommandState(U& box, const char* command, PropertyValue& value) {
  return FromDocument(box, webbrowser::QueryStateScript(QLatin1String(command)), value,
                      [](U&, const QVariant& answer, PropertyValue& v) { v = Logical(webbrowser::AsLogical(answer)); });
}
bool ReadCommandEnabled(U& box, const char* command, PropertyValue& value) {
  return FromDocument(box, webbrowser::QueryEnabledScript(QLatin1String(command)), value,
                      [](U&, const QVariant& answer, PropertyValue& v) { v = Logical(webbrowser::AsLogical(answer)); });
}

}  // namespace units::webbrowser_rows
