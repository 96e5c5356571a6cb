#include "host/TrackView.h"

#include "track/TrackPositions.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace pelmark::host {

TrackView::TrackView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TrackView"));
    setMinimumSize(160, 120);
    setAccessibleName(QStringLiteral("Track"));
}

std::optional<QPointF> TrackView::degreesOf(const TrackPoint& point) {
    const std::optional<TrackPlace> place = placeOf(point);
    if (!place) return std::nullopt;
    return QPointF(place->longitude, place->latitude);
}

void TrackView::showTrack(const Track& track, long long count) {
    points_.assign(1, std::nullopt);
    for (long long k = 1; k <= count; ++k)
        points_.push_back(degreesOf(track.slot(k)));
    update();
}

void TrackView::showPhotos(std::vector<PhotoMark> marks) {
    marks_ = std::move(marks);
    update();
}

void TrackView::showCurrent(int photo) {
    if (photo == current_) return;
    current_ = photo;
    update();
}

void TrackView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().base());
    double west = 1e9, east = -1e9, south = 1e9, north = -1e9;
    for (const auto& point : points_) {
        if (!point) continue;
        west = std::min(west, point->x()), east = std::max(east, point->x());
        south = std::min(south, point->y()), north = std::max(north, point->y());
    }
    if (west > east) {
        painter.setPen(palette().placeholderText().color());
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("Kein Track geladen"));
        return;
    }
    const QRectF bounds(QPointF(west, south), QPointF(east, north));
    // A degree of longitude is shorter than one of latitude by the cosine of the latitude.
    const double squeeze = std::cos(bounds.center().y() * M_PI / 180.0);
    // Below the caption line, with room for the markers at the edges.
    const double margin = 16, top = fontMetrics().height() + 8;
    const double spanX = std::max(bounds.width() * squeeze, 1e-6), spanY = std::max(bounds.height(), 1e-6);
    const double scale = std::min((width() - 2 * margin) / spanX, (height() - top - 2 * margin) / spanY);
    const QPointF middle(width() / 2.0, top + (height() - top) / 2.0);
    const auto place = [&](QPointF degrees) {
        return middle + QPointF((degrees.x() - bounds.center().x()) * squeeze * scale,
                                -(degrees.y() - bounds.center().y()) * scale);
    };

    QPainterPath line;
    bool drawing = false;
    for (const auto& point : points_) {
        if (!point) {
            drawing = false;
            continue;
        }
        if (drawing)
            line.lineTo(place(*point));
        else
            line.moveTo(place(*point));
        drawing = true;
    }
    painter.setPen(QPen(QColor(0x30, 0x60, 0xc0), 2));
    painter.drawPath(line);

    painter.setPen(palette().text().color());
    painter.drawText(QRectF(6, 4, width() - 12, 20), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("Track mit %1 Fotos (rot), Norden oben").arg(marks_.size()));

    std::optional<QPointF> currentAt;
    painter.setPen(QPen(Qt::white, 1.5));
    painter.setBrush(QColor(0xd0, 0x30, 0x30));
    for (const PhotoMark& mark : marks_) {
        const auto k = static_cast<std::size_t>(mark.point);
        if (mark.point < 1 || k >= points_.size() || !points_[k]) continue;
        const QPointF at = place(*points_[k]);
        painter.drawEllipse(at, 4.5, 4.5);
        if (mark.photo == current_) currentAt = at;
    }
    if (currentAt) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(0xff, 0x90, 0x00), 3));
        painter.drawEllipse(*currentAt, 10, 10);
        painter.setPen(palette().text().color());
        painter.drawText(*currentAt + QPointF(13, -8), QStringLiteral("Foto %1").arg(current_));
    }
}

} // namespace pelmark::host
