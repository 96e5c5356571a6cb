#pragma once

#include "console/ElementAddress.h"
#include "console/SurfaceDriver.h"

namespace pelmark::console {

// The rules both drivers answer by, so a script reads the same with and without widgets: what a
// `set` is as a user's change, and what a property answers.

// A user's change of an element, as `set` asks for it: a text typed, or a value chosen (a number, a
// check box's state, 1 to select an option button and 0 to clear it).
struct UserEdit {
    bool typed = false;
    std::string text;
    int value = 0;
};

// What setting the element to `value` is as a user's change; refuses what no user could do.
UserEdit userEditOf(const Element& element, const nlohmann::ordered_json& value, const std::string& name);
// The change as the model takes it from the user.
void applyEdit(Surface& surface, const Element& element, const UserEdit& edit);

// The answer for a property of what `address` names, from the values in `element` (the model's, or
// what its widget shows); refuses what is no property of it.
nlohmann::ordered_json propertyOf(const Element& element, const ElementAddress& address,
                                  const std::string& property);

// The user's actions straight on the element model: what a widget would forward, without widgets.
class HeadlessDriver : public SurfaceDriver {
public:
    explicit HeadlessDriver(Surface& surface) : surface_(surface) {}

    void set(const std::string& name, const nlohmann::ordered_json& value) override;
    nlohmann::ordered_json get(const std::string& name, const std::string& property) override;
    void click(const std::string& name) override;
    void clickTool(const std::string& toolbar, const std::string& key) override;
    void mouseMove(const std::string& name) override;
    void timer(const std::string& name) override;
    void drop(std::optional<std::vector<std::string>> files) override;
    void resize(int width, int height) override;

private:
    Surface& surface_;
};

} // namespace pelmark::console
