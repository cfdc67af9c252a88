#pragma once
// The real toolbox in-process: the host started on the program's own data and template, the
// main window loaded, and the user's ways in: clicks on super buttons, keys into edit boxes.
// ProgramTest has the ways in alone, for a test that starts another program on the runtime.
#include <gtest/gtest.h>

#include <QString>

#include <cstdint>
#include <functional>
#include <string>

#include "app/toolbox_ids.h"
#include "toolbox_forms.h"

class QWidget;

namespace e2e {

// A tool window's id and its own unit's, as the form names them.
struct WindowIds {
  uint32_t window;
  uint32_t ownUnit;
};
constexpr WindowIds kPriceWindow = {toolbox::price::kWindow, toolbox::price::kOwnUnit};
constexpr WindowIds kScoreWindow = {toolbox::score::kWindow, toolbox::score::kOwnUnit};
constexpr WindowIds kAnswerWindow = {toolbox::answer::kWindow, toolbox::answer::kOwnUnit};
constexpr WindowIds kScheduleWindow = {toolbox::schedule::kWindow, toolbox::schedule::kOwnUnit};

class ProgramTest : public testing::Test {
 protected:
  // The unit's widget, or null when it is not live. Unit 0 is the window itself.
  static QWidget* Widget(uint32_t window, uint32_t unit);
  static void Click(uint32_t window, uint32_t unit);
  // Replaces the edit box's content by typing `keys` into it.
  static void Type(uint32_t window, uint32_t unit, const QString& keys);
  // Property 8 (content or caption) as the program reads it; GBK bytes.
  static std::string Text(uint32_t window, uint32_t unit);
};

class ToolboxTest : public ProgramTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Clicks the main window's button `button` and runs `whileOpen` once `window` is up; the
  // click (and the modal load behind it) returns after `whileOpen` has closed the window or,
  // failing that, after this closes it. False when the window never showed.
  static bool WithWindowOpen(uint32_t button, WindowIds window, const std::function<void()>& whileOpen);
  // The same with the user's own way of opening it, for example keys.
  static bool WithWindowOpen(const std::function<void()>& open, WindowIds window,
                             const std::function<void()>& whileOpen);
  static void Close(WindowIds window);
};

// The main window's buttons.
constexpr uint32_t kPriceButton = toolbox::main_window::kPriceButton;
constexpr uint32_t kScoreButton = toolbox::main_window::kScoreButton;
constexpr uint32_t kAnswerButton = toolbox::main_window::kAnswerButton;
constexpr uint32_t kScheduleButton = toolbox::main_window::kScheduleButton;

}  // namespace e2e
