#include "base/program/file_search.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "platform/gbk.h"
#include "base/program/bridge.h"
#include "base/program/services.h"

namespace {

namespace fs = std::filesystem;

class FileSearch : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("quarlex-search-" + std::to_string(::getpid()));
    fs::create_directories(dir_ / "sub.txt");
    for (const char* name : {"a.txt", "B.TXT", "c.dat", ".hidden.txt", "数据.txt"}) std::ofstream(dir_ / name) << "x";
  }
  void TearDown() override {
    runtime::CloseFileSearch();
    fs::remove_all(dir_);
  }

  std::set<std::string> FindAll(const std::string& pattern, int32_t mask) {
    std::set<std::string> names;
    std::string gbk = platform::Utf8ToGbk(pattern);
    for (const char* name = runtime::FindNextFile(gbk.c_str(), mask); name; name = runtime::FindNextFile(nullptr, mask))
      names.insert(platform::GbkToUtf8(name));
    return names;
  }

  fs::path dir_;
};

TEST_F(FileSearch, MatchesWildcardsIgnoringCaseAndHonoursTheAttributeMask) {
  std::string base = dir_.string();
  EXPECT_EQ(FindAll(base + "/*.txt", 0), (std::set<std::string>{"a.txt", "B.TXT", "数据.txt"}));
  EXPECT_EQ(FindAll(base + "/*.txt", runtime::file_attribute::kDirectory),
            (std::set<std::string>{"a.txt", "B.TXT", "数据.txt", "sub.txt"}));
  EXPECT_EQ(FindAll(base + "/*.txt", runtime::file_attribute::kHidden),
            (std::set<std::string>{"a.txt", "B.TXT", "数据.txt", ".hidden.txt"}));
  EXPECT_EQ(FindAll(base + "\\?.dat", 0), (std::set<std::string>{"c.dat"}));
  EXPECT_TRUE(FindAll(base + "/nothing*", 0).empty());
  EXPECT_TRUE(FindAll(base + "/missing-dir/*", 0).empty());
}

TEST_F(FileSearch, AnEmptyPatternContinuesAndClosingEndsTheSearch) {
  std::string pattern = dir_.string() + "/*.txt";
  auto service = runtime::Bridge().service;
  auto first = reinterpret_cast<const char*>(service(runtime::service::kFindFile, pattern.c_str(), 0));
  ASSERT_NE(first, nullptr);
  std::string firstName = first;
  auto second = reinterpret_cast<const char*>(service(runtime::service::kFindFile, "", 0));
  ASSERT_NE(second, nullptr);
  EXPECT_NE(firstName, second);
  service(runtime::service::kCloseFileSearch);
  EXPECT_EQ(service(runtime::service::kFindFile, "", 0), 0);
}

}  // namespace
