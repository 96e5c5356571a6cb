#pragma once

#include <QWidget>

namespace pelmark {
class Veltora;
}

namespace pelmark::host {

// Puts a control into `window`, titled "Pelmark" and as large as the control's fixed size, and shows it.
Veltora* placeControl(QWidget& window);

} // namespace pelmark::host
