#include "base/template/mouse_pointer.h"

#include <gtest/gtest.h>

#include <vector>

namespace runtime {
namespace {

// The choice without its image view, which would outlive the data.
struct Choice {
  CursorKind kind;
  int32_t systemId;
  bool image;
};

Choice Select(std::vector<uint8_t> data) {
  CursorChoice choice = SelectCursor(data);
  return {choice.kind, choice.systemId, !choice.image.empty()};
}

TEST(MousePointer, SelectorsMapThroughTheSystemTable) {
  EXPECT_EQ(Select({}).kind, CursorKind::kNone);
  EXPECT_EQ(Select({0, 0, 0, 0}).kind, CursorKind::kNone);
  Choice arrow = Select({1, 0, 0, 0});
  EXPECT_EQ(arrow.kind, CursorKind::kSystem);
  EXPECT_EQ(arrow.systemId, 32512);
  EXPECT_EQ(Select({13, 0, 0, 0}).systemId, 32516);
  EXPECT_EQ(Select({14, 0, 0, 0}).kind, CursorKind::kHand);
  // Up to 3 bytes, the first byte alone is the selector.
  EXPECT_EQ(Select({2, 0x7F}).systemId, 32515);
  // A system cursor id given directly is taken; an id outside the table is none.
  EXPECT_EQ(Select({0x00, 0x7F, 0, 0}).systemId, 32512);
  EXPECT_EQ(Select({0x89, 0x7F, 0, 0}).kind, CursorKind::kHand);
  EXPECT_EQ(Select({15, 0, 0, 0}).kind, CursorKind::kNone);
  EXPECT_FALSE(Select({1, 0, 0, 0}).image);
}

TEST(MousePointer, ImageData) {
  std::vector<uint8_t> follows = {0xFF, 0xFF, 0xFF, 0xFF, 0xAA, 0xBB};
  CursorChoice image = SelectCursor(follows);
  EXPECT_EQ(image.kind, CursorKind::kImage);
  EXPECT_EQ(std::vector<uint8_t>(image.image.begin(), image.image.end()), (std::vector<uint8_t>{0xAA, 0xBB}));
  EXPECT_EQ(Select({0xFF, 0xFF, 0xFF, 0xFF}).kind, CursorKind::kNone);
  // Longer data is tried as an image first, falling back to the selector.
  std::vector<uint8_t> longer = {3, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7};
  CursorChoice tried = SelectCursor(longer);
  EXPECT_EQ(tried.kind, CursorKind::kSystem);
  EXPECT_EQ(tried.systemId, 32513);
  EXPECT_EQ(tried.image.data(), longer.data());
  EXPECT_EQ(tried.image.size(), longer.size());
  longer.pop_back();
  EXPECT_FALSE(Select(longer).image);
}

}  // namespace
}  // namespace runtime
