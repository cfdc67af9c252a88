#pragma once
// The runtime's file search (runtime services 0 and 1).
#include <cstdint>

namespace runtime {

namespace file_attribute {
constexpr int32_t kReadOnly = 0x1;
constexpr int32_t kHidden = 0x2;
constexpr int32_t kDirectory = 0x10;
}  // namespace file_attribute

// With a non-empty GBK pattern ("dir/*.txt", "?" and "*" in the last part, letter case
// ignored) starts a new search; with a null or empty one continues the current search. Plain
// files always match; directories only when the mask has kDirectory, and hidden entries (names
// starting with ".") only when it has kHidden. Answers the next matching name (GBK, without its
// directory), valid until the next call, or null when there is none.
const char* FindNextFile(const char* pattern, int32_t attributeMask);

// Ends the current search.
void CloseFileSearch();

}  // namespace runtime
