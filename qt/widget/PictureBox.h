#pragma once

#include <QFrame>
#include <QImage>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace pelmark {

// The picture box: shows a picture stretched to fill it and takes files dropped onto it. Data that
// names no local file is passed on as nothing, so the drop handler can tell the two apart.
class PictureBox : public QFrame {
    Q_OBJECT
public:
    using DropHandler = std::function<void(std::optional<std::vector<std::string>>)>;

    explicit PictureBox(QWidget* parent = nullptr);

    // `shown` says whether the box holds a picture at all; a picture known only by its size (a
    // platform that does not decode) is shown as an empty box that still counts as holding one.
    void setPicture(bool shown, QImage image);
    bool hasPicture() const { return shown_; }
    const QImage& image() const { return image_; }
    void onDrop(DropHandler handler) { dropHandler_ = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool shown_ = false;
    QImage image_;
    DropHandler dropHandler_;
};

} // namespace pelmark
