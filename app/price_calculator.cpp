// The price calculator's "计算" button: for every filled row, what a seller keeps after the
// market tax and the listing fee, and how many taels one xianyu spent on the item is worth. The
// second figure is taken from the first one's caption, so it follows what the user sees.
#include "app/constant_area.h"
#include "app/text_calls.h"
#include "toolbox_forms.h"

namespace toolbox {
namespace {

struct PriceRow {
  uint32_t input;     // edit box: the market price
  uint32_t afterTax;  // transparent label
  uint32_t perXianyu; // transparent label
  const double* xianyu;
  bool soldInGroups;  // listed as one group of 999 pieces, the fee paid once per group
};

const PriceRow kRows[] = {
    {price::kPrice1, price::kAfterTax1, price::kPerXianyu1, &kConstants.xianyu5, true},
    {price::kPrice2, price::kAfterTax2, price::kPerXianyu2, &kConstants.xianyu8, true},
    {price::kPrice3, price::kAfterTax3, price::kPerXianyu3, &kConstants.xianyu500, false},
    {price::kPrice4, price::kAfterTax4, price::kPerXianyu4, &kConstants.xianyu160, false},
};

int32_t ReadInteger(uint32_t window, uint32_t unit) {
  char* text = ReadText(window, unit);
  const int32_t value = TextToInteger(text);
  FreeText(text);
  return value;
}

// Each step rounds to double in this order, so the captions match the figures players compare.
double AfterTax(int32_t a, int32_t b, bool soldInGroups) {
  const double kept = a - b * kConstants.taxRate;
  if (!soldInGroups) return kept - kConstants.listingFee;
  const double group = kept * kConstants.groupSize;
  const double groupAfterFee = group - kConstants.listingFee;
  return groupAfterFee / kConstants.groupSize;
}

}  // namespace

bool CalculatePrice(const intptr_t*, int32_t, int64_t*) {
  const uint32_t window = price::kWindow;
  for (const PriceRow& row : kRows) {
    char* text = ReadText(window, row.input);
    const bool filled = !IsEmptyText(text);
    FreeText(text);
    if (!filled) continue;
    const int32_t a = ReadInteger(window, row.input);
    const int32_t b = ReadInteger(window, row.input);

    char* caption = NumberToText(AfterTax(a, b, row.soldInGroups));
    WriteText(window, row.afterTax, caption);
    FreeText(caption);

    const int32_t shown = ReadInteger(window, row.afterTax);  // the caption, cut at its decimal point
    caption = NumberToText(static_cast<double>(shown) / *row.xianyu);
    WriteText(window, row.perXianyu, caption);
    FreeText(caption);
  }
  return false;
}

bool PriceCalculatorCreated(const intptr_t*, int32_t, int64_t*) { return false; }

}  // namespace toolbox
