#pragma once
// The real toolbox in-process: the host started on the program's own data and template, the
// main window loaded, and the user's ways in: clicks on super buttons, keys into edit boxes.
#include <gtest/gtest.h>

#include <QString>

#include <cstdint>
#include <functional>
#include <string>

#include "app/toolbox_ids.h"

class QWidget;

namespace e2e {

class ToolboxTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The unit's widget, or null when it is not live. Unit 0 is the window itself.
  static QWidget* Widget(uint32_t window, uint32_t unit);
  static void Click(uint32_t window, uint32_t unit);
  // Replaces the edit box's content by typing `keys` into it.
  static void Type(uint32_t window, uint32_t unit, const QString& keys);
  // Property 8 (content or caption) as the program reads it; GBK bytes.
  static std::string Text(uint32_t window, uint32_t unit);

  // Clicks the main window's button `button` and runs `whileOpen` once `window` is up; the
  // click (and the modal load behind it) returns after `whileOpen` has closed the window or,
  // failing that, after this closes it. False when the window never showed.
  static bool WithWindowOpen(uint32_t button, toolbox::WindowIds window, const std::function<void()>& whileOpen);
  // The same with the user's own way of opening it, for example keys.
  static bool WithWindowOpen(const std::function<void()>& open, toolbox::WindowIds window,
                             const std::function<void()>& whileOpen);
  static void Close(toolbox::WindowIds window);
};

// The main window's buttons.
constexpr uint32_t kPriceButton = 0x16010002;
constexpr uint32_t kScoreButton = 0x1601002b;
constexpr uint32_t kAnswerButton = 0x16010089;
constexpr uint32_t kScheduleButton = 0x1601009e;

}  // namespace e2e
