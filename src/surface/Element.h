#pragma once

#include "platform/Platform.h"
#include "surface/ElementId.h"

#include <optional>
#include <string>
#include <vector>

namespace pelmark {

enum class ElementKind {
    Control, // the control's own client area
    Frame,
    Label,
    TextField,
    PushButton,
    CheckBox,
    OptionButton,
    ComboBox,
    PictureBox,
    TabStrip,
    Toolbar,
    StatusBar,
    SpinControl,
    Timer,
    FileDialog,
    ImageList,
};

enum class Background { Default, Red, ButtonFace, ToolTip, Transparent };

// How an element looks, beyond its texts: read by the widget surface only.
struct ElementStyle {
    bool bold = false;
    Background background = Background::Default;
    bool multiLine = false;
    bool readOnly = false;
    bool tabStop = true;
    // Stacking among siblings that overlap: higher lies above.
    int stackLevel = 0;
};

struct StatusPanel {
    std::string text;
    std::string tag;
    int minWidth = 0;
    bool autoSize = false;
    bool operator==(const StatusPanel&) const = default;
};

struct ToolButton {
    std::string key;
    std::string description;
    std::string toolTip;
    bool twoState = false;
    bool pressed = false;
};

// One named element of the surface, as a plain value. `text` is the caption of labels, buttons and
// frames and the text of fields; `value` is the spin control's number, a check box's state (0, 1, 2)
// or an option button's selection (0, 1).
struct Element {
    ElementId id = ElementId::Veltora;
    std::string name; // the name of `id`
    ElementKind kind = ElementKind::Label;
    std::optional<ElementId> container; // the element it lies in; none at the top level
    int page = -1;                      // the tab page within a `TabStrip` container
    std::string text;
    int value = 0;
    int min = 0;
    int max = 0;
    bool enabled = true;
    bool visible = true;
    int left = 0, top = 0, width = 0, height = 0; // twips, relative to the container
    std::string toolTip;
    std::string tag;
    std::vector<std::string> items; // list entries, or the tab captions of a `TabStrip`
    int selected = -1;              // list index, or the tab in front
    std::optional<Picture> picture;
    std::vector<StatusPanel> panels;
    std::vector<ToolButton> buttons;
    int interval = 0;
    bool timerEnabled = false;
    ElementStyle style;
};

// Which part of an element changed; the widget surface refreshes just that.
enum class Property {
    Text,
    Value,
    Range,
    Enabled,
    Visible,
    Geometry,
    ToolTip,
    Tag,
    Items,
    Selected,
    Picture,
    Panels,
    Buttons,
    Timer,
};

} // namespace pelmark
