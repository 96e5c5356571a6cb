#include "widget/CaptionFit.h"

#include "qtplatform/Latin1Text.h"
#include "widget/WidgetSurface.h"

#include <QLabel>
#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace pelmark {

namespace {

// A run of blanks this long in a caption is room left for a field.
constexpr std::string_view kGap = "   ";

} // namespace

// A caption with a run of blanks frames a field placed in the run. The blanks were measured for
// another font, so the text after them is shown by a label of its own just right of the field:
// neither half runs under the field, whatever the font.
void CaptionFit::split() {
    const Surface& model = widgets_.surface();
    for (const Element& label : model.elements()) {
        if (label.kind != ElementKind::Label || label.text.find(kGap) == std::string::npos) continue;
        for (const Element& field : model.elements()) {
            const bool isField = field.kind == ElementKind::TextField || field.kind == ElementKind::ComboBox;
            const bool inRow = field.top < label.top + label.height && label.top < field.top + field.height;
            const bool inRun = field.left > label.left && field.left < label.left + label.width;
            if (!isField || field.container != label.container || field.page != label.page || !inRow ||
                !inRun)
                continue;
            auto* caption = qobject_cast<QLabel*>(widgets_.widget(label.id));
            if (!caption) break;
            Role& role = roleOf(label.id);
            role.gapField = field.id;
            role.tail = new QLabel(caption->parentWidget());
            role.tail->setTextFormat(Qt::PlainText);
            role.tail->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            role.tail->setObjectName(toQt(label.name) + QStringLiteral("Tail"));
            caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            roleOf(field.id).framedBy = label.id;
            // A label that starts where the caption ends, on its row, continues the caption's line.
            for (const Element& after : model.elements()) {
                if (after.kind == ElementKind::Label && after.container == label.container &&
                    after.page == label.page && after.top == label.top &&
                    std::abs(after.left - (label.left + label.width)) <= 30 && widgets_.widget(after.id)) {
                    role.follower = after.id;
                    roleOf(after.id).follows = label.id;
                }
            }
            widgets_.refreshAll(label.id);
            widgets_.refresh(field.id, Property::Geometry); // after the caption's first words
            widgets_.refresh(label.id, Property::Geometry); // the tail after the field
            break;
        }
    }
    // The bars that other labels lie over are placed again, now that those labels exist.
    for (const Element& element : model.elements())
        if (element.style.background == Background::Red) widgets_.refresh(element.id, Property::Geometry);
}

void CaptionFit::showText(ElementId label, QLabel* widget, const QString& text) {
    QLabel* tail = roleOf(label).tail;
    const qsizetype gap = text.indexOf(QLatin1String(kGap.data(), static_cast<qsizetype>(kGap.size())));
    if (!tail || gap < 0) return;
    widget->setText(text.left(gap).trimmed());
    tail->setText(text.mid(gap).trimmed());
}

void CaptionFit::showVisible(const Element& label) {
    if (QLabel* tail = roleOf(label.id).tail) tail->setHidden(!label.visible);
}

bool CaptionFit::place(const Element& element, QWidget* widget, QPoint offset, int width) {
    const Role& role = roleOf(element.id);
    if (role.tail) {
        // The caption sits on the line of the field it frames, its text level with the field's.
        const Element& field = widgets_.surface().get(*role.gapField);
        widget->setGeometry(widgets_.px(element.left) - offset.x(), widgets_.py(field.top) - offset.y(),
                            width, widgets_.py(field.height));
        placeTail(element, role, offset);
        return true;
    }
    if (role.follows) {
        const Role& caption = roleOf(*role.follows);
        const Element& field = widgets_.surface().get(*caption.gapField);
        widget->setGeometry(caption.tail->geometry().right() + 1, widgets_.py(field.top) - offset.y(), width,
                            widgets_.py(field.height));
        if (auto* label = qobject_cast<QLabel*>(widget))
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return true;
    }
    return false;
}

int CaptionFit::width(const Element& element, QWidget* widget, int width) const {
    // This platform's dialog font runs a little wider than the one the layout was made with.
    if (auto* label = qobject_cast<QLabel*>(widget)) width = std::max(width, label->sizeHint().width());
    if (element.kind == ElementKind::Label && element.style.background == Background::Red)
        width = std::max(width, coveredRight(element) - widgets_.px(element.left));
    return width;
}

int CaptionFit::left(const Element& element, int left) const {
    // Should the font draw the caption's first words wider than the blanks before the field were
    // meant for, the field moves right.
    const Role& role = roleOf(element.id);
    if (!role.framedBy) return left;
    auto* label = qobject_cast<QLabel*>(widgets_.widget(*role.framedBy));
    if (!label) return left;
    return std::max(left, label->x() + label->fontMetrics().horizontalAdvance(label->text()) + 3);
}

void CaptionFit::placeTail(const Element& label, const Role& role, QPoint offset) {
    const Element& field = widgets_.surface().get(*role.gapField);
    // A little air after the field's frame, wherever the field ended up.
    QWidget* fieldWidget = widgets_.widget(*role.gapField);
    const int left = fieldWidget ? fieldWidget->geometry().right() + 3
                                 : widgets_.px(field.left + field.width) + 2 - offset.x();
    role.tail->setGeometry(left, widgets_.py(field.top) - offset.y(), role.tail->sizeHint().width(),
                           widgets_.py(field.height));
    role.tail->setHidden(!label.visible);
    if (role.follower) widgets_.refresh(*role.follower, Property::Geometry);
}

int CaptionFit::coveredRight(const Element& bar) const {
    int right = 0;
    for (const Element& other : widgets_.surface().elements()) {
        QWidget* w = widgets_.widget(other.id);
        if (!w || other.kind != ElementKind::Label || other.container != bar.container ||
            other.style.stackLevel <= bar.style.stackLevel || other.top != bar.top)
            continue;
        auto* label = qobject_cast<QLabel*>(w);
        right = std::max(right, widgets_.px(other.left) +
                                    (label ? label->sizeHint().width() : widgets_.px(other.width)));
    }
    return right;
}

} // namespace pelmark
