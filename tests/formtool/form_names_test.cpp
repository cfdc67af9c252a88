// The names a form gives program code (symbols, handler names and their offsets), the header
// that carries them, and choices written by the names of their values.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "base/template/template_reader.h"
#include "base/template/unit_record.h"
#include "tools/formtool/form_decompiler.h"
#include "tools/formtool/form_header.h"
#include "tools/formtool/form_source.h"
#include "tools/formtool/template_writer.h"

namespace formtool {
namespace {

using Bytes = std::vector<uint8_t>;

std::variant<Form, std::string> Parse(const QJsonObject& form) {
  return ParseFormSource(QJsonDocument(form).toJson(), QDir(FORMTOOL_SAMPLE_DIR), ProgramUnitTypes());
}

Form Compiled(const QJsonObject& source) {
  std::variant<Form, std::string> form = Parse(source);
  if (auto* error = std::get_if<std::string>(&form)) ADD_FAILURE() << *error;
  return std::holds_alternative<Form>(form) ? std::get<Form>(form) : Form();
}

std::string Refusal(const QJsonObject& source) {
  std::variant<Form, std::string> form = Parse(source);
  return std::holds_alternative<std::string>(form) ? std::get<std::string>(form) : "(accepted)";
}

QJsonObject Button(const char* id, QJsonArray bindings, const char* symbol = nullptr) {
  QJsonObject unit{{"id", id}, {"type", "SuperBtn"}, {"bindings", bindings}};
  if (symbol != nullptr) unit["symbol"] = symbol;
  return unit;
}

QJsonObject Binding(const QJsonValue& handler, int offset = -1) {
  QJsonObject binding{{"event", 0}, {"handler", handler}};
  if (offset >= 0) binding["offset"] = offset;
  return binding;
}

QJsonObject Window(const char* id, const char* symbol, QJsonArray units) {
  QJsonObject window{{"id", id}, {"units", units}};
  if (symbol != nullptr) window["symbol"] = symbol;
  return window;
}

QJsonObject OneWindow(QJsonArray units, const char* symbol = "tool") {
  return QJsonObject{{"windows", QJsonArray{Window("0x52010001", symbol, units)}}};
}

QJsonObject Own(QJsonArray bindings = {}) {
  return QJsonObject{{"id", "0x06010000"}, {"type", "window"}, {"bindings", bindings}};
}

// Handlers named without an offset take the lowest free offsets in the order the form first
// names them, stepping over every offset the form writes (named or not); a name keeps its offset
// wherever it is bound again, a menu item's handler included.
TEST(FormNames, NamedHandlersTakeTheLowestFreeOffsetsInOrder) {
  const QJsonObject menu{{"menu", true}, {"id", "0x26010009"}, {"handler", "Quit"}};
  Form form = Compiled(QJsonObject{
      {"windows",
       QJsonArray{Window("0x52010001", "first",
                         QJsonArray{Own({Binding("Opened")}), Button("0x16010002", {Binding(0)}),
                                    Button("0x16010003", {Binding("Fixed", 2), Binding("Clicked")}), menu}),
                  Window("0x52010005", "second",
                         QJsonArray{QJsonObject{{"id", "0x06010006"}, {"type", "window"}},
                                    Button("0x16010007", {Binding("Clicked"), Binding("Opened")})})}}});
  ASSERT_EQ(form.size(), 2u);
  EXPECT_EQ(form[0].units[0].bindings[0].handler, 1);  // 0 is the unnamed binding's
  EXPECT_EQ(form[0].units[1].bindings[0].handler, 0);
  EXPECT_EQ(form[0].units[2].bindings[0].handler, 2);
  EXPECT_EQ(form[0].units[2].bindings[1].handler, 3);
  EXPECT_EQ(form[0].units[3].handler, 4);
  EXPECT_EQ(form[1].units[1].bindings[0].handler, 3);
  EXPECT_EQ(form[1].units[1].bindings[1].handler, 1);

  // The names stay out of the template: it is the template of the same form bound by number.
  const QJsonObject numbered{
      {"windows",
       QJsonArray{Window("0x52010001", nullptr,
                         QJsonArray{Own({Binding(1)}), Button("0x16010002", {Binding(0)}),
                                    Button("0x16010003", {Binding(2), Binding(3)}),
                                    QJsonObject{{"menu", true}, {"id", "0x26010009"}, {"handler", 4}}}),
                  Window("0x52010005", nullptr,
                         QJsonArray{QJsonObject{{"id", "0x06010006"}, {"type", "window"}},
                                    Button("0x16010007", {Binding(3), Binding(1)})})}}};
  EXPECT_EQ(WriteTemplate(form), WriteTemplate(Compiled(numbered)));
}

TEST(FormNames, ContradictionsAndNamesCodeCannotTakeAreRefusedWithTheirPlace) {
  struct Case {
    QJsonObject form;
    const char* message;
  };
  const Case cases[] = {
      {OneWindow({Own(), Button("0x16010002", {Binding("Calc", 7)}), Button("0x16010003", {Binding("Calc", 8)})}),
       "windows[0].units[2].bindings[0].handler: Calc has offset 7 at windows[0].units[1].bindings[0].handler, not 8"},
      {OneWindow({Own(), Button("0x16010002", {Binding("Calc", 7)}), Button("0x16010003", {Binding("Other", 7)})}),
       "windows[0].units[2].bindings[0].handler: offset 7 is also the offset of Calc"},
      {OneWindow({Own(), Button("0x16010002", {QJsonObject{{"event", 0}, {"handler", 7}, {"offset", 7}}})}),
       "windows[0].units[1].bindings[0].offset: an offset belongs to a handler named beside it"},
      {OneWindow({Own(), Button("0x16010002", {QJsonObject{{"event", 0}, {"handler", "Calc"}, {"offset", -1}}})}),
       "windows[0].units[1].bindings[0].offset: a handler's offset is 0 to 2147483647"},
      {OneWindow({Own(), Button("0x16010002", {Binding("2fast")})}),
       "windows[0].units[1].bindings[0].handler: expected a 32-bit integer"},
      {OneWindow({Own(), Button("0x16010002", {Binding("Calc__Score")})}),
       "windows[0].units[1].bindings[0].handler: \"Calc__Score\" is no C++ identifier"},
      {OneWindow({Own(), Button("0x16010002", {Binding("delete")})}),
       "windows[0].units[1].bindings[0].handler: \"delete\" is a C++ keyword"},
      {OneWindow({Own(), Button("0x16010002", {Binding("kHandlerTable")})}),
       "\"kHandlerTable\" is a name the generated header gives itself"},
      {OneWindow({Own(), Button("0x16010002", {Binding("main")})}), "\"main\" is the name of the program's entry"},
      {OneWindow({Own(), Button("0x16010002", {Binding("Calc")})}, "Calc"),
       "windows[0].symbol: \"Calc\" is also the name of a handler"},
      {OneWindow({Own(), Button("0x16010002", {}, "Ok"), Button("0x16010003", {}, "Ok")}),
       "windows[0].units[2].symbol: \"Ok\" is also the symbol of units[1]"},
      {OneWindow({Own(), Button("0x16010002", {}, "Window")}),
       "windows[0].units[1].symbol: \"Window\" is taken: kWindow is the window's own id in its namespace"},
      {OneWindow({Own(), Button("0x16010002", {}, "Ok")}, nullptr),
       "windows[0].units[1].symbol: a unit's symbol is a name in its window's: give the window a symbol too"},
      {OneWindow({Own(), Button("0x16010002", {}, "设置")}), "windows[0].units[1].symbol: \"设置\" is no C++ identifier"},
      {OneWindow({Own()}, "namespace"), "windows[0].symbol: \"namespace\" is a C++ keyword"},
      {OneWindow({Own(), Button("0x16010002", {}, "")}), "windows[0].units[1].symbol: expected a symbol"},
      {QJsonObject{{"windows", QJsonArray{Window("0x52010001", "tool", {}), Window("0x52010002", "tool", {})}}},
       "windows[1].symbol: \"tool\" is also the symbol of windows[0]"},
  };
  for (const Case& c : cases) {
    const std::string refusal = Refusal(c.form);
    EXPECT_NE(refusal.find(c.message), std::string::npos) << refusal << "\n  expected: " << c.message;
  }
}

TEST(FormNames, TheHeaderNamesEveryIdAndHandler) {
  const Form form = Compiled(QJsonObject{
      {"windows",
       QJsonArray{Window("0x52010001", "greeting",
                         QJsonArray{Own({Binding("Opened")}), Button("0x16010002", {Binding("Greet", 7)}, "Ok"),
                                    Button("0x16010003", {Binding("Greet")})}),
                  Window("0x52010005", nullptr, QJsonArray{QJsonObject{{"id", "0x06010006"}, {"type", "window"}}})}}});
  const std::string header = FormHeader(form, "hello::app", "hello.json");
  for (const char* line : {"// Generated by formtool compile from hello.json; do not edit, change the form.\n",
                           "#include \"base/program/program_header.h\"",
                           "namespace hello::app {",
                           "namespace greeting {\n"
                           "inline constexpr ::std::uint32_t kWindow = 0x52010001;\n"
                           "inline constexpr ::std::uint32_t kOwnUnit = 0x06010000;\n"
                           "inline constexpr ::std::uint32_t kOk = 0x16010002;\n"
                           "}  // namespace greeting\n",
                           "bool Greet(const ::std::intptr_t* args, ::std::int32_t count, ::std::int64_t* result);\n",
                           "bool Opened(const ::std::intptr_t* args, ::std::int32_t count, ::std::int64_t* result);\n",
                           "inline constexpr ::std::int32_t kGreet = 7;\n",
                           "inline constexpr ::std::int32_t kOpened = 0;\n",
                           "kOffsets[] = {\n    handler_offset::kOpened,\n    handler_offset::kGreet,\n};\n",
                           "kHandlers[] = {\n    Opened,\n    Greet,\n};\n",
                           "kHandlerTable = {2, handler_table::kOffsets, handler_table::kHandlers};\n"}) {
    EXPECT_NE(header.find(line), std::string::npos) << "missing:\n" << line << "\nin:\n" << header;
  }
  // A window without a symbol has no namespace.
  EXPECT_EQ(header.find("0x52010005"), std::string::npos);

  EXPECT_NE(FormHeader(Compiled(OneWindow({Own()})), "form", "f.json")
                .find("kHandlerTable = {0, nullptr, nullptr};"),
            std::string::npos);
  EXPECT_TRUE(IsNamespaceName("hello::app"));
  for (const char* bad : {"", "hello::", "::hello", "a:b", "9lives"}) EXPECT_FALSE(IsNamespaceName(bad)) << bad;
}

TEST(FormNames, TheHeaderRefusesAHandlerKnownByItsOffsetAlone) {
  const Form form = Compiled(OneWindow({Own(), Button("0x16010002", {Binding(-1)}), Button("0x16010003", {Binding(58)})}));
  try {
    FormHeader(form, "form", "f.json");
    ADD_FAILURE() << "a handler without a name made a header";
  } catch (const SourceError& e) {
    EXPECT_EQ(e.message, "windows[0].units[2].bindings[0].handler: handler offset 58 has no name for the header: "
                         "write \"handler\": \"NAME\", \"offset\": 58");
  }
}

// A choice reads by the name of its value as by its number, and decompiles to the name where its
// value has one.
TEST(FormNames, ChoicesAreWrittenByNameOrNumber) {
  auto label = [](const QJsonObject& properties) {
    return WriteTemplate(Compiled(OneWindow(
        {Own(), QJsonObject{{"id", "0x16010002"}, {"type", "TransLabel"}, {"properties", properties}}})));
  };
  const Bytes byName = label({{"HorzAlign", "Right"}, {"VertAlign", "Bottom"}, {"TextEffect", "Shadow"}});
  EXPECT_EQ(byName, label({{"HorzAlign", 2}, {"VertAlign", "2"}, {"TextEffect", 3}}));
  EXPECT_NE(byName, label({}));

  // The window's polygons beyond its four named shapes are known by number.
  const Bytes shaped = WriteTemplate(Compiled(OneWindow({QJsonObject{
      {"id", "0x06010000"}, {"type", "window"}, {"properties", QJsonObject{{"Shape", 7}, {"Position", "Maximised"}}}}})));
  std::optional<runtime::WindowTable> table = runtime::ReadTemplateAsStored(shaped);
  ASSERT_TRUE(table);
  const std::string json = DecompileTemplate(*table, ProgramUnitTypes(), "f").json;
  EXPECT_NE(json.find("\"Shape\": 7"), std::string::npos) << json;
  EXPECT_NE(json.find("\"Position\": \"Maximised\""), std::string::npos) << json;
  EXPECT_NE(json.find("\"BorderStyle\": \"Fixed\""), std::string::npos) << json;

  EXPECT_NE(Refusal(OneWindow({QJsonObject{
                {"id", "0x06010000"}, {"type", "window"}, {"properties", QJsonObject{{"Shape", "Triangle"}}}}}))
                .find("properties.Shape: no value \"Triangle\" of Shape; values are Rectangle (0), Ellipse (1), "
                      "RoundedRectangle (2), Ring (3)"),
            std::string::npos);
}

}  // namespace
}  // namespace formtool
