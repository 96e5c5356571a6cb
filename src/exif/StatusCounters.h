#pragma once

#include "surface/Surface.h"

#include <array>
#include <string>

namespace pelmark {

// The counters of `StatusBar1`: panel 1 the recognised entries, panel 2 the entries in the table,
// panel 3 the recognised entries of the sub-directory. A panel's text is its number, then the tag it was
// given at start-up. The counters are held as numbers and written as text only by `flush`, which the
// parser calls wherever the panels can be seen (before it yields, when a pass ends); a panel whose text
// someone else changed in between is read back from its text, as if the panels were the only state.
class StatusCounters {
public:
    static constexpr int kRecognised = 1;
    static constexpr int kEntries = 2;
    static constexpr int kSubRecognised = 3;
    static constexpr int kNote = 4;

    explicit StatusCounters(Surface& surface) : surface_(surface) {}

    // "0" and the tag: the plain start of a pass, without the counter's leading blank.
    void reset(int panel);
    void set(int panel, long long count);
    // Moves the panel's number by `delta`; the number is the panel's leading number (an empty panel
    // reads 0) unless a change is still waiting for `flush`.
    void add(int panel, int delta);
    // Writes the panels whose number changed since the last flush.
    void flush();
    void clearAll();
    void note(int panel, const std::string& text);

private:
    // A counter panel (1 to 3) between flushes: `plain` is the "0" of a reset, without the blank.
    struct Held {
        long long count = 0;
        bool plain = false;
        bool pending = false;
        std::string written; // the text the last flush wrote
    };
    Held* held(int panel);

    Surface& surface_;
    std::array<Held, 3> held_{};
};

} // namespace pelmark
