#include "host/OffsetBar.h"

#include "geotag/GeotagReport.h"
#include "host/ResultsPanel.h"
#include "qtplatform/Latin1Text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace pelmark::host {

QString offerWords(const RunSummary& summary) {
    const double move = summary.best.offset.added() - summary.offset.added();
    const std::string step = geotag::quarterHoursText(move);
    // Seconds taken off the photo's time are a camera further ahead.
    const QString how =
        step.empty() ? toQt(secondsText(summary.best.offset.seconds)) + QStringLiteral(" s ") +
                           (summary.best.offset.cameraAhead ? QStringLiteral("vor") : QStringLiteral("nach"))
                     : toQt(step) + (move < 0 ? QStringLiteral(" vor") : QStringLiteral(" nach"));
    return QStringLiteral("Mit der Kamera %1 passen %2 statt %3 Fotos")
        .arg(how)
        .arg(summary.best.matched)
        .arg(summary.matched);
}

// "zwischen 3375 und 3869 s vor": the open span of offsets that match as many.
QString rangeWords(double lowestAdded, double highestAdded) {
    const auto seconds = [](double value) { return toQt(secondsText(value)); };
    if (highestAdded <= 0)
        return QStringLiteral("zwischen %1 und %2 s vor").arg(seconds(-highestAdded), seconds(-lowestAdded));
    if (lowestAdded >= 0)
        return QStringLiteral("zwischen %1 und %2 s nach").arg(seconds(lowestAdded), seconds(highestAdded));
    return QStringLiteral("zwischen %1 s vor und %2 s nach")
        .arg(seconds(-lowestAdded), seconds(highestAdded));
}

OffsetBar::OffsetBar(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("OffsetBar"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette tint = palette();
    tint.setColor(QPalette::Window, QColor(0xff, 0xf4, 0xc4));
    tint.setColor(QPalette::WindowText, Qt::black);
    setPalette(tint);
    auto* line = new QHBoxLayout(this);
    auto* words = new QVBoxLayout;
    text_ = new QLabel(this);
    text_->setObjectName(QStringLiteral("OffsetBarText"));
    QFont bold = text_->font();
    bold.setBold(true);
    text_->setFont(bold);
    detail_ = new QLabel(this);
    detail_->setObjectName(QStringLiteral("OffsetBarDetail"));
    detail_->setWordWrap(true);
    words->addWidget(text_);
    words->addWidget(detail_);
    line->addLayout(words, 1);
    applyButton_ = new QPushButton(QStringLiteral("Übernehmen"), this);
    applyButton_->setObjectName(QStringLiteral("OffsetBarApply"));
    applyButton_->setToolTip(QStringLiteral("Trägt die Zeitdifferenz ein und ordnet die Fotos neu zu"));
    connect(applyButton_, &QPushButton::clicked, this, [this] {
        if (apply_) apply_(offered_);
    });
    line->addWidget(applyButton_);
    hide();
}

void OffsetBar::offer(const RunSummary& summary) {
    if (!summary.offersBest()) {
        hide();
        return;
    }
    offered_ = summary.best.offset;
    text_->setText(offerWords(summary));
    detail_->setText(QStringLiteral("Zeitdifferenz dann %1 (statt %2); so viele passen mit jeder %3.")
                         .arg(offsetWords(summary.best.offset), offsetWords(summary.offset),
                              rangeWords(summary.best.lowestAdded, summary.best.highestAdded)));
    show();
}

} // namespace pelmark::host
