#pragma once

#include "console/SurfaceDriver.h"

namespace pelmark {
class Surface;
}

namespace pelmark::console {

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
