#pragma once

#include "base/Variant.h"
#include "surface/Context.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace pelmark {

class FileDates;
class PhotoLoader;

// Files dropped onto `Bild`: up to 13 of them get their file times from their EXIF dates, or the first
// one's folder becomes the photo list.
class DropIntake {
public:
    static constexpr int kMaxFiles = 13;
    static constexpr std::size_t kMaxPathLength = 255;

    DropIntake(Context& context, FileDates& dates, PhotoLoader& loader);

    // `Bild_OLEDragDrop`; `files` is nothing for dropped data that carries no file list.
    void drop(const std::optional<std::vector<std::string>>& files);

    // `DropFiles`, positions 1 to 13 (0 stays empty); kept from drop to drop.
    const Variant& dropFile(int position) const { return dropFiles_.at(static_cast<std::size_t>(position)); }

private:
    Context& context_;
    FileDates& dates_;
    PhotoLoader& loader_;
    std::array<Variant, kMaxFiles + 1> dropFiles_;
    // Which entries hold a path cut to its last 255 bytes.
    std::array<bool, kMaxFiles + 1> cut_{};
};

} // namespace pelmark
