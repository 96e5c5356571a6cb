// Prints the decimal separator of the environment it runs in twice: as Qt's locale data gives it, and
// as the C-locale shortcut does ('-' where the shortcut leaves it to Qt). A fresh process for each
// environment, since Qt reads the locale once.
#include "qtplatform/DecimalSeparator.h"
#include "qtplatform/QtCoreServices.h"

#include <cstdio>

int main() {
    const std::optional<char> shortcut = pelmark::decimalSeparatorWithoutQt();
    std::printf("%c%c", pelmark::qtCoreServices().decimalSeparator(), shortcut ? *shortcut : '-');
    return 0;
}
