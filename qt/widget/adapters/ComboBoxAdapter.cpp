#include "qtplatform/Latin1Text.h"
#include "widget/WidgetSurface.h"
#include "widget/adapters/WidgetAdapter.h"

#include <QComboBox>
#include <QLineEdit>

namespace pelmark {

namespace {

// A list field: an editable list whose entries, choice and text are the model's.
class ComboBoxAdapter : public WidgetAdapter {
public:
    QObject* create(const Element& element, QWidget* parent, WidgetSurface& widgets) const override {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        const ElementId id = element.id;
        auto typed = [&widgets, id](const QString& text) {
            widgets.forward(id, [&] { widgets.surface().userSetText(id, fromQt(text)); });
        };
        QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, &widgets, typed);
        QObject::connect(combo, &QComboBox::textActivated, &widgets, typed);
        // A field carries no caption of its own: a screen reader names it by its element.
        combo->setAccessibleName(toQt(element.name));
        return combo;
    }

    void show(const Element& element, Property property, QObject* widget, WidgetSurface&) const override {
        auto* combo = static_cast<QComboBox*>(widget);
        if (property == Property::Text) {
            if (combo->currentText() != toQt(element.text)) combo->setEditText(toQt(element.text));
            return;
        }
        if (property != Property::Items && property != Property::Selected) return;
        QStringList items;
        for (const std::string& item : element.items)
            items << toQt(item);
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i)
            shown << combo->itemText(i);
        if (shown != items) {
            combo->clear();
            combo->addItems(items);
        }
        if (combo->currentIndex() != element.selected) combo->setCurrentIndex(element.selected);
        // Choosing an entry rewrites the edit line; the model's text is what it shows.
        if (combo->currentText() != toQt(element.text)) combo->setEditText(toQt(element.text));
    }

    // Text, entries and choice all come out of one showing of the entries.
    std::optional<Property> deferredAs(Property property) const override {
        if (property == Property::Text || property == Property::Items || property == Property::Selected)
            return Property::Items;
        return WidgetAdapter::deferredAs(property);
    }

    void read(QObject* widget, Element& shown) const override {
        auto* combo = static_cast<QComboBox*>(widget);
        shown.text = fromQt(combo->currentText());
        shown.items.clear();
        for (int i = 0; i < combo->count(); ++i)
            shown.items.push_back(fromQt(combo->itemText(i)));
        shown.selected = combo->currentIndex();
    }

    bool type(QObject* widget, const Element&, const std::string& text) const override {
        QLineEdit* line = static_cast<QComboBox*>(widget)->lineEdit();
        line->selectAll();
        line->insert(toQt(text));
        return true;
    }
};

} // namespace

const WidgetAdapter& comboBoxAdapter() {
    static const ComboBoxAdapter adapter;
    return adapter;
}

} // namespace pelmark
