#pragma once
// The program's event handlers, as the host calls them: the event's arguments as machine words,
// and whether a result was produced. None of them takes arguments or produces a result.
#include <cstdint>

namespace toolbox {

bool OpenPriceCalculator(const intptr_t* args, int32_t count, int64_t* result);
bool OpenScoreCalculator(const intptr_t* args, int32_t count, int64_t* result);
bool OpenAnswerPage(const intptr_t* args, int32_t count, int64_t* result);
bool OpenSchedulePage(const intptr_t* args, int32_t count, int64_t* result);
bool PriceCalculatorCreated(const intptr_t* args, int32_t count, int64_t* result);
bool CalculateScore(const intptr_t* args, int32_t count, int64_t* result);
bool CalculatePrice(const intptr_t* args, int32_t count, int64_t* result);
bool ShowAnswerPage(const intptr_t* args, int32_t count, int64_t* result);
bool ShowSchedulePage(const intptr_t* args, int32_t count, int64_t* result);

}  // namespace toolbox
