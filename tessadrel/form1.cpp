#include "form1.h"

#include "runtime/design.h"

namespace tessadrel {

Form1::Form1() { rt::design::load(*this, QStringLiteral(":/tessadrel/forms/Form1.json")); }

}  // namespace tessadrel
