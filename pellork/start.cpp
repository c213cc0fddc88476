#include "start.h"

#include "runtime/design.h"

namespace pellork {

Start::Start() {
    rt::design::load(*this, QStringLiteral(":/pellork/forms/Start.json"));
}

}  // namespace pellork
