#include "ArrowSpin.h"

#include <QToolButton>

namespace pelmark {

ArrowSpin::ArrowSpin(QWidget* parent)
    : QWidget(parent), down_(new QToolButton(this)), up_(new QToolButton(this)) {
    down_->setArrowType(Qt::LeftArrow);
    up_->setArrowType(Qt::RightArrow);
    for (QToolButton* button : {down_, up_}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
    }
    connect(down_, &QToolButton::clicked, this, [this] { request(value_ - 1); });
    connect(up_, &QToolButton::clicked, this, [this] { request(value_ + 1); });
}

void ArrowSpin::resizeEvent(QResizeEvent*) {
    int half = width() / 2;
    down_->setGeometry(0, 0, half, height());
    up_->setGeometry(half, 0, width() - half, height());
}

} // namespace pelmark
