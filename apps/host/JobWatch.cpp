#include "host/JobWatch.h"

#include "control/VeltoraControl.h"
#include "widget/Veltora.h"

#include <QAbstractButton>

namespace pelmark::host {

JobWatch::JobWatch(Veltora& control, Hooks hooks) : control_(control), hooks_(std::move(hooks)) {
    Surface& surface = control_.control().surface();
    // A matching run makes each photo current in turn; the user's own browsing happens with no job.
    observer_ = surface.addObserver([this](const Element& element, Property property) {
        if (element.id != ElementId::UpDown1 || property != Property::Value) return;
        const Job job = control_.control().runningJob();
        if ((job == Job::MatchingRun || job == Job::OneStepRun) && hooks_.progress)
            hooks_.progress(element.value, element.max);
    });
    const std::pair<ElementId, JobKind> buttons[] = {
        {ElementId::CombineCmd, JobKind::Combine},
        {ElementId::Compile, JobKind::Compile},
        {ElementId::RunAllBtn, JobKind::Run},
    };
    for (const auto& [id, job] : buttons) {
        const std::string_view name = elementName(id);
        auto* button = control_.findChild<QAbstractButton*>(
            QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
        if (!button) continue;
        // The press comes before the job, the click's own handler runs it whole (yielding as it
        // goes), and this one, connected later, hears of the click after it.
        QObject::connect(button, &QAbstractButton::pressed, &control_,
                         [this] { mark_ = WayPointFileMark::of(control_.control()); });
        QObject::connect(button, &QAbstractButton::clicked, &control_, [this, job = job] { finish(job); });
    }
}

JobWatch::~JobWatch() {
    control_.control().surface().removeObserver(observer_);
}

void JobWatch::run(JobKind job, const std::function<void()>& start) {
    mark_ = WayPointFileMark::of(control_.control());
    start();
    finish(job);
}

void JobWatch::finish(JobKind job) {
    // A click refused while another job yields is no end of that job.
    if (control_.control().runningJob() != Job::None) return;
    if (hooks_.finished) hooks_.finished(job, mark_);
}

} // namespace pelmark::host
