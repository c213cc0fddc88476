#include "registry.h"

#include "runtime/design.h"

namespace controls {

void registerAll() {
    // Each skinned control registers its design name here.
}

}  // namespace controls
