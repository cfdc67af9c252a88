// The calculators as a player uses them: open from the main window, type prices, click "计算",
// read the captions the result labels show.
#include <QTest>
#include <QWidget>

#include <string>
#include <vector>

#include "imaging/picture_cache.h"
#include "platform/gbk.h"
#include "base/program/bridge.h"
#include "tests/e2e/toolbox_fixture.h"
#include "units/picbox/picbox_unit.h"

namespace e2e {
namespace {

namespace price = toolbox::price;
namespace score = toolbox::score;

struct Row {
  uint32_t input;
  uint32_t result;
};

// Rows 1 to 18 of the score table.
const std::vector<Row> kScoreRows = {
    {score::kPrice1, score::kRatio1},   {score::kPrice2, score::kRatio2},   {score::kPrice3, score::kRatio3},
    {score::kPrice4, score::kRatio4},   {score::kPrice5, score::kRatio5},   {score::kPrice6, score::kRatio6},
    {score::kPrice7, score::kRatio7},   {score::kPrice8, score::kRatio8},   {score::kPrice9, score::kRatio9},
    {score::kPrice10, score::kRatio10}, {score::kPrice11, score::kRatio11}, {score::kPrice12, score::kRatio12},
    {score::kPrice13, score::kRatio13}, {score::kPrice14, score::kRatio14}, {score::kPrice15, score::kRatio15},
    {score::kPrice16, score::kRatio16}, {score::kPrice17, score::kRatio17}, {score::kPrice18, score::kRatio18}};
constexpr uint32_t kScoreCompute = score::kCalculate;

struct PriceRow {
  uint32_t input;
  uint32_t afterTax;
  uint32_t perXianyu;
};
const std::vector<PriceRow> kPriceRows = {{price::kPrice1, price::kAfterTax1, price::kPerXianyu1},
                                          {price::kPrice2, price::kAfterTax2, price::kPerXianyu2},
                                          {price::kPrice3, price::kAfterTax3, price::kPerXianyu3},
                                          {price::kPrice4, price::kAfterTax4, price::kPerXianyu4}};
constexpr uint32_t kPriceCompute = price::kCalculate;

class CalculatorTest : public ToolboxTest {
 protected:
  static void TypeScore(int row, const char* keys) {
    Type(kScoreWindow.window, kScoreRows[row - 1].input, QString::fromLatin1(keys));
  }
  static std::string ScoreResult(int row) { return Text(kScoreWindow.window, kScoreRows[row - 1].result); }
  // Content the keyboard cannot give (an edit box's input mode filters typing), written as the
  // program would write it. The focus rests on the compute button, so no box rewrites it.
  static void Put(uint32_t window, uint32_t unit, const char* utf8) {
    std::string gbk = platform::Utf8ToGbk(utf8);
    runtime::DataBytes value{};
    value.text = gbk.data();
    runtime::Bridge().setUnitProperty(window, unit, toolbox::kTextProperty, -1, value);
  }
};

TEST_F(CalculatorTest, ScoreRowsShowPricePerPointAndEmptyRowsKeepTheirCaption) {
  ASSERT_TRUE(WithWindowOpen(kScoreButton, kScoreWindow, [] {
    Click(kScoreWindow.window, kScoreCompute);  // nothing typed: nothing changes
    for (int row = 1; row <= 18; ++row) EXPECT_EQ(ScoreResult(row), "") << "row " << row;

    TypeScore(2, "30");
    TypeScore(1, "30000");
    TypeScore(3, "100");
    TypeScore(9, "1000");
    Click(kScoreWindow.window, kScoreCompute);
    EXPECT_EQ(ScoreResult(2), "2.5");
    EXPECT_EQ(ScoreResult(1), "1.5");
    EXPECT_EQ(ScoreResult(3), "1.25");
    EXPECT_EQ(ScoreResult(9), "2.666666666667");
    EXPECT_EQ(ScoreResult(4), "");

    // A tiny quotient in exponent form; a row emptied since keeps the caption it had.
    TypeScore(1, "1");
    TypeScore(2, "");
    Click(kScoreWindow.window, kScoreCompute);
    EXPECT_EQ(ScoreResult(1), "5e-005");
    EXPECT_EQ(ScoreResult(2), "2.5");
  }));
}

TEST_F(CalculatorTest, EveryScoreRowDividesByItsOwnPoints) {
  // 60000 is a multiple of every row's points, so each result names the divisor the row used.
  const char* expected[] = {"3", "5000", "750", "2000", "6000", "1000", "400", "1500", "160",
                            "12", "400", "10", "666.6666666667", "6", "10", "125", "1000", "200"};
  ASSERT_TRUE(WithWindowOpen(kScoreButton, kScoreWindow, [&] {
    for (int row = 1; row <= 18; ++row) TypeScore(row, "60000");
    Click(kScoreWindow.window, kScoreCompute);
    for (int row = 1; row <= 18; ++row) EXPECT_EQ(ScoreResult(row), expected[row - 1]) << "row " << row;
  }));
}

TEST_F(CalculatorTest, PriceRowsShowWhatIsKeptAndTaelsPerXianyu) {
  ASSERT_TRUE(WithWindowOpen(kPriceButton, kPriceWindow, [] {
    const char* inputs[] = {"1000", "3000", "200000", "50000"};
    const char* afterTax[] = {"819.8998998999", "2659.8998999", "84000", "-54000"};
    const char* perXianyu[] = {"163.8", "332.375", "168", "-337.5"};
    Click(kPriceWindow.window, kPriceCompute);
    for (const PriceRow& row : kPriceRows) EXPECT_EQ(Text(kPriceWindow.window, row.afterTax), "");

    for (size_t i = 0; i < kPriceRows.size(); ++i)
      Type(kPriceWindow.window, kPriceRows[i].input, QString::fromLatin1(inputs[i]));
    Click(kPriceWindow.window, kPriceCompute);
    for (size_t i = 0; i < kPriceRows.size(); ++i) {
      EXPECT_EQ(Text(kPriceWindow.window, kPriceRows[i].afterTax), afterTax[i]) << "row " << i + 1;
      EXPECT_EQ(Text(kPriceWindow.window, kPriceRows[i].perXianyu), perXianyu[i]) << "row " << i + 1;
    }
  }));
}

TEST_F(CalculatorTest, PriceContentsThatAreNoWholeNumberCountAsTheirLeadingInteger) {
  ASSERT_TRUE(WithWindowOpen(kPriceButton, kPriceWindow, [] {
    Widget(kPriceWindow.window, kPriceCompute)->setFocus();
    const char* contents[] = {"abc", "x", "１０００", "1000.9"};
    const char* afterTax[] = {"-100.1001001001", "-100.1001001001", "-99080", "-99080"};
    // The second figure comes from the first one's caption, cut at its decimal point.
    const char* perXianyu[] = {"-20", "-12.5", "-198.16", "-619.25"};
    for (size_t i = 0; i < kPriceRows.size(); ++i) Put(kPriceWindow.window, kPriceRows[i].input, contents[i]);
    Click(kPriceWindow.window, kPriceCompute);
    for (size_t i = 0; i < kPriceRows.size(); ++i) {
      EXPECT_EQ(Text(kPriceWindow.window, kPriceRows[i].afterTax), afterTax[i]) << "row " << i + 1;
      EXPECT_EQ(Text(kPriceWindow.window, kPriceRows[i].perXianyu), perXianyu[i]) << "row " << i + 1;
    }
  }));
}

// The picture box alone, without the edit boxes on it (one of which holds the blinking caret).
QImage TableAlone(QWidget* table) {
  QImage image(table->size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  table->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
  return image;
}

TEST_F(CalculatorTest, ACalculatorOpensAgainWithEmptyInputsAndResults) {
  QImage tables[2], priceTables[2];
  for (int opening = 0; opening < 2; ++opening) {
    ASSERT_TRUE(WithWindowOpen(kScoreButton, kScoreWindow, [&tables, opening] {
      auto* table = Widget(kScoreWindow.window, 0)->findChild<units::PictureBox*>();
      ASSERT_NE(table, nullptr);
      tables[opening] = TableAlone(table);
      for (const Row& row : kScoreRows) {
        EXPECT_EQ(Text(kScoreWindow.window, row.input), "");
        EXPECT_EQ(Text(kScoreWindow.window, row.result), "");
      }
      TypeScore(5, "70");
      Click(kScoreWindow.window, kScoreCompute);
      EXPECT_EQ(ScoreResult(5), "7");
    }));
    ASSERT_TRUE(WithWindowOpen(kPriceButton, kPriceWindow, [&priceTables, opening] {
      auto* table = Widget(kPriceWindow.window, 0)->findChild<units::PictureBox*>();
      ASSERT_NE(table, nullptr);
      priceTables[opening] = TableAlone(table);
      for (const PriceRow& row : kPriceRows) {
        EXPECT_EQ(Text(kPriceWindow.window, row.input), "");
        EXPECT_EQ(Text(kPriceWindow.window, row.afterTax), "");
        EXPECT_EQ(Text(kPriceWindow.window, row.perXianyu), "");
      }
      Type(kPriceWindow.window, kPriceRows[2].input, QStringLiteral("200000"));
      Click(kPriceWindow.window, kPriceCompute);
      EXPECT_EQ(Text(kPriceWindow.window, kPriceRows[2].afterTax), "84000");
    }));
    // Each calculator's table picture is decoded the first time only.
    EXPECT_EQ(imaging::CachedPictures(), 2u);
  }
  EXPECT_EQ(tables[1], tables[0]);
  EXPECT_EQ(priceTables[1], priceTables[0]);
  EXPECT_NE(tables[0].pixel(tables[0].width() / 2, tables[0].height() / 2), tables[0].pixel(0, 0))
      << "the table is drawn";
}

}  // namespace
}  // namespace e2e
