#include "widget/TabPages.h"

namespace pelmark {

QPoint TabPages::pageOffset(int index) const {
    QWidget* page = widget(index);
    return page ? page->mapTo(this, QPoint(0, 0)) : QPoint(0, 0);
}

void TabPages::resizeEvent(QResizeEvent* event) {
    QTabWidget::resizeEvent(event);
    if (layoutHandler_) layoutHandler_();
}

void TabPages::showEvent(QShowEvent* event) {
    QTabWidget::showEvent(event);
    if (layoutHandler_) layoutHandler_();
}

} // namespace pelmark
