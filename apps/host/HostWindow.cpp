#include "host/HostWindow.h"

#include "widget/Veltora.h"

#include <QVBoxLayout>

namespace pelmark::host {

Veltora* placeControl(QWidget& window) {
    window.setWindowTitle(QStringLiteral("Pelmark"));
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* control = new Veltora(&window);
    layout->addWidget(control);
    window.show();
    return control;
}

} // namespace pelmark::host
