#pragma once

#include "records/Track.h"

#include <QPointF>
#include <QWidget>
#include <optional>
#include <vector>

namespace pelmark::host {

// The track drawn as a line, north up, with the matched photos as markers at their points and the
// current photo ringed. Drawn with Qt's painter from the track's own positions, without map tiles: the
// shape of the walk and where each photo landed on it is what a user checks an offset by.
class TrackView : public QWidget {
    Q_OBJECT
public:
    struct PhotoMark {
        int photo = 0; // its number
        int point = 0; // the track point it matched
    };

    explicit TrackView(QWidget* parent = nullptr);

    // Points 1 to `count` of `track`; a point without a position is left out of the line.
    void showTrack(const Track& track, long long count);
    void showPhotos(std::vector<PhotoMark> marks);
    void showCurrent(int photo);

    // Where a point's position lies, in degrees (x longitude, y latitude); none for a point without one.
    static std::optional<QPointF> degreesOf(const TrackPoint& point);

    // What is drawn, for a test to look at.
    const std::vector<PhotoMark>& marks() const { return marks_; }
    int current() const { return current_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    QSize sizeHint() const override { return {320, 240}; }

private:
    std::vector<std::optional<QPointF>> points_; // by point number, 0 unused
    std::vector<PhotoMark> marks_;
    int current_ = 0;
};

} // namespace pelmark::host
