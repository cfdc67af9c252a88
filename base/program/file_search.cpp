#include "base/program/file_search.h"

#include <fnmatch.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "platform/gbk.h"

namespace runtime {
namespace {

struct Search {
  std::vector<std::string> names;  // GBK, in directory order
  size_t next = 0;
  std::string current;
};

Search gSearch;

bool Matches(const std::filesystem::directory_entry& entry, const std::string& name, const std::string& pattern,
             int32_t mask) {
  if (fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) != 0) return false;
  std::error_code error;
  if (entry.is_directory(error) && !(mask & file_attribute::kDirectory)) return false;
  if (name.front() == '.' && !(mask & file_attribute::kHidden)) return false;
  return true;
}

void StartSearch(const std::string& gbkPattern, int32_t mask) {
  gSearch = Search();
  std::string pattern = platform::GbkToUtf8(gbkPattern);
  for (char& c : pattern)
    if (c == '\\') c = '/';
  auto slash = pattern.rfind('/');
  std::string directory = slash == std::string::npos ? "." : pattern.substr(0, slash == 0 ? 1 : slash);
  std::string namePattern = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
    std::string name = entry.path().filename().string();
    if (Matches(entry, name, namePattern, mask)) gSearch.names.push_back(platform::Utf8ToGbk(name));
  }
}

}  // namespace

const char* FindNextFile(const char* pattern, int32_t attributeMask) {
  if (pattern != nullptr && *pattern != '\0') StartSearch(pattern, attributeMask);
  if (gSearch.next >= gSearch.names.size()) return nullptr;
  gSearch.current = gSearch.names[gSearch.next++];
  return gSearch.current.c_str();
}

void CloseFileSearch() { gSearch = Search(); }

}  // namespace runtime
