#pragma once
#include "runtime/form.h"

namespace tessadrel {

// The thank-you window behind the donation tile; it only shows a picture and
// a note.
class DonatION : public rt::Form {
    Q_OBJECT
public:
    DonatION();
};

}  // namespace tessadrel
