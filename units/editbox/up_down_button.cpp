#include "units/editbox/up_down_button.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace units::editbox {

UpDownButton::UpDownButton(QWidget* parent, std::function<void(int)> onDelta)
    : QFrame(parent), onDelta_(std::move(onDelta)) {
  setFocusPolicy(Qt::NoFocus);
  auto* layout = new QVBoxLayout(this);
  layout->setSpacing(0);
  layout->addWidget(MakeArrow(Qt::UpArrow, 1, QString::fromUtf8("增加")));
  layout->addWidget(MakeArrow(Qt::DownArrow, -1, QString::fromUtf8("减少")));
  SetEdge(false);
}

void UpDownButton::SetEdge(bool staticEdge) {
  setFrameStyle(staticEdge ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame);
  setLineWidth(1);
  const int w = frameWidth();
  layout()->setContentsMargins(w, w, w, w);
}

QToolButton* UpDownButton::MakeArrow(Qt::ArrowType arrow, int delta, const QString& name) {
  auto* button = new QToolButton(this);
  button->setArrowType(arrow);
  button->setObjectName(arrow == Qt::UpArrow ? QStringLiteral("up") : QStringLiteral("down"));
  button->setAccessibleName(name);
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoRepeat(true);
  button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  // On the press and on every repeat while held, not again on the release.
  connect(button, &QToolButton::pressed, this, [this, delta] { onDelta_(delta); });
  return button;
}

}  // namespace units::editbox
