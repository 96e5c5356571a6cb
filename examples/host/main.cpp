// Shows the control on a form. With --check it calls two members by name, prints their answers and
// ends: the build test runs it that way.

#include "ui_HostWindow.h"

#include <QApplication>
#include <QMetaObject>
#include <iostream>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    Ui::HostWindow form;
    form.setupUi(&window);

    if (QApplication::arguments().contains(QStringLiteral("--check"))) {
        int announced = 0;
        QObject::connect(form.veltora, &pelmark::Veltora::AnzahlChanged, [&announced] { ++announced; });
        form.veltora->setProperty("Anzahl", 7);
        QVariant count;
        QVariant name = QStringLiteral("/no/such/photo.jpg");
        bool exists = true;
        QMetaObject::invokeMethod(form.veltora, "PhotoCount", Qt::DirectConnection,
                                  Q_RETURN_ARG(QVariant, count));
        QMetaObject::invokeMethod(form.veltora, "FileExist", Qt::DirectConnection, Q_RETURN_ARG(bool, exists),
                                  Q_ARG(QVariant&, name));
        std::cout << "Anzahl " << form.veltora->property("Anzahl").toInt() << " announced " << announced
                  << " PhotoCount " << count.toInt() << " FileExist " << exists << "\n";
        return 0;
    }
    window.show();
    return QApplication::exec();
}
