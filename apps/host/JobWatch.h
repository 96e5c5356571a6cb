#pragma once

#include "host/RunSummary.h"
#include "surface/Surface.h"

#include <functional>

namespace pelmark {
class Veltora;
}

namespace pelmark::host {

// Follows the control's jobs whose end the user wants explained ("2. Combine", "3. Compile", RUN, and
// the track-file search the host starts itself): the photos of a matching run as it reaches them, and
// the end with what the waypoint file was before the job.
class JobWatch {
public:
    struct Hooks {
        std::function<void(int photo, int of)> progress;
        std::function<void(JobKind job, const WayPointFileMark& before)> finished;
    };

    // The control's widgets must be made (it is polished).
    JobWatch(Veltora& control, Hooks hooks);
    ~JobWatch();
    JobWatch(const JobWatch&) = delete;
    JobWatch& operator=(const JobWatch&) = delete;

    // Runs a job the host starts itself, reported as the buttons' jobs are.
    void run(JobKind job, const std::function<void()>& start);

private:
    void finish(JobKind job);

    Veltora& control_;
    Hooks hooks_;
    Surface::ObserverId observer_;
    WayPointFileMark mark_;
};

} // namespace pelmark::host
