#include "units/webbrowser/note_control.h"

#include <QPainter>

#include <algorithm>

#include "units/webbrowser/visible_part.h"

namespace units::webbrowser {
namespace {

// The note, centred in the part of the box its window shows.
class NoteWidget : public QWidget {
 public:
  NoteWidget(QWidget* parent, const QString& note) : QWidget(parent), note_(note) {
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0xf6, 0xf7, 0xf9));
    const QRect visible = VisiblePart(this);
    const int width = std::min(visible.width() - 48, 560);
    const QRect text(visible.center().x() - width / 2, visible.top(), width, visible.height());
    painter.setPen(QColor(0x33, 0x33, 0x33));
    painter.drawText(text, Qt::AlignCenter | Qt::TextWordWrap, note_);
  }

 private:
  QString note_;
};

}  // namespace

NoteControl::NoteControl(QWidget* parent, const QString& note) : widget_(new NoteWidget(parent, note)) {
  widget_->setObjectName(QStringLiteral("engine refusal"));
  widget_->setAccessibleName(note);
}

NoteControl::~NoteControl() { delete widget_; }

}  // namespace units::webbrowser
