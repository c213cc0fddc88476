#pragma once
// What tests read off a window by the designer's names: a control, and the
// caption it shows whatever its kind, for checking a window's texts as a
// table.
#include <gtest/gtest.h>

#include <QString>
#include <QWidget>

#include "controls/nshape.h"
#include "runtime/form.h"
#include "runtime/frame.h"
#include "runtime/label.h"

namespace testing_support {

// The window's control of that name; a test failure when there is none.
inline QWidget* control(const rt::Form& w, const char* name) {
    QWidget* c = w.ctl<QWidget>(QLatin1String(name));
    if (!c) ADD_FAILURE() << w.Name().toStdString() << " has no control " << name;
    return c;
}

inline QString captionOf(const QObject* c) {
    if (auto* l = dynamic_cast<const rt::Label*>(c)) return l->Caption();
    if (auto* b = dynamic_cast<const controls::N_Shape*>(c)) return b->Caption();
    if (auto* f = dynamic_cast<const rt::Frame*>(c)) return f->Caption();
    return QStringLiteral("(no caption)");
}

}  // namespace testing_support
