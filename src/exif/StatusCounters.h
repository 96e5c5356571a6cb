#pragma once

#include "surface/Surface.h"

namespace pelmark {

// The counters of `StatusBar1`: panel 1 the recognised entries, panel 2 the entries in the table,
// panel 3 the recognised entries of the sub-directory. A panel's text is its number, then the tag it was
// given at start-up; the number is read back from the text, so the panels are the counters' only state.
class StatusCounters {
public:
    static constexpr const char* kBar = "StatusBar1";
    static constexpr int kRecognised = 1;
    static constexpr int kEntries = 2;
    static constexpr int kSubRecognised = 3;
    static constexpr int kNote = 4;

    explicit StatusCounters(Surface& surface) : surface_(surface) {}

    // "0" and the tag: the plain start of a pass, without the counter's leading blank.
    void reset(int panel);
    void set(int panel, long long count);
    // Reads the panel's current leading number (an empty panel reads 0) and writes it moved by `delta`.
    void add(int panel, int delta);
    void clearAll();
    void note(int panel, const std::string& text);

private:
    Surface& surface_;
};

} // namespace pelmark
