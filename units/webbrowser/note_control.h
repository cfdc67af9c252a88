#pragma once
// A browser control that shows no page, only a note saying why, where the engine cannot be used.
// It answers every operation as a box that never loaded anything.
#include <QWidget>

#include "units/webbrowser/browser_control.h"

namespace units::webbrowser {

class NoteControl final : public BrowserControl {
 public:
  NoteControl(QWidget* parent, const QString& note);
  ~NoteControl() override;

  QWidget* Widget() override { return widget_; }
  void Navigate(const QString& /*url*/, int32_t /*flags*/, const QString& /*frame*/,
                const QByteArray& /*headers*/) override {}
  void SetSilent(bool silent) override { silent_ = silent; }
  void SetOffline(bool offline) override { offline_ = offline; }
  void SetDropTarget(bool accept) override { widget_->setAcceptDrops(accept); }
  bool Silent() const override { return silent_; }
  bool Offline() const override { return offline_; }
  bool DropTarget() const override { return widget_->acceptDrops(); }
  bool Busy() const override { return false; }
  ReadyState State() const override { return ReadyState::kUninitialized; }
  QString Url() const override { return {}; }
  QString Title() const override { return {}; }
  QVariant Evaluate(const QString& /*script*/) override { return {}; }
  void Run(const QString& /*script*/) override {}

 private:
  QWidget* widget_;
  bool silent_ = false;
  bool offline_ = false;
};

}  // namespace units::webbrowser
