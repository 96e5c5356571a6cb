#pragma once

#include <QWidget>
#include <functional>

class QToolButton;

namespace pelmark {

// A spin control with horizontal arrows and no field of its own: left steps down, right steps up.
// It mirrors the value and range it is given and asks for the next value; whoever owns the value
// decides what it becomes.
class ArrowSpin : public QWidget {
    Q_OBJECT
public:
    explicit ArrowSpin(QWidget* parent = nullptr);

    void setValue(int value) { value_ = value; }
    void setRange(int min, int max) {
        min_ = min;
        max_ = max;
    }
    int value() const { return value_; }
    int minimum() const { return min_; }
    int maximum() const { return max_; }

    void onStep(std::function<void(int)> handler) { stepHandler_ = std::move(handler); }
    // The user asks for a value, as the arrows do for the next one up or down.
    void request(int value) {
        if (stepHandler_) stepHandler_(value);
    }

    // The step a key asks for: Up and Right one up, Down and Left one down, Page Up and Page Down ten;
    // 0 for any other key.
    static int stepOfKey(int key);

    QToolButton* downButton() const { return down_; }
    QToolButton* upButton() const { return up_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int value_ = 0;
    int min_ = 0;
    int max_ = 0;
    QToolButton* down_;
    QToolButton* up_;
    std::function<void(int)> stepHandler_;
};

} // namespace pelmark
