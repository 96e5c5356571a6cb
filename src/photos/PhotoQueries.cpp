#include "photos/PhotoQueries.h"

#include "base/NumberText.h"

namespace pelmark {

namespace {

constexpr char kSeparator = '/';

} // namespace

Variant photoPath(Context& context, const Variant& number) {
    std::string text = number.isNumber() ? decimalText(number.asNumber(), '.')
                                         : textOf(number, context.platform.decimalSeparator());
    // Unchanged text fires nothing: asking for the current photo loads nothing again.
    context.surface.setText(ElementId::ActPictNum, std::move(text));
    context.yield();
    return Variant(context.surface.text(ElementId::FilePath));
}

Variant photoName(Context& context, const Variant& number) {
    Variant path = photoPath(context, number);
    return fileNamePart(path.asText());
}

Variant fileNamePart(std::string_view path) {
    // The first character is never taken for the separator: "/a.jpg" names no file here.
    for (std::size_t i = path.size(); i-- > 1;)
        if (path[i] == kSeparator) return Variant(std::string(path.substr(i + 1)));
    return Variant();
}

} // namespace pelmark
