#pragma once

#include "host/RunSummary.h"

#include <QFrame>
#include <functional>

class QLabel;
class QPushButton;

namespace pelmark::host {

// Above the results, when the finder's offset matches clearly more photos than the entered one: says
// so ("Mit der Kamera 1 h vor passen 19 statt 15 Fotos") and offers to take it.
class OffsetBar : public QFrame {
    Q_OBJECT
public:
    explicit OffsetBar(QWidget* parent = nullptr);

    // Shows the bar for this run's offer, or hides it when there is none.
    void offer(const RunSummary& summary);
    // The user took the offer: the offset to enter.
    void onApply(std::function<void(CameraOffset)> apply) { apply_ = std::move(apply); }
    CameraOffset offered() const { return offered_; }

private:
    QLabel* text_;
    QLabel* detail_;
    QPushButton* applyButton_;
    CameraOffset offered_;
    std::function<void(CameraOffset)> apply_;
};

// "Mit der Kamera 1 h vor passen 19 statt 15 Fotos": a move by whole quarter hours is named as such,
// any other offset by its seconds.
QString offerWords(const RunSummary& summary);

} // namespace pelmark::host
