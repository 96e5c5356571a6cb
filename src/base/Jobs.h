#pragma once

#include "base/Error.h"

#include <string>

namespace pelmark {

// The control's long jobs. Each yields to the user-interface loop after every item, so handlers run
// while it is in progress; one job at a time keeps those handlers from changing the list, the track or
// the file slot under it. Stop is not a job: it is always taken.
enum class Job { None, FolderScan, TrackLoad, MatchingRun, WayPointWriter, Drop, OneStepRun };

// Which job holds the control. A job may start another as part of its own work (RUN loads a track,
// then a folder, then matches and writes): that call comes from the job itself, never from a handler
// that runs during one of its yields, which is how the two are told apart.
class Jobs {
public:
    Job running() const { return running_; }
    // True when a job holds the control and the caller runs inside one of its yields.
    bool refusing() const { return running_ != Job::None && yielding_ > yieldingAtStart_; }

    // Holds the control for one job, or joins the job that started this one. A handler that runs
    // during a yield finds the control held: `Scope::refused()` is then true and nothing is taken.
    class Scope {
    public:
        Scope(Jobs& jobs, Job job) : jobs_(jobs) {
            if (jobs_.refusing()) {
                refused_ = true;
            } else if (jobs_.running_ == Job::None) {
                jobs_.running_ = job;
                // A job may itself start during another operation's yield (a photo load's): only the
                // yields from here on are its own.
                jobs_.yieldingAtStart_ = jobs_.yielding_;
                owner_ = true;
            }
        }
        ~Scope() {
            if (owner_) jobs_.running_ = Job::None;
        }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

        bool refused() const { return refused_; }
        // Throws PelmarkError (Busy) when refused: the way a job started with a path or by a host says so.
        void throwIfRefused() const {
            if (refused_) throw PelmarkError(ErrorKind::Busy, kBusyText);
        }

    private:
        Jobs& jobs_;
        bool owner_ = false;
        bool refused_ = false;
    };

    // Marks a yield: whatever starts until it returns is a handler, not the job's own next step.
    class Yield {
    public:
        explicit Yield(Jobs& jobs) : jobs_(jobs) { ++jobs_.yielding_; }
        ~Yield() { --jobs_.yielding_; }
        Yield(const Yield&) = delete;
        Yield& operator=(const Yield&) = delete;

    private:
        Jobs& jobs_;
    };

    static constexpr const char* kBusyText = "Another job is in progress";

private:
    Job running_ = Job::None;
    int yielding_ = 0;
    int yieldingAtStart_ = 0;
};

} // namespace pelmark
