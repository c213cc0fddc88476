#pragma once
#include "runtime/form.h"

namespace tessadrel {

// The main window.
class Form1 : public rt::Form {
    Q_OBJECT
public:
    Form1();
};

}  // namespace tessadrel
