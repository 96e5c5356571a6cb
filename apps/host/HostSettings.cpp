#include "host/HostSettings.h"

#include "platform/Platform.h"

namespace pelmark::host {

namespace {

constexpr const char* kSection = "Window";

struct Key {
    const char* name;
    std::string HostSettings::*field;
};
constexpr Key kKeys[] = {
    {"Geometry", &HostSettings::geometry},
    {"Panels", &HostSettings::panels},
    {"LastFolder", &HostSettings::lastFolder},
    {"LastTrack", &HostSettings::lastTrack},
};

} // namespace

HostSettings HostSettings::load(Platform& platform) {
    HostSettings settings;
    for (const Key& key : kKeys)
        settings.*key.field = platform.readSetting(kSection, key.name).value_or("");
    return settings;
}

void HostSettings::save(Platform& platform) const {
    for (const Key& key : kKeys)
        platform.writeSetting(kSection, key.name, this->*key.field);
}

} // namespace pelmark::host
