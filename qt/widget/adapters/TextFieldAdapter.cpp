#include "widget/ShownText.h"
#include "widget/WidgetSurface.h"
#include "widget/adapters/WidgetAdapter.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <limits>

namespace pelmark {

namespace {

// A text field: a line edit, or a plain-text edit for a multi-line field. Paths are shown and typed
// as file names (widget/ShownText.h); a multi-line field shows the model's line ends as line feeds.
class TextFieldAdapter : public WidgetAdapter {
public:
    QObject* create(const Element& element, QWidget* parent, WidgetSurface& widgets) const override {
        const ElementId id = element.id;
        QWidget* field = nullptr;
        if (element.style.multiLine) {
            auto* edit = new QPlainTextEdit(parent);
            // A tab in a description is rare; leaving the field with Tab is what users try.
            edit->setTabChangesFocus(true);
            edit->setReadOnly(element.style.readOnly);
            QObject::connect(edit, &QPlainTextEdit::textChanged, &widgets, [&widgets, id, edit] {
                widgets.forward(id, [&] { widgets.surface().userSetText(id, fromQt(edit->toPlainText())); });
            });
            field = edit;
        } else {
            auto* edit = new QLineEdit(parent);
            // The model's texts have no length limit; Qt's line edit would cut them at 32767.
            edit->setMaxLength(std::numeric_limits<int>::max());
            edit->setReadOnly(element.style.readOnly);
            QObject::connect(edit, &QLineEdit::textEdited, &widgets, [&widgets, id](const QString& text) {
                widgets.forward(id, [&] { widgets.surface().userSetText(id, typedText(id, text)); });
            });
            field = edit;
        }
        // A field carries no caption of its own: a screen reader names it by its element.
        field->setAccessibleName(toQt(element.name));
        return field;
    }

    void show(const Element& element, Property property, QObject* widget, WidgetSurface&) const override {
        if (property != Property::Text) return;
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            const QString text = shownText(element.id, element.text);
            if (edit->text() != text) edit->setText(text);
        } else if (auto* lines = qobject_cast<QPlainTextEdit*>(widget)) {
            const QString text = multiLineToQt(element.text);
            if (lines->toPlainText() != text) lines->setPlainText(text);
        }
    }

    std::optional<Property> deferredAs(Property property) const override {
        if (property == Property::Text) return property;
        return WidgetAdapter::deferredAs(property);
    }

    void read(QObject* widget, Element& shown) const override {
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            // A path the file-name decoding cannot carry (not UTF-8) shows replaced; the model has its bytes.
            const QString text = edit->text();
            if (text != shownText(shown.id, shown.text)) shown.text = typedText(shown.id, text);
        } else if (auto* lines = qobject_cast<QPlainTextEdit*>(widget)) {
            // Where only the line ends differ, the field shows the model's text.
            const QString text = lines->toPlainText();
            if (text != multiLineToQt(shown.text)) shown.text = fromQt(text);
        }
    }

    bool type(QObject* widget, const Element& element, const std::string& text) const override {
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            // A path that is no file name (not UTF-8) no person can type.
            if (typedText(element.id, shownText(element.id, text)) != text) return false;
            edit->selectAll();
            edit->insert(shownText(element.id, text));
            return true;
        }
        // Qt's multi-line field keeps line feeds only: a text with carriage returns is one that no
        // person could type into it.
        auto* lines = qobject_cast<QPlainTextEdit*>(widget);
        if (!lines || text.find('\r') != std::string::npos) return false;
        lines->setPlainText(toQt(text));
        return true;
    }
};

} // namespace

const WidgetAdapter& textFieldAdapter() {
    static const TextFieldAdapter adapter;
    return adapter;
}

} // namespace pelmark
