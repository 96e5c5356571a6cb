#pragma once

#include <QTabWidget>
#include <functional>

namespace pelmark {

// Tabbed pages whose elements are placed relative to the tab control itself, tab row included, as
// the layout gives them. Qt places the pages below the tab row only when it lays the control out, so
// the elements are placed again each time that happens.
class TabPages : public QTabWidget {
    Q_OBJECT
public:
    explicit TabPages(QWidget* parent = nullptr) : QTabWidget(parent) {}

    void onLayout(std::function<void()> handler) { layoutHandler_ = std::move(handler); }
    // Where page `index`'s top-left corner lies within the tab control.
    QPoint pageOffset(int index) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    std::function<void()> layoutHandler_;
};

} // namespace pelmark
