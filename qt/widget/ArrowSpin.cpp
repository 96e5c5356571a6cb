#include "widget/ArrowSpin.h"

#include <QKeyEvent>
#include <QToolButton>

namespace pelmark {

ArrowSpin::ArrowSpin(QWidget* parent)
    : QWidget(parent), down_(new QToolButton(this)), up_(new QToolButton(this)) {
    down_->setArrowType(Qt::LeftArrow);
    up_->setArrowType(Qt::RightArrow);
    // The control takes the focus as a whole and steps with the keys; the arrows stay mouse targets.
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QString::fromUtf8("Bildnummer"));
    down_->setAccessibleName(QString::fromUtf8("Vorheriges Bild"));
    up_->setAccessibleName(QString::fromUtf8("Nächstes Bild"));
    for (QToolButton* button : {down_, up_}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
    }
    connect(down_, &QToolButton::clicked, this, [this] { request(value_ - 1); });
    connect(up_, &QToolButton::clicked, this, [this] { request(value_ + 1); });
}

int ArrowSpin::stepOfKey(int key) {
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Right:
        return 1;
    case Qt::Key_Down:
    case Qt::Key_Left:
        return -1;
    case Qt::Key_PageUp:
        return 10;
    case Qt::Key_PageDown:
        return -10;
    default:
        return 0;
    }
}

void ArrowSpin::keyPressEvent(QKeyEvent* event) {
    if (int step = stepOfKey(event->key())) {
        request(value_ + step);
        return;
    }
    QWidget::keyPressEvent(event);
}

void ArrowSpin::resizeEvent(QResizeEvent*) {
    int half = width() / 2;
    down_->setGeometry(0, 0, half, height());
    up_->setGeometry(half, 0, width() - half, height());
}

} // namespace pelmark
