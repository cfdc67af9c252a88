// The score calculator's "计算" button: for every filled row, the item's market price divided by
// its price in points, shown in the row's result label. Rows left empty keep their old result.
#include "app/constant_area.h"
#include "app/text_calls.h"
#include "toolbox_forms.h"

namespace toolbox {
namespace {

struct ScoreRow {
  uint32_t input;   // edit box
  uint32_t result;  // transparent label
  const double* points;
};

// In the order of the rows of the table picture behind them.
const ScoreRow kRows[] = {
    {score::kPrice1, score::kRatio1, &kConstants.points20000},
    {score::kPrice2, score::kRatio2, &kConstants.points12},
    {score::kPrice3, score::kRatio3, &kConstants.points80},
    {score::kPrice4, score::kRatio4, &kConstants.points30},
    {score::kPrice5, score::kRatio5, &kConstants.points10},
    {score::kPrice6, score::kRatio6, &kConstants.points60},
    {score::kPrice7, score::kRatio7, &kConstants.points150},
    {score::kPrice8, score::kRatio8, &kConstants.points40},
    {score::kPrice9, score::kRatio9, &kConstants.points375},
    {score::kPrice10, score::kRatio10, &kConstants.points5000},
    {score::kPrice11, score::kRatio11, &kConstants.points150},
    {score::kPrice12, score::kRatio12, &kConstants.points6000},
    {score::kPrice13, score::kRatio13, &kConstants.points90},
    {score::kPrice14, score::kRatio14, &kConstants.points10000},
    {score::kPrice15, score::kRatio15, &kConstants.points6000},
    {score::kPrice16, score::kRatio16, &kConstants.points480},
    {score::kPrice17, score::kRatio17, &kConstants.points60},
    {score::kPrice18, score::kRatio18, &kConstants.points300},
};

}  // namespace

bool CalculateScore(const intptr_t*, int32_t, int64_t*) {
  const uint32_t window = score::kWindow;
  for (const ScoreRow& row : kRows) {
    char* text = ReadText(window, row.input);
    const bool filled = !IsEmptyText(text);
    FreeText(text);
    if (!filled) continue;
    // Read afresh for the conversion: the emptiness test's copy is gone.
    text = ReadText(window, row.input);
    const int32_t price = TextToInteger(text);
    FreeText(text);
    char* ratio = NumberToText(static_cast<double>(price) / *row.points);
    WriteText(window, row.result, ratio);
    FreeText(ratio);
  }
  return false;
}

}  // namespace toolbox
