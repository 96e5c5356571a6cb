#include "qtplatform/QtCoreServices.h"

extern "C" __attribute__((visibility("default"))) const pelmark::CoreServices* pelmark_core_services() {
    // The checked signature: a change on either side fails to build instead of failing at run time.
    [[maybe_unused]] constexpr pelmark::CoreServicesEntry checked = &pelmark_core_services;
    return &pelmark::qtCoreServices();
}
