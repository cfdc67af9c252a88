#pragma once
// The toolbox's windows again in plain Qt, for the benchmarks to compare with: the units of a
// live window read back (kind, place, text), then made as a Qt Designer form for QUiLoader or
// built directly from Qt's own widgets.
#include <QByteArray>
#include <QRect>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <vector>

namespace bench {

struct MirroredUnit {
  enum Kind { kLabel, kLineEdit, kButton, kPicture } kind;
  QRect geometry;
  QString text;
  uint32_t unitId;
};

struct MirroredWindow {
  QString title;
  QSize clientSize;
  std::vector<MirroredUnit> units;
};

// The units of the live window `windowId`, containers before what they hold.
MirroredWindow Mirror(uint32_t windowId);

// A Designer form of the window; picture boxes show `pictureFile`.
QByteArray DesignerForm(const MirroredWindow& window, const QString& pictureFile);

// The same built with Qt's widgets directly: QLabel, QLineEdit, QPushButton, a QLabel showing
// `pictureFile`.
QWidget* PlainWindow(const MirroredWindow& window, const QString& pictureFile);

}  // namespace bench
