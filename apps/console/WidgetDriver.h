#pragma once

#include "console/ElementAddress.h"
#include "console/SurfaceDriver.h"

#include <QWidget>
#include <exception>
#include <memory>
#include <optional>

namespace pelmark {
class WidgetSurface;
}

namespace pelmark::console {

// The user's actions on real widgets: text typed into the line edits, buttons clicked, toolbar actions
// triggered, files dropped as drag-and-drop events; answers are read back from the widgets. Both go
// through the adapter of the element's kind (widget/adapters/), the one the window's surface uses. Where
// a person could not act on a widget (a disabled button, a label, a timer that is not running) the
// action goes to the model as the headless driver sends it, so a script answers the same either way.
class WidgetDriver : public SurfaceDriver {
public:
    explicit WidgetDriver(VeltoraControl& control);
    ~WidgetDriver() override;

    void set(const std::string& name, const nlohmann::ordered_json& value) override;
    nlohmann::ordered_json get(const std::string& name, const std::string& property) override;
    void click(const std::string& name) override;
    void clickTool(const std::string& toolbar, const std::string& key) override;
    void mouseMove(const std::string& name) override;
    void timer(const std::string& name) override;
    void drop(std::optional<std::vector<std::string>> files) override;
    void resize(int width, int height) override;

private:
    // Runs one action on the widget of the element `address` names, through its kind's adapter;
    // false when there is no such widget or it did not take the action.
    template <typename Action>
    bool act(const std::optional<ElementAddress>& address, Action action);
    // Runs an action on the widgets and passes on what the model threw while it ran.
    template <typename Action>
    bool passingFailures(Action action);

    VeltoraControl& control_;
    std::unique_ptr<SurfaceDriver> model_;
    std::unique_ptr<QWidget> host_;
    std::unique_ptr<WidgetSurface> widgets_;
    std::exception_ptr failure_;
};

} // namespace pelmark::console
