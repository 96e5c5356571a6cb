#include "qtplatform/Latin1Text.h"
#include "qtplatform/PictureLoader.h"
#include "widget/PictureBox.h"
#include "widget/WidgetSurface.h"
#include "widget/adapters/WidgetAdapter.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace pelmark {

namespace {

// The picture box: shows the model's picture and takes files dropped onto it.
class PictureBoxAdapter : public WidgetAdapter {
public:
    QObject* create(const Element& element, QWidget* parent, WidgetSurface& widgets) const override {
        auto* box = new PictureBox(parent);
        box->onDrop([&widgets, id = element.id](std::optional<std::vector<std::string>> files) {
            widgets.forward(id, [&] { widgets.surface().userDrop(id, std::move(files)); });
        });
        // A box carries no caption of its own: a screen reader names it by its element.
        box->setAccessibleName(toQt(element.name));
        return box;
    }

    // The model says which picture is shown; the box shows its pixels once they are decoded and keeps
    // what it showed until then. A picture the model has moved past by the time it is decoded never shows.
    void show(const Element& element, Property property, QObject* widget,
              WidgetSurface& widgets) const override {
        if (property != Property::Picture) return;
        auto* box = static_cast<PictureBox*>(widget);
        if (!element.picture) {
            box->setPicture(false, QImage());
            return;
        }
        if (const QImage* image = pictureImage(*element.picture)) {
            box->setPicture(true, *image);
            return;
        }
        // A picture known only by its size has nothing to paint, now or later.
        box->setPicture(true, element.picture->image ? box->image() : QImage());
        if (!element.picture->image) return;
        whenDecoded(
            *element.picture, box,
            [&widgets, box, id = element.id, shown = std::weak_ptr<const void>(element.picture->image)] {
                const auto& now = widgets.surface().get(id).picture;
                if (!now || now->image != shown.lock()) return;
                if (const QImage* image = pictureImage(*now)) box->setPicture(true, *image);
            });
    }

    void read(QObject* widget, Element& shown) const override {
        if (!static_cast<PictureBox*>(widget)->hasPicture())
            shown.picture.reset();
        else if (!shown.picture)
            shown.picture.emplace();
    }

    // Files dragged onto the box and let go; nothing = data that names no file.
    bool drop(QObject* widget, const std::optional<std::vector<std::string>>& files) const override {
        auto* box = static_cast<PictureBox*>(widget);
        QMimeData data;
        if (files) {
            QList<QUrl> urls;
            for (const std::string& file : *files)
                urls << QUrl::fromLocalFile(pathToQt(file));
            data.setUrls(urls);
        } else {
            data.setText(QStringLiteral("no files"));
        }
        const QPoint inside(box->width() / 2, box->height() / 2);
        QDragEnterEvent enter(inside, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &enter);
        QDropEvent dropped(inside, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &dropped);
        return true;
    }
};

} // namespace

const WidgetAdapter& pictureBoxAdapter() {
    static const PictureBoxAdapter adapter;
    return adapter;
}

} // namespace pelmark
