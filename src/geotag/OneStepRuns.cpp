#include "geotag/OneStepRuns.h"

#include "base/NameOrder.h"
#include "photos/PhotoLoader.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace pelmark {

namespace {

bool isTrackName(const std::string& name) {
    return name != PhotoLoader::kAllFiles && (endsWithName(name, ".T") || endsWithName(name, "TB"));
}

} // namespace

std::vector<std::string> trackFileNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator entries(folder.empty() ? std::string(".") : folder, error);
    if (error) return names;
    for (; entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        if (error) break;
        const std::string name = entries->path().filename().string();
        if (!name.empty() && name[0] != '.' && isTrackName(name)) names.push_back(name);
    }
    // The folder listing's order, so the track that wins a tie does not depend on the user's locale.
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return nameOrder(a, b); });
    return names;
}

void OneStepRuns::runAll(SCommonDialog dialog) {
    Jobs::Scope job(context_.jobs, Job::OneStepRun);
    job.throwIfRefused();
    if (tracks_.readTrackFile(Variant::missing(), dialog) == TrackReader::kError) return;
    Variant folder(context_.surface.text(ElementId::PathTxt));
    photos_.bildInBox(folder);
    if (context_.yieldAndTestStop()) return;
    run_.combineTrackPhotos(Variant::missing());
    if (context_.stop.requested()) return;
    write_();
}

Variant OneStepRuns::searchAllTrackFiles() {
    Jobs::Scope job(context_.jobs, Job::OneStepRun);
    job.throwIfRefused();
    const std::string shown = context_.surface.text(ElementId::FilePath);
    if (shown.empty()) return Variant("NotFound");
    const auto slash = shown.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : shown.substr(0, slash + 1);
    const std::vector<std::string> names = trackFileNames(folder);
    if (!names.empty()) {
        Variant last(folder + names.back());
        photos_.bildInBox(last);
        bool first = true;
        for (const std::string& name : names) {
            if (context_.stop.requested()) return Variant("Found");
            // A track that does not load is passed over: matching it would pair the photos with
            // whatever the failed load left in the table.
            if (tracks_.readTrackFile(Variant(folder + name), SCommonDialog::NoCommonDialog) ==
                TrackReader::kError)
                continue;
            run_.combineTrackPhotos(Variant(0.0),
                                    first ? MatchingRun::Slots::Replace : MatchingRun::Slots::KeepNearer);
            first = false;
        }
        write_();
    }
    return Variant("Found");
}

} // namespace pelmark
