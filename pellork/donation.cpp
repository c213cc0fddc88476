#include "donation.h"

#include "runtime/design.h"

namespace pellork {

DonatION::DonatION() {
    rt::design::load(*this, QStringLiteral(":/pellork/forms/DonatION.json"));
}

}  // namespace pellork
