// What any widget program pays before it does anything of its own, for the `--widgets` figures to be
// read against: Qt's widget libraries loaded, the application object on the platform in use, and one
// label's text measured (which loads the font configuration).
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Bild"));
    return label.sizeHint().isEmpty() ? 1 : 0;
}
