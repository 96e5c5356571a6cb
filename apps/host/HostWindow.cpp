#include "host/HostWindow.h"

#include "base/NumberText.h"
#include "control/GarTripSetting.h"
#include "control/VeltoraControl.h"
#include "exif/ExifReader.h"
#include "geotag/GpsClock.h"
#include "geotag/TrackIndex.h"
#include "host/HostMenu.h"
#include "host/HostSettings.h"
#include "host/OffsetBar.h"
#include "host/OpenAtStart.h"
#include "host/ResultsPanel.h"
#include "host/TrackView.h"
#include "photos/PhotoLoader.h"
#include "qtplatform/Latin1Text.h"
#include "records/PhotoList.h"
#include "waypoints/WayPointWriter.h"
#include "widget/Veltora.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

namespace pelmark::host {

namespace {

QAbstractButton* buttonOf(Veltora& control, ElementId id) {
    const std::string_view name = elementName(id);
    return control.findChild<QAbstractButton*>(
        QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
}

std::string folderOf(const std::string& path) {
    return path.substr(0, path.rfind('/') + 1);
}

const char* const kHelpText =
    "<p><b>So ordnen Sie Fotos einem Track zu</b></p>"
    "<ol><li><b>Datei › Track öffnen</b> (Strg+T): die Trackdatei (*.t, *.tb) neben den Fotos.</li>"
    "<li><b>Zuordnen › RUN</b> (Strg+R): liest den Track, die Fotos seines Ordners, ordnet jedem Foto den "
    "Trackpunkt zu, der weniger als 120 s von seiner korrigierten Aufnahmezeit liegt, und schreibt die "
    "Wegpunktdatei neben den Track.</li>"
    "<li>Rechts steht das Ergebnis: wie viele Fotos passten, und für jedes Foto, welcher Punkt oder warum "
    "keiner. Ein Klick auf eine Zeile zeigt das Foto.</li>"
    "<li>Geht die Kamerauhr anders als das GPS, nennt der gelbe Balken eine Zeitdifferenz, mit der mehr "
    "Fotos "
    "passen; <b>Übernehmen</b> trägt sie ein und ordnet neu zu. Danach RUN schreibt die Datei.</li></ol>"
    "<p>Strg+O öffnet einen Fotoordner, Strg+Q beendet. Fenster, Ordner und Track des letzten Mals "
    "werden beim nächsten Start wieder geöffnet.</p>";

} // namespace

HostWindow::HostWindow(Platform* platform, QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Pelmark"));
    control_ = platform ? new Veltora(*platform, this) : new Veltora(this);
    // The widgets are made when the control is first polished; the watch finds its buttons then.
    control_->ensurePolished();

    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("ControlScroll"));
    scroll->setWidget(control_);
    scroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* side = new QSplitter(Qt::Vertical, this);
    side->setObjectName(QStringLiteral("HostSide"));
    auto* results = new QWidget(side);
    auto* column = new QVBoxLayout(results);
    column->setContentsMargins(4, 4, 4, 4);
    bar_ = new OffsetBar(results);
    results_ = new ResultsPanel(results);
    column->addWidget(bar_);
    column->addWidget(results_, 1);
    trackView_ = new TrackView(side);
    // A narrow column scrolls rather than cutting the results off.
    auto* resultsScroll = new QScrollArea(side);
    resultsScroll->setWidget(results);
    resultsScroll->setWidgetResizable(true);
    resultsScroll->setFrameShape(QFrame::NoFrame);
    side->addWidget(resultsScroll);
    side->addWidget(trackView_);
    side->setStretchFactor(0, 3);
    side->setStretchFactor(1, 2);
    side->setChildrenCollapsible(false);
    side->setMinimumWidth(240);

    panels_ = new QSplitter(Qt::Horizontal, this);
    panels_->setObjectName(QStringLiteral("HostPanels"));
    panels_->addWidget(scroll);
    panels_->addWidget(side);
    panels_->setStretchFactor(0, 0);
    panels_->setStretchFactor(1, 1);
    panels_->setChildrenCollapsible(false);
    setCentralWidget(panels_);

    jobs_ = std::make_unique<JobWatch>(
        *control_,
        JobWatch::Hooks{[this](int photo, int of) { results_->showProgress(photo, of); },
                        [this](JobKind job, const WayPointFileMark& mark) { finished(job, mark); }});
    results_->onStop([this] { control_->control().surface().userClick(ElementId::StopBtn); });
    results_->onPhotoChosen([this](int number) {
        if (control_->control().runningJob() != Job::None) return;
        control_->control().surface().userSetValue(ElementId::UpDown1, number);
    });
    bar_->onApply([this](CameraOffset offset) { applyOffset(offset); });
    observer_ = control_->control().surface().addObserver(
        [this](const Element& element, Property property) { watchControl(element, property); });

