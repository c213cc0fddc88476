#pragma once
#include "runtime/form.h"

namespace pellork {

// The start-up splash.
class Start : public rt::Form {
    Q_OBJECT
public:
    Start();
};

}  // namespace pellork
