#include "donation.h"

#include "runtime/design.h"

namespace tessadrel {

DonatION::DonatION() {
    rt::design::load(*this, QStringLiteral(":/tessadrel/forms/DonatION.json"));
}

}  // namespace tessadrel
