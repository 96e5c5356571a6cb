#include "host/HostArguments.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>

namespace pelmark::host {

namespace {

const char* const kHelp = R"(Usage: pelmark [FOLDER | PHOTO]
Shows the photo geotagging control in a window, with what each run came to beside it. With a folder,
opens it at its first photo; with a photo, opens its folder at that photo; with neither, the folder and
track of the last session.

Options:
  -h, --help   show this help
  --version    show the version

Other commands:
  pelmark console [OPTIONS]   drive the control from a script (pelmark console --help)
  pelmark geotag [OPTIONS] TRACK...
                              match photos with the points of track files or GPX tracks, saying for
                              every photo why (pelmark geotag --help)
  pelmark restore-times [--dry-run] [--settings DIR]
                              put back the file times the control changed and the XMP
                              sidecars pelmark geotag wrote
  pelmark sample DIR [--camera-ahead SECONDS]
                              write the sample trip into DIR
)";

} // namespace

HostArguments parseHostArguments(const QStringList& arguments) {
    QCommandLineParser parser;
    QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
    QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Show the version."));
    parser.addOption(help);
    parser.addOption(version);

    HostArguments result;
    auto fail = [&](const QString& text) {
        result.action = HostArguments::Action::Fail;
        result.text = QStringLiteral("pelmark: ") + text + QStringLiteral("\nTry 'pelmark --help'.\n");
        return result;
    };
    if (!parser.parse(arguments)) return fail(parser.errorText());
    if (parser.isSet(help)) {
        result.action = HostArguments::Action::PrintHelp;
        // Written here rather than by the parser: the parser's text needs an application object, and
        // help must work where no window can open.
        result.text = QString::fromLatin1(kHelp);
        return result;
    }
    if (parser.isSet(version)) {
        result.action = HostArguments::Action::PrintVersion;
        result.text = QStringLiteral("pelmark " PELMARK_VERSION "\n");
        return result;
    }
    const QStringList paths = parser.positionalArguments();
    if (paths.size() > 1) return fail(QStringLiteral("one folder or photo at most"));
    if (paths.isEmpty()) return result;

    const QFileInfo info(paths.front());
    if (!info.exists()) return fail(QStringLiteral("no such folder or photo: ") + paths.front());
    // The folder scan takes the folder part of its path: a folder named without its closing
    // separator would open its parent instead.
    result.path = QFile::encodeName(paths.front()).toStdString();
    if (info.isDir() && !result.path.ends_with('/')) result.path += '/';
    return result;
}

} // namespace pelmark::host
