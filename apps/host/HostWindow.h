#pragma once

#include "host/JobWatch.h"
#include "host/RunSummary.h"

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>

class QSplitter;

namespace pelmark {
class Platform;
class Veltora;
} // namespace pelmark

namespace pelmark::host {

class OffsetBar;
class ResultsPanel;
class TrackView;

// The program's window: the control in a scroll area, beside it what the last job came to and the
// finder's offer, a menu bar, and what the window keeps between sessions. It works the control only
// through its public members and elements, as any host could.
class HostWindow : public QMainWindow {
    Q_OBJECT
public:
    // A control on the real platform, or on `platform` (which must outlive the window).
    explicit HostWindow(Platform* platform = nullptr, QWidget* parent = nullptr);
    ~HostWindow() override;

    Veltora& control() { return *control_; }
    ResultsPanel& results() { return *results_; }
    OffsetBar& offsetBar() { return *bar_; }
    TrackView& trackView() { return *trackView_; }

    // Shows the window as it was left and opens `path` (a folder ending in "/" or a photo), or else
    // the folder and track of the last session.
    void startUp(const std::string& path);

    // Divides the window between the control and the results as a first start does.
    void fitPanels();

    // The user's actions, also for a script that walks through them.
    // A folder (ending in "/") or a photo's folder at that photo; a folder without photos is said so.
    bool openFolder(const std::string& path);
    void openTrack(const std::string& path);
    void run();
    void searchTracks();
    // Enters the offset and matches the photos with it again.
    void applyOffset(CameraOffset offset);
    // Enters the offset that a photo of the GPS receiver's clock gives, the clock showing `shown`
    // ("HH:MM:SS"); false, with a word to the user, when it gives none.
    bool offsetFromClockPhoto(const std::string& photo, const QString& shown);
    // Where the window's own messages go instead of a message box (a test reads them).
    void setMessenger(std::function<void(const QString&)> messenger) { messenger_ = std::move(messenger); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void chooseFolder();
    void chooseTrack();
    void chooseGarTrip();
    void chooseClockPhoto();
    void showHelp();
    void showAbout();
    void finished(JobKind job, const WayPointFileMark& mark);
    void saveSettings();
    void releaseMissingGarTrip();
    std::string photoFolder();
    void tell(const QString& text);
    // The matched photos on the track at the offset entered now.
    void placePhotos();
    void watchControl(const Element& element, Property property);

    Veltora* control_;
    ResultsPanel* results_;
    OffsetBar* bar_;
    TrackView* trackView_;
    QSplitter* panels_;
    Surface::ObserverId observer_;
    RunSummary last_; // of the last job: its photos' capture times, for a new offset
    std::unique_ptr<JobWatch> jobs_;
    std::function<void(const QString&)> messenger_;
};

} // namespace pelmark::host
