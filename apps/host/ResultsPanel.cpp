#include "host/ResultsPanel.h"

#include "qtplatform/Latin1Text.h"

#include <QDesktopServices>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace pelmark::host {

namespace {

QLabel* valueLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// "14.08.2003 09:48:07 - 12:52:37" within a day, else both in full.
QString span(const std::string& from, const std::string& to) {
    if (from.empty()) return QStringLiteral("-");
    const bool oneDay = from.size() >= 19 && to.size() >= 19 && from.compare(0, 10, to, 0, 10) == 0;
    return dayFirst(from) + QStringLiteral(" - ") + (oneDay ? toQt(to.substr(11)) : dayFirst(to));
}

QString side(const PhotoVerdict& verdict) {
    return verdict.pointBefore ? QStringLiteral("davor") : QStringLiteral("danach");
}

} // namespace

QString offsetWords(CameraOffset offset) {
    return toQt(secondsText(offset.seconds)) + (offset.cameraAhead ? QStringLiteral(" s, Kamera geht vor")
                                                                   : QStringLiteral(" s, Kamera geht nach"));
}

QString dayFirst(const std::string& exifTime) {
    if (exifTime.size() < 19) return toQt(exifTime);
    return toQt(exifTime.substr(8, 2) + "." + exifTime.substr(5, 2) + "." + exifTime.substr(0, 4) +
                exifTime.substr(10));
}

QString verdictWords(const PhotoResult& photo) {
    const PhotoVerdict& verdict = photo.verdict;
    const QString seconds = toQt(secondsText(verdict.seconds)) + QStringLiteral(" s ");
    switch (verdict.kind) {
    case PhotoVerdict::Kind::Matched:
        return QStringLiteral("Punkt %1, ").arg(verdict.point) + seconds + side(verdict);
    case PhotoVerdict::Kind::NoCaptureTime:
        return QStringLiteral("keine Aufnahmezeit im Foto");
    case PhotoVerdict::Kind::NoPointThatMonth:
        return QStringLiteral("kein Trackpunkt im Monat ") + toQt(photo.captured.substr(5, 2)) +
               QStringLiteral("/") + toQt(photo.captured.substr(0, 4));
    case PhotoVerdict::Kind::BeyondLimit:
        return QStringLiteral("nächster Punkt %1 liegt ").arg(verdict.point) + seconds + side(verdict) +
               QStringLiteral(", über der Grenze von 120 s");
    }
    return {};
}

ResultsPanel::ResultsPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ResultsPanel"));
    auto* column = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("Ergebnis"), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    column->addWidget(title);

    progressRow_ = new QWidget(this);
    auto* progressLine = new QHBoxLayout(progressRow_);
    progressLine->setContentsMargins(0, 0, 0, 0);
    progressText_ = valueLabel("ResultProgress", progressRow_);
    progress_ = new QProgressBar(progressRow_);
    auto* stop = new QPushButton(QStringLiteral("Stop"), progressRow_);
    stop->setObjectName(QStringLiteral("ResultStop"));
    connect(stop, &QPushButton::clicked, this, [this] {
        if (stop_) stop_();
    });
    progressLine->addWidget(progressText_);
    progressLine->addWidget(progress_, 1);
    progressLine->addWidget(stop);
    progressRow_->hide();
    column->addWidget(progressRow_);

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    matched_ = valueLabel("ResultMatched", this);
    withoutTime_ = valueLabel("ResultWithoutTime", this);
    points_ = valueLabel("ResultPoints", this);
    trackSpan_ = valueLabel("ResultTrackSpan", this);
    photoSpan_ = valueLabel("ResultPhotoSpan", this);
    offset_ = valueLabel("ResultOffset", this);
    // A path is long: a read-only field scrolls it instead of widening the panel, and copies it.
    wayPointFile_ = new QLineEdit(this);
    wayPointFile_->setObjectName(QStringLiteral("ResultWayPointFile"));
    wayPointFile_->setReadOnly(true);
    wayPointFile_->setFrame(false);
    openFolder_ = new QPushButton(QStringLiteral("Ordner öffnen"), this);
    openFolder_->setObjectName(QStringLiteral("ResultOpenFolder"));
    openFolder_->setEnabled(false);
    connect(openFolder_, &QPushButton::clicked, this,
            [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(pathToQt(folder_))); });
    auto* fileLine = new QHBoxLayout;
    fileLine->addWidget(wayPointFile_, 1);
    fileLine->addWidget(openFolder_);
    form->addRow(QStringLiteral("Fotos zugeordnet:"), matched_);
    form->addRow(QStringLiteral("Ohne Aufnahmezeit:"), withoutTime_);
    form->addRow(QStringLiteral("Trackpunkte:"), points_);
    form->addRow(QStringLiteral("Track (GPS + 2 h):"), trackSpan_);
    form->addRow(QStringLiteral("Fotos (korrigiert):"), photoSpan_);
    form->addRow(QStringLiteral("Zeitdifferenz:"), offset_);
    form->addRow(QStringLiteral("Wegpunktdatei:"), fileLine);
    column->addLayout(form);

    table_ = new QTableWidget(0, 6, this);
    table_->setObjectName(QStringLiteral("ResultTable"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Nr."), QStringLiteral("Foto"),
                                       QStringLiteral("Aufnahme"), QStringLiteral("Korrigiert"),
                                       QStringLiteral("Punktzeit"), QStringLiteral("Trackpunkt oder Grund")});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->horizontalHeader()->setStretchLastSection(true);
    connect(table_, &QTableWidget::itemSelectionChanged, this, [this] {
        const auto rows = table_->selectionModel()->selectedRows();
        if (rows.isEmpty() || !chosen_) return;
        chosen_(table_->item(rows.front().row(), 0)->data(Qt::DisplayRole).toInt());
    });
    column->addWidget(table_, 1);
    showResults(RunSummary{});
}

