#pragma once

#include <QCheckBox>
#include <QRadioButton>
#include <functional>

namespace pelmark {

// Check boxes and option buttons whose state belongs to the element model: a click does not switch
// the button itself but asks the model, whose change comes back to the button. That keeps the model's
// click rule (unticked -> ticked, ticked or grey -> unticked) instead of Qt's three-state cycle.
template <typename Button>
class ModelButton : public Button {
public:
    using Button::Button;
    void onUserClick(std::function<void()> handler) { handler_ = std::move(handler); }

protected:
    void nextCheckState() override {
        if (handler_) handler_();
    }

private:
    std::function<void()> handler_;
};

using ModelCheckBox = ModelButton<QCheckBox>;
using ModelRadioButton = ModelButton<QRadioButton>;

} // namespace pelmark
