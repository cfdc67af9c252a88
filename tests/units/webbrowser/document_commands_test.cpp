// Reading the document's answers into property values, and texts placed into scripts.
#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

#include "units/webbrowser/document_commands.h"
#include "units/webbrowser/script_text.h"

namespace {

using namespace units::webbrowser;

TEST(DocumentCommands, ColoursBecomeColourWordsWhateverTheirSpelling) {
  EXPECT_EQ(AsColor(QStringLiteral("rgb(255, 0, 0)")), 0x0000FF);
  EXPECT_EQ(AsColor(QStringLiteral("rgba(1, 2, 3, 0.5)")), 0x030201);
  EXPECT_EQ(AsColor(QStringLiteral("#102030")), 0x302010);
  EXPECT_EQ(AsColor(0x123456), 0x123456);
  EXPECT_EQ(AsColor(QStringLiteral("rgb(300, 0, 0)")), 0) << "out of range";
  EXPECT_EQ(AsColor(QStringLiteral("nonsense")), 0);
  EXPECT_EQ(AsColor(QVariant()), 0) << "no document";
  EXPECT_EQ(ColorText(0x0000FF), QStringLiteral("#ff0000"));
  EXPECT_EQ(AsColor(ColorText(0x00ABCDEF)), 0x00ABCDEF);
}

TEST(DocumentCommands, AnswersOfTheWrongKindReadAsNothing) {
  EXPECT_EQ(AsInteger(QStringLiteral("3")), 3) << "sizes come as text";
  EXPECT_EQ(AsInteger(4.0), 4);
  EXPECT_EQ(AsInteger(4.5), 0);
  EXPECT_EQ(AsInteger(QStringLiteral("3px")), 0);
  EXPECT_TRUE(AsLogical(true));
  EXPECT_FALSE(AsLogical(QStringLiteral("true"))) << "only a logical counts";
  EXPECT_FALSE(AsLogical(1));
  EXPECT_EQ(AsFontName(QStringLiteral("\"DejaVu Serif\"")), QStringLiteral("DejaVu Serif"));
  EXPECT_EQ(AsFontName(QStringLiteral("\"A\", \"B\"")), QStringLiteral("\"A\", \"B\"")) << "a list stays a list";
  EXPECT_EQ(AsFontName(7), QString());
}

TEST(DocumentCommands, TextsInScriptsStayTexts) {
  const QString hostile = QStringLiteral("a'); alert(1); (\"\\\n\u2028");
  const QString literal = ScriptString(hostile);
  // The literal parses back to exactly the text, as one string value.
  const QJsonDocument parsed = QJsonDocument::fromJson(("[" + literal + "]").toUtf8());
  ASSERT_TRUE(parsed.isArray());
  EXPECT_EQ(parsed.array().at(0).toString(), hostile);
  EXPECT_TRUE(ExecuteScript(QStringLiteral("FontName"), hostile).contains(literal));
}

}  // namespace
