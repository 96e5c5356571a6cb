#pragma once

#include "surface/Element.h"

#include <QPoint>
#include <array>
#include <optional>

class QLabel;
class QString;
class QWidget;

namespace pelmark {

class WidgetSurface;

// Fits the layout's captions to the font they are drawn in. The layout was measured for a narrower
// font than this platform's: a caption with a run of blanks that frames a field ("ShutterSpeed: 1/",
// field, "sec") shows in two halves around the field, and a coloured bar under other labels reaches
// as far as their texts do. The model's captions and twip geometry stay as they are.
class CaptionFit {
public:
    explicit CaptionFit(WidgetSurface& widgets) : widgets_(widgets) {}

    // Finds the captions that frame a field, once every widget is made, and places them anew.
    void split();

    // Shows a label's caption, in its two halves where it frames a field.
    void showText(ElementId label, QLabel* widget, const QString& text);
    void showVisible(const Element& label);

    // Places an element that takes part in a framed line; false for every other element.
    bool place(const Element& element, QWidget* widget, QPoint offset, int width);
    // The width of an element's widget, from `width` in pixels: a caption may reach past its box
    // rather than lose its last letters, and a red bar under labels reaches as far as their texts.
    int width(const Element& element, QWidget* widget, int width) const;
    // The left edge of an element's widget, from `left` in pixels: a field framed by a caption starts
    // after the caption's first words.
    int left(const Element& element, int left) const;

private:
    struct Role {
        // A caption that frames a field: the field, and the label showing the text after the blanks.
        std::optional<ElementId> gapField;
        QLabel* tail = nullptr;
        // For a field: the caption that frames it.
        std::optional<ElementId> framedBy;
        // A label that continues a caption's line ("Bild", field, "/", count) follows the tail on the
        // field's line. For the caption: that label.
        std::optional<ElementId> follows;
        std::optional<ElementId> follower;
    };

    Role& roleOf(ElementId id) { return roles_[indexOf(id)]; }
    const Role& roleOf(ElementId id) const { return roles_[indexOf(id)]; }
    void placeTail(const Element& label, const Role& role, QPoint offset);
    int coveredRight(const Element& bar) const;

    WidgetSurface& widgets_;
    std::array<Role, kElementCount> roles_{};
};

} // namespace pelmark