    buildMenu(*this, MenuActions{
                         [this] { chooseFolder(); },
                         [this] { chooseTrack(); },
                         [this] { run(); },
                         [this] { searchTracks(); },
                         [this] { chooseClockPhoto(); },
                         [this] { chooseGarTrip(); },
                         [this] { showHelp(); },
                         [this] { showAbout(); },
                         [this] { close(); },
                     });
}

HostWindow::~HostWindow() {
    control_->control().surface().removeObserver(observer_);
}

void HostWindow::watchControl(const Element& element, Property property) {
    if (element.id == ElementId::UpDown1 && property == Property::Value)
        trackView_->showCurrent(element.value);
    // A new offset moves the photos along the track before any run: the user sees where they land.
    const bool offset = (element.id == ElementId::KameraShift && property == Property::Text) ||
                        (element.id == ElementId::KameraVor && property == Property::Value);
    if (offset && control_->control().runningJob() == Job::None) placePhotos();
}

void HostWindow::placePhotos() {
    VeltoraControl& control = control_->control();
    const TrackIndex index(control.track(), last_.pointsTakingPart);
    const CameraOffset offset = enteredOffset(control);
    std::vector<TrackView::PhotoMark> marks;
    for (const PhotoResult& photo : last_.photos) {
        const PhotoVerdict verdict = explainPhoto(photo.captured, index, offset);
        if (verdict.kind == PhotoVerdict::Kind::Matched) marks.push_back({photo.number, verdict.point});
    }
    trackView_->showPhotos(std::move(marks));
}

void HostWindow::startUp(const std::string& path) {
    Platform& platform = control_->control().platform();
    const HostSettings settings = HostSettings::load(platform);
    const bool placed = !settings.geometry.empty() &&
                        restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(settings.geometry)));
    if (!settings.panels.empty())
        panels_->restoreState(QByteArray::fromBase64(QByteArray::fromStdString(settings.panels)));
    if (!placed) {
        // As large as the control and a results column, but never past the screen: the scroll area and
        // the splitter take what does not fit.
        const QRect room = screen()->availableGeometry();
        resize(std::min(control_->width() + 620, room.width() * 19 / 20),
               std::min(control_->height() + 360, room.height() * 9 / 10));
    }
    if (settings.panels.empty()) fitPanels();
    releaseMissingGarTrip();
    show();

    // Once the window is up, so the user sees the scan run.
    QTimer::singleShot(0, this, [this, path, settings] {
        if (!path.empty()) {
            openFolder(path);
        } else {
            if (!settings.lastFolder.empty() && std::filesystem::is_directory(settings.lastFolder))
                openFolder(settings.lastFolder);
            if (!settings.lastTrack.empty() && std::filesystem::is_regular_file(settings.lastTrack))
                openTrack(settings.lastTrack);
        }
        if (QWidget* number = control_->findChild<QWidget*>(QStringLiteral("ActPictNum"))) number->setFocus();
    });
}

void HostWindow::fitPanels() {
    // The control whole where the window allows it; the results take the rest.
    const int controlWidth = control_->width() + 4;
    panels_->setSizes({std::min(controlWidth, width() - 320), std::max(320, width() - controlWidth)});
}

bool HostWindow::openFolder(const std::string& path) {
    const std::string folder = folderOf(path);
    const auto names = photoNamesIn(folder, "", PhotoList::kCapacity);
    if (!names || names->empty()) {
        // The control's own answer to an empty folder is its file dialog, again and again.
        tell(QStringLiteral("Im Ordner %1 liegt kein Foto.").arg(pathToQt(folder)));
        return false;
    }
    try {
        openAtStart(control_->control(), path);
    } catch (const std::exception& error) {
        tell(QString::fromLatin1(error.what()));
        return false;
    }
    HostSettings settings = HostSettings::load(control_->control().platform());
    settings.lastFolder = folder;
    settings.save(control_->control().platform());
    return true;
}

void HostWindow::openTrack(const std::string& path) {
    Surface& surface = control_->control().surface();
    // As a user types the path and loads it: "1. Load Track" asks for no file when one is named.
    try {
        surface.userSetText(ElementId::PathTxt, path);
        surface.userClick(ElementId::LoadTrack);
    } catch (const std::exception& error) {
        tell(QString::fromLatin1(error.what()));
        return;
    }
    // The track shows at once; its photos come with the next run.
    last_ = RunSummary{};
    last_.pointsTakingPart = pointsTakingPart(control_->control());
    trackView_->showTrack(control_->control().track(), last_.pointsTakingPart);
    placePhotos();
    HostSettings settings = HostSettings::load(control_->control().platform());
    settings.lastTrack = path;
    settings.save(control_->control().platform());
}

void HostWindow::run() {
    if (control_->control().surface().text(ElementId::PathTxt).empty()) chooseTrack();
    if (control_->control().surface().text(ElementId::PathTxt).empty()) return;
    if (QAbstractButton* button = buttonOf(*control_, ElementId::RunAllBtn)) button->click();
}

void HostWindow::searchTracks() {
    jobs_->run(JobKind::Search, [this] {
        try {
            control_->control().SearchAllTrackFiles();
        } catch (const std::exception& error) {
            tell(QString::fromLatin1(error.what()));
        }
    });
}

