// The number from a text box: whatever the box holds, what reaches a command
// line is a plain decimal number that reads back as the same value.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "common/commandrunner.h"
#include "qtapp.h"
#include "runtime/convert.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static rt::TextBox* box = new rt::TextBox(nullptr);
    box->setText(fuzz::text(data, size));
    const double value = rt::Val(box->Text());
    const QString number = common::numberFromBox(*box);
    if (number.isEmpty()) std::abort();
    for (QChar c : number)
        if (!(c.isDigit() && c.unicode() < 128) && c != u'.' && c != u'-' && c != u'+' && c != u'E')
            std::abort();
    // 15 significant digits: the text reads back within rounding.
    const double back = rt::Val(number);
    if (!std::isfinite(back)) std::abort();
    if (std::abs(back - value) > std::abs(value) * 1e-14) std::abort();
    const double whole = common::wholeNumberFromBox(*box);
    if (whole != std::floor(whole) || std::abs(whole - value) > 0.5) std::abort();
    return 0;
}
