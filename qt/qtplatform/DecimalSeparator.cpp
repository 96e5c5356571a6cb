#include "qtplatform/DecimalSeparator.h"

#include <QLocale>

namespace pelmark {

char userDecimalSeparator() {
    QString point = QLocale::system().decimalPoint();
    if (point.size() != 1 || point.front().unicode() > 0xFF) return '.';
    return static_cast<char>(point.front().toLatin1());
}

} // namespace pelmark
