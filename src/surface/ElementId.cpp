#include "surface/ElementId.h"

#include "base/Error.h"

#include <algorithm>

namespace pelmark {

std::optional<ElementId> elementIdOf(std::string_view name) {
    auto it = std::find(kElementNames.begin(), kElementNames.end(), name);
    if (it == kElementNames.end()) return std::nullopt;
    return static_cast<ElementId>(it - kElementNames.begin());
}

ElementRef::ElementRef(std::string_view name) {
    auto id = elementIdOf(name);
    if (!id) throw PelmarkError(ErrorKind::InvalidArgument, "unknown element: " + std::string(name));
    id_ = *id;
}

} // namespace pelmark
