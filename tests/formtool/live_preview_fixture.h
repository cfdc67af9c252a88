#pragma once
// The preview's tests: the sample form and its picture copied into a folder of their own, edited
// and saved as editors save, and the preview followed through the runtime's own view of the
// rebuilt window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <memory>

#include "contract/unit.h"
#include "host/host.h"
#include "tools/formtool/live_preview.h"

namespace formtool {

inline constexpr uint32_t kWindow = 0x52010001;
inline constexpr uint32_t kButton = 0x16010002;
inline constexpr uint32_t kFirstEdit = 0x16010017;
inline constexpr uint32_t kSecondEdit = 0x16010016;

inline bool WaitFor(const std::function<bool()>& done, int ms = 5000) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  return done();
}

inline bool FocusIsIn(QWidget* unit) {
  QWidget* focus = QApplication::focusWidget();
  return unit != nullptr && focus != nullptr && (focus == unit || unit->isAncestorOf(focus));
}

// Lets whatever else the watch would do happen.
inline void Settle() {
  WaitFor([] { return false; }, 300);
}

// A 16x16 picture all red, as PNG.
inline QByteArray RedPng() {
  QImage picture(16, 16, QImage::Format_RGB32);
  picture.fill(Qt::red);
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, "PNG");
  return png;
}

inline QWidget* UnitWidget(uint32_t unit) {
  units::Unit* live = runtime::LiveUnit(kWindow, unit);
  return live != nullptr ? live->widget() : nullptr;
}

class LivePreviewTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("forms")));
    ASSERT_TRUE(QFile::copy(FORMTOOL_SAMPLE_DIR "/sample_form.json", Path("form.json")));
    ASSERT_TRUE(QFile::copy(FORMTOOL_SAMPLE_DIR "/sample_picture.png", Path("sample_picture.png")));
    QFile form(Path("form.json"));
    ASSERT_TRUE(form.open(QIODevice::ReadOnly));
    form_ = QJsonDocument::fromJson(form.readAll()).object();
  }

  // A file in the folder of the form, which is a folder of its own in the test's folder.
  QString Path(const char* name) const { return Folder() + QLatin1Char('/') + QString::fromLatin1(name); }
  QString Folder() const { return dir_.filePath(QStringLiteral("forms")); }

  std::unique_ptr<LivePreview> Open(EventSink events = {}, EventSink inspections = {}) {
    LivePreview::Options options{Path("form.json").toStdString(), 0, true, std::move(events)};
    options.inspections = std::move(inspections);
    auto preview = std::make_unique<LivePreview>(options);
    if (!preview->Open()) return nullptr;
    return preview;
  }

  // The unit's entry in the first window of the form being edited; its index in unitIndex_.
  QJsonObject UnitEntry(uint32_t id) {
    const QJsonArray units = form_["windows"].toArray()[0].toObject()["units"].toArray();
    for (qsizetype i = 0; i < units.size(); ++i) {
      if (units[i].toObject()["id"].toString().toUInt(nullptr, 16) == id) unitIndex_ = i;
    }
    return units[unitIndex_].toObject();
  }
  void SetUnit(uint32_t id, const char* key, const QJsonValue& value) {
    QJsonObject unit = UnitEntry(id);
    unit[QString::fromLatin1(key)] = value;
    QJsonArray windows = form_["windows"].toArray();
    QJsonObject window = windows[0].toObject();
    QJsonArray units = window["units"].toArray();
    units[unitIndex_] = unit;
    window["units"] = units;
    windows[0] = window;
    form_["windows"] = windows;
  }

  // A key of the first window itself (not of its own unit).
  void SetWindow(const char* key, const QJsonValue& value) {
    QJsonArray windows = form_["windows"].toArray();
    QJsonObject window = windows[0].toObject();
    window[QString::fromLatin1(key)] = value;
    windows[0] = window;
    form_["windows"] = windows;
  }

  // A save as an editor that writes in place does it, or one that writes a new file and
  // renames it over the old.
  void Save(const QByteArray& bytes, bool byRename, const char* name = "form.json") {
    const QString target = Path(name);
    QFile file(byRename ? target + QStringLiteral(".new") : target);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
    file.close();
    if (byRename) {
      ASSERT_EQ(std::rename(file.fileName().toLocal8Bit().constData(), target.toLocal8Bit().constData()), 0);
    }
  }
  void SaveForm(bool byRename) { Save(FormText(), byRename); }
  QByteArray FormText() const { return QJsonDocument(form_).toJson(); }

  QTemporaryDir dir_;
  QJsonObject form_;
  qsizetype unitIndex_ = 0;
};

}  // namespace formtool