void ResultsPanel::showProgress(int photo, int of) {
    progressRow_->show();
    progressText_->setText(QStringLiteral("Foto %1 von %2").arg(photo).arg(of));
    progress_->setRange(0, of);
    progress_->setValue(photo);
}

void ResultsPanel::showResults(const RunSummary& summary) {
    progressRow_->hide();
    const bool any = !summary.photos.empty();
    matched_->setText(any ? QStringLiteral("%1 von %2").arg(summary.matched).arg(summary.photos.size())
                          : QStringLiteral("noch kein Lauf"));
    withoutTime_->setText(any ? QString::number(summary.withoutCaptureTime) : QStringLiteral("-"));
    points_->setText(summary.pointsRead > 0 ? QStringLiteral("%1 gelesen, davon %2 beteiligt")
                                                  .arg(summary.pointsRead)
                                                  .arg(summary.pointsTakingPart)
                                            : QStringLiteral("kein Track geladen"));
    trackSpan_->setText(span(summary.trackFrom, summary.trackTo));
    photoSpan_->setText(span(summary.photosFrom, summary.photosTo));
    offset_->setText(offsetWords(summary.offset));
    folder_ = summary.wayPointFile.substr(0, summary.wayPointFile.rfind('/') + 1);
    openFolder_->setEnabled(summary.written);
    if (!any)
        wayPointFile_->setText(QStringLiteral("-"));
    else if (summary.written)
        wayPointFile_->setText(pathToQt(summary.wayPointFile));
    else
        wayPointFile_->setText(QStringLiteral("nicht geschrieben: ") + QString::fromUtf8(summary.notWritten));
    wayPointFile_->setCursorPosition(0);

    const QSignalBlocker quiet(table_);
    table_->clearContents();
    table_->setRowCount(static_cast<int>(summary.photos.size()));
    int row = 0;
    for (const PhotoResult& photo : summary.photos) {
        const QString cells[] = {QString::number(photo.number),
                                 pathToQt(photo.name),
                                 photo.captured.empty() ? QStringLiteral("-") : dayFirst(photo.captured),
                                 photo.corrected.empty() ? QStringLiteral("-") : dayFirst(photo.corrected),
                                 dayFirst(photo.pointTime),
                                 verdictWords(photo)};
        for (int column = 0; column < 6; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (photo.verdict.kind != PhotoVerdict::Kind::Matched)
                item->setForeground(palette().placeholderText());
            table_->setItem(row, column, item);
        }
        ++row;
    }
    table_->resizeColumnsToContents();
}

} // namespace pelmark::host
