#include "widget/PictureBox.h"

#include "qtplatform/Latin1Text.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

namespace pelmark {

PictureBox::PictureBox(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAcceptDrops(true);
}

void PictureBox::setPicture(bool shown, QImage image) {
    shown_ = shown;
    image_ = std::move(image);
    update();
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (image_.isNull()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(contentsRect(), image_);
}

// Any data is welcome: the drop handler decides what to do with data that holds no files.
void PictureBox::dragEnterEvent(QDragEnterEvent* event) {
    event->acceptProposedAction();
}

void PictureBox::dragMoveEvent(QDragMoveEvent* event) {
    event->acceptProposedAction();
}

void PictureBox::dropEvent(QDropEvent* event) {
    event->acceptProposedAction();
    if (!dropHandler_) return;
    const QMimeData* dropped = event->mimeData();
    std::vector<std::string> files;
    if (dropped)
        for (const QUrl& url : dropped->urls())
            if (url.isLocalFile()) files.push_back(pathFromQt(url.toLocalFile()));
    // Links to web pages name no file: such a drop is one without a file list.
    if (files.empty())
        dropHandler_(std::nullopt);
    else
        dropHandler_(std::move(files));
}

} // namespace pelmark
