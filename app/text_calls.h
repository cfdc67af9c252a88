#pragma once
// The text round trips both calculators make through the bridge: read a unit's text, test it
// for emptiness, convert it to an integer and a number back to text, write a caption, free.
#include <cstdint>

namespace toolbox {

// Property 8 of the unit: a new heap text owned by the caller, or null for the empty text.
char* ReadText(uint32_t window, uint32_t unit);
// A byte compare with the empty text of the constant area; null counts as empty.
bool IsEmptyText(const char* text);
// The core command ToInteger on a text value; null is passed as the empty text.
int32_t TextToInteger(const char* text);
// The core command ToText on a double: a new heap text ("%.13g") owned by the caller.
char* NumberToText(double value);
// Sets property 8 of the unit to the text (the unit copies it).
void WriteText(uint32_t window, uint32_t unit, char* text);
void FreeText(char* text);

}  // namespace toolbox
