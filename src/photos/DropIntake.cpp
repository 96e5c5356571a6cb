#include "photos/DropIntake.h"

#include "base/Error.h"
#include "photos/FileDates.h"
#include "photos/PhotoLoader.h"

#include <algorithm>
#include <exception>

namespace pelmark {

DropIntake::DropIntake(Context& context, FileDates& dates, PhotoLoader& loader)
    : context_(context), dates_(dates), loader_(loader) {}

void DropIntake::drop(const std::optional<std::vector<std::string>>& files) {
    // A drop during another job's yield would load photos, or a folder, under that job.
    Jobs::Scope job(context_.jobs, Job::Drop);
    job.throwIfRefused();
    Platform& platform = context_.platform;
    int count = 0;
    if (!files) {
        platform.messageBox("Als Drop-Objekt wird (mindestens) ein Filename erwartet", MessageButtons::Ok,
                            "");
    } else {
        count = static_cast<int>(files->size());
        if (count > kMaxFiles) {
            platform.messageBox("zuviele Bilder: Die letzten " + std::to_string(count - kMaxFiles) +
                                    " Bilder wurden verworfen!",
                                MessageButtons::Ok, "");
            count = kMaxFiles;
        }
        for (int i = 1; i <= count; ++i) {
            const std::string& path = (*files)[static_cast<std::size_t>(i - 1)];
            dropFiles_[static_cast<std::size_t>(i)] =
                Variant(path.substr(path.size() - std::min(path.size(), kMaxPathLength)));
            cut_[static_cast<std::size_t>(i)] = path.size() > kMaxPathLength;
        }
    }

    if (platform.messageBox("Soll das Datum gesetzt werden?", MessageButtons::YesNo, "Veltora - Drag-Drop") ==
        MessageAnswer::Yes) {
        // One photo that cannot be read does not keep the others from getting their dates; the first
        // failure is reported once all have been tried.
        std::exception_ptr failure;
        // After a Stop no further file gets times.
        for (int i = 1; i <= count && !context_.stop.requested(); ++i) {
            const Variant& entry = dropFiles_[static_cast<std::size_t>(i)];
            try {
                // The tail of a path cut short may well name another file (on Linux it can start with
                // "/"): it is the file that was dropped no more, and fails as a missing one.
                if (cut_[static_cast<std::size_t>(i)])
                    throw PelmarkError(ErrorKind::FileNotFound, "File not found: " + entry.asText());
                dates_.datumSetzen(entry);
            } catch (const PelmarkError&) {
                if (!failure) failure = std::current_exception();
            }
        }
        if (failure) std::rethrow_exception(failure);
    } else {
        // The entry is the caller's variable: it holds the folder afterwards.
        loader_.openFolder(dropFiles_[1], !cut_[1]);
    }
}

} // namespace pelmark
