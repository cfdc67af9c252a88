// The score calculator's "计算" button: for every filled row, the item's market price divided by
// its price in points, shown in the row's result label. Rows left empty keep their old result.
#include "app/constant_area.h"
#include "app/handlers.h"
#include "app/text_calls.h"
#include "app/toolbox_ids.h"

namespace toolbox {
namespace {

struct ScoreRow {
  uint32_t input;   // edit box
  uint32_t result;  // transparent label
  const double* points;
};

// In the order of the rows of the table picture behind them.
const ScoreRow kRows[] = {
    {0x16010034, 0x16010035, &kConstants.points20000}, {0x1601003b, 0x1601004b, &kConstants.points12},
    {0x1601003c, 0x1601004c, &kConstants.points80},    {0x1601003d, 0x1601004d, &kConstants.points30},
    {0x1601003e, 0x1601004e, &kConstants.points10},    {0x1601003f, 0x1601004f, &kConstants.points60},
    {0x16010040, 0x16010050, &kConstants.points150},   {0x16010041, 0x16010051, &kConstants.points40},
    {0x16010042, 0x16010052, &kConstants.points375},   {0x16010043, 0x16010053, &kConstants.points5000},
    {0x16010044, 0x16010054, &kConstants.points150},   {0x16010045, 0x16010055, &kConstants.points6000},
    {0x16010046, 0x16010056, &kConstants.points90},    {0x16010047, 0x16010057, &kConstants.points10000},
    {0x16010048, 0x16010058, &kConstants.points6000},  {0x16010049, 0x1601005a, &kConstants.points480},
    {0x1601004a, 0x1601005b, &kConstants.points60},    {0x16010059, 0x1601005c, &kConstants.points300},
};

}  // namespace

bool CalculateScore(const intptr_t*, int32_t, int64_t*) {
  const uint32_t window = kScoreWindow.window;
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
