#pragma once
#include "runtime/form.h"

namespace pellork {

// The thank-you window behind the donation button; it only shows two
// pictures and a note.
class DonatION : public rt::Form {
    Q_OBJECT
public:
    DonatION();
};

}  // namespace pellork
