// Shows one window of either program on the real host, by itself, for
// scripts/screenshots.sh:
//
//   show_window --list          the names it knows, one a line
//   show_window NAME            shows that window; once it is on screen and
//                               painted, prints its X window id and waits
//
// The window is loaded as its tile or button loads it; nothing else of the
// program runs.
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstring>
#include <functional>

#include "controls/registry.h"
#include "pellork/about.h"
#include "pellork/donation.h"
#include "runtime/application.h"
#include "runtime/form.h"
#include "tessadrel/about.h"
#include "tessadrel/donation.h"
#include "tessadrel/help.h"
#include "tessadrel/keysimu.h"
#include "tessadrel/navigation.h"
#include "tessadrel/okc.h"
#include "tessadrel/phonearea.h"
#include "tessadrel/software.h"
#include "tessadrel/status.h"
#include "tessadrel/touchsimu.h"

namespace {

template <class W>
rt::Form* show() {
    auto& w = rt::Form::get<W>();
    w.Show();
    return &w;
}

// The help panel with another of its pages chosen, as its tab chooses it.
template <rt::Label* tessadrel::Help::*tab>
rt::Form* helpPage() {
    auto& w = rt::Form::get<tessadrel::Help>();
    w.Show();
    (w.*tab)->Click();
    return &w;
}

struct Window {
    const char* name;
    rt::Form* (*open)();
};

// One row a window; the name is also the picture's file name.
const Window kWindows[] = {
    {"tessadrel-phonearea", show<tessadrel::PhoneArea>},
    {"tessadrel-status", show<tessadrel::Status>},
    {"tessadrel-software", show<tessadrel::Software>},
    {"tessadrel-navigation", show<tessadrel::Navigation>},
    {"tessadrel-keysimu", show<tessadrel::keysimu>},
    {"tessadrel-touchsimu", show<tessadrel::touchsimu>},
    {"tessadrel-okc", show<tessadrel::OKC>},
    {"tessadrel-help", show<tessadrel::Help>},
    {"tessadrel-help-usb", helpPage<&tessadrel::Help::INTRO2>},
    {"tessadrel-help-common", helpPage<&tessadrel::Help::INTRO3>},
    {"tessadrel-about", show<tessadrel::About>},
    {"tessadrel-donation", show<tessadrel::DonatION>},
    {"pellork-about", show<pellork::About>},
    {"pellork-donation", show<pellork::DonatION>},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
        for (const Window& w : kWindows) std::printf("%s\n", w.name);
        return 0;
    }
    const Window* row = nullptr;
    for (const Window& w : kWindows)
        if (argc == 2 && std::strcmp(argv[1], w.name) == 0) row = &w;
    if (!row) {
        std::fprintf(stderr, "usage: show_window --list | NAME\n");
        return 2;
    }
    rt::Application app(argc, argv, QStringLiteral("Tessadrel"));
    controls::registerAll();
    rt::startInEventLoop([row] {
        rt::Form* form = row->open();
        if (!QTest::qWaitForWindowExposed(form)) std::exit(1);
        // Let the pictures and the skinned controls paint.
        QTest::qWait(300);
        std::printf("0x%llx\n", static_cast<unsigned long long>(form->winId()));
        std::fflush(stdout);
    });
    return app.exec();
}
