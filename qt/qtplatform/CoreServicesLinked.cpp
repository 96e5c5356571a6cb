#include "qtplatform/QtCoreServices.h"

namespace pelmark {

const CoreServices& coreServices() {
    return qtCoreServices();
}

} // namespace pelmark
