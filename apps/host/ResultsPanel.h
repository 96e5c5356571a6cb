#pragma once

#include "host/RunSummary.h"

#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace pelmark::host {

// Beside the control: what the last job came to, in the control's language. The counts, the track's
// and the photos' spans in the terms the matching compares, the offset, the waypoint file (with a
// button to its folder) or why none, and a row per photo with its verdict. While a job runs it shows
// how far it got, with a button that presses the control's Stop.
class ResultsPanel : public QWidget {
    Q_OBJECT
public:
    explicit ResultsPanel(QWidget* parent = nullptr);

    void showResults(const RunSummary& summary);
    void showProgress(int photo, int of);

    // The user chose a photo's row; `number` is its photo number.
    void onPhotoChosen(std::function<void(int number)> chosen) { chosen_ = std::move(chosen); }
    void onStop(std::function<void()> stop) { stop_ = std::move(stop); }

private:
    QLabel* matched_;
    QLabel* withoutTime_;
    QLabel* points_;
    QLabel* trackSpan_;
    QLabel* photoSpan_;
    QLabel* offset_;
    QLineEdit* wayPointFile_;
    QPushButton* openFolder_;
    QWidget* progressRow_;
    QLabel* progressText_;
    QProgressBar* progress_;
    QTableWidget* table_;
    std::string folder_;
    std::function<void(int)> chosen_;
    std::function<void()> stop_;
};

// Texts of the panel and the bar, in the control's language.
QString offsetWords(CameraOffset offset);       // "31 s, Kamera geht nach"
QString verdictWords(const PhotoResult& photo); // "Punkt 612, 2 s danach", or why none
QString dayFirst(const std::string& exifTime);  // "2003:08:14 12:20:19" -> "14.08.2003 12:20:19"

} // namespace pelmark::host
