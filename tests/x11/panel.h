#pragma once
// Opening a panel of the main program the way a user does: the main window
// on screen, its tile clicked with the real pointer, the panel exposed.
#include <QTest>
#include <QWindow>

#include "controls/nshape.h"
#include "runtime/form.h"
#include "runtime/image.h"
#include "tessadrel/form1.h"
#include "xdriver.h"

namespace x11test {

// The panel, or nullptr when it did not come up. The pointer is parked
// away from every window first.
template <class Panel>
Panel* openFromTile(rt::Image* tessadrel::Form1::*tile) {
    moveTo(QPoint(1000, 900));
    auto& main = rt::Form::get<tessadrel::Form1>();
    if (!QTest::qWaitForWindowExposed(&main)) return nullptr;
    clickOn(main.*tile);
    const bool shown = waitFor([] {
        auto* p = rt::Form::ifLoaded<Panel>();
        return p && p->windowHandle() && p->windowHandle()->isExposed();
    });
    return shown ? rt::Form::ifLoaded<Panel>() : nullptr;
}

template <class Panel>
controls::N_Shape* button(Panel& panel, const char* name) {
    return panel.template need<controls::N_Shape>(QLatin1String(name));
}

// Clicks into a text box with the real pointer and types with the keyboard.
inline void typeInto(const QWidget* box, const QString& text) {
    clickOn(box);
    type(text);
}

}  // namespace x11test