void HostWindow::applyOffset(CameraOffset offset) {
    enterOffset(control_->control(), offset);
    if (QAbstractButton* button = buttonOf(*control_, ElementId::CombineCmd)) button->click();
}

void HostWindow::finished(JobKind job, const WayPointFileMark& mark) {
    last_ = summarizeRun(control_->control(), job, mark);
    results_->showResults(last_);
    bar_->offer(last_);
    trackView_->showTrack(control_->control().track(), last_.pointsTakingPart);
    placePhotos();
}

void HostWindow::closeEvent(QCloseEvent* event) {
    saveSettings();
    QMainWindow::closeEvent(event);
}

void HostWindow::saveSettings() {
    Platform& platform = control_->control().platform();
    HostSettings settings = HostSettings::load(platform);
    settings.geometry = saveGeometry().toBase64().toStdString();
    settings.panels = panels_->saveState().toBase64().toStdString();
    settings.save(platform);
}

void HostWindow::releaseMissingGarTrip() {
    VeltoraControl& control = control_->control();
    Variant path = control.GARTripPath();
    // A RUN would end in the box that GARtrip could not be started, every time.
    if (!control.FileExist(path))
        control.surface().setButtonPressed(ElementId::Toolbar2, WayPointWriter::kGarTripKey, false);
}

std::string HostWindow::photoFolder() {
    const std::string shown = control_->control().surface().text(ElementId::FilePath);
    if (!shown.empty()) return folderOf(shown);
    return HostSettings::load(control_->control().platform()).lastFolder;
}

void HostWindow::chooseFolder() {
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Fotoordner öffnen"), pathToQt(photoFolder()));
    if (!folder.isEmpty()) openFolder(pathFromQt(folder) + "/");
}

void HostWindow::chooseTrack() {
    const QString track =
        QFileDialog::getOpenFileName(this, QStringLiteral("Trackdatei öffnen"), pathToQt(photoFolder()),
                                     QStringLiteral("Trackdateien (*.t *.tb)"));
    if (!track.isEmpty()) openTrack(pathFromQt(track));
}

void HostWindow::chooseGarTrip() {
    VeltoraControl& control = control_->control();
    const QString program = QFileDialog::getOpenFileName(this, QStringLiteral("GARtrip-Programm wählen"),
                                                         pathToQt(textOf(control.GARTripPath(), '.')));
    if (program.isEmpty()) return;
    const std::string path = pathFromQt(program);
    control.setGARTripPath(Variant(path));
    control.platform().writeSetting(kOptionsSection, kGarTripPathKey, path);
    control.surface().setButtonPressed(ElementId::Toolbar2, WayPointWriter::kGarTripKey, true);
}

bool HostWindow::offsetFromClockPhoto(const std::string& photo, const QString& shown) {
    ExifReader reader;
    const std::string taken = reader.captureTime(photo);
    const auto offset = offsetFromGpsClock(taken, shown.toStdString());
    if (!offset) {
        tell(taken.empty() ? QStringLiteral("Das Foto %1 trägt keine Aufnahmezeit.").arg(pathToQt(photo))
                           : QStringLiteral("\"%1\" ist keine Uhrzeit (HH:MM:SS).").arg(shown));
        return false;
    }
    enterOffset(control_->control(), *offset);
    return true;
}

void HostWindow::chooseClockPhoto() {
    const std::string current = control_->control().surface().text(ElementId::FilePath);
    const QString photo = QFileDialog::getOpenFileName(this, QStringLiteral("Foto der GPS-Uhr wählen"),
                                                       pathToQt(current.empty() ? photoFolder() : current),
                                                       QStringLiteral("Fotos (*.jpg *.jpeg *.JPG *.JPEG)"));
    if (photo.isEmpty()) return;
    bool given = false;
    const QString shown =
        QInputDialog::getText(this, QStringLiteral("Zeitdifferenz aus der GPS-Uhr"),
                              QStringLiteral("Welche Uhrzeit zeigt die GPS-Uhr auf dem Foto? (HH:MM:SS)"),
                              QLineEdit::Normal, {}, &given);
    if (given) offsetFromClockPhoto(pathFromQt(photo), shown);
}

void HostWindow::showHelp() {
    QMessageBox::information(this, QStringLiteral("Pelmark - Hilfe"), QString::fromUtf8(kHelpText));
}

void HostWindow::showAbout() {
    QMessageBox::about(
        this, QStringLiteral("Über Pelmark"),
        QStringLiteral("<p><b>Pelmark %1</b></p><p>Ordnet Fotos nach ihrer Aufnahmezeit den "
                       "Punkten eines GPS-Tracks zu und schreibt eine GARtrip-Wegpunktdatei.</p>")
            .arg(QApplication::applicationVersion()));
}

void HostWindow::tell(const QString& text) {
    if (messenger_)
        messenger_(text);
    else
        QMessageBox::information(this, QStringLiteral("Pelmark"), text);
}

} // namespace pelmark::host
