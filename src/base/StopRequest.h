#pragma once

namespace pelmark {

// The control-wide stop request. Only the Stop button sets it; every long loop tests it after each
// item. It is withdrawn when an operation starts from outside (a user action on the surface or a host
// call), never by a nested call, so Stop ends the whole chain of a one-step run.
class StopRequest {
public:
    bool requested() const { return requested_; }
    void request() { requested_ = true; }

    // Marks one operation started from outside for as long as it lives.
    class OutsideAction {
    public:
        explicit OutsideAction(StopRequest& stop) : stop_(stop) {
            if (stop_.depth_++ == 0) stop_.requested_ = false;
        }
        ~OutsideAction() { --stop_.depth_; }
        OutsideAction(const OutsideAction&) = delete;
        OutsideAction& operator=(const OutsideAction&) = delete;

    private:
        StopRequest& stop_;
    };

    // True while an operation started from outside is still running (it may be yielding).
    bool busy() const { return depth_ > 0; }

private:
    bool requested_ = false;
    int depth_ = 0;
};

} // namespace pelmark
