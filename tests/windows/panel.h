#pragma once
// What the tests of a panel of the main program share: the main window
// started on the recording host with its tool files present, the panel opened
// from its tile and moved clear of it, clicks with the virtual pointer, and
// the check of a panel's controls against a table of names, containers and
// captions.
#include <gtest/gtest.h>

#include <QString>
#include <QWidget>
#include <vector>

#include "controls/nshape.h"
#include "runtime/form.h"
#include "runtime/frame.h"
#include "runtime/image.h"
#include "runtime/label.h"
#include "runtime/services.h"
#include "runtime/textbox.h"
#include "support/recordinghost.h"
#include "tessadrel/form1.h"

namespace paneltest {

inline const QString kFolder = QStringLiteral("/opt/tessadrel");

// The journal entry of a line run hidden.
inline QString hidden(const QString& command) {
    return QStringLiteral("shell 0: cmd /c ") + command;
}

// One control as the window shows it: what holds it ("" for the window) and
// its caption, or for a text box its text.
struct Placed {
    const char* name;
    const char* container;
    const char* caption;
};

template <class Panel>
struct PanelTest : ::testing::Test {
    testing_support::RecordingHost host;
    Panel* w = nullptr;
    rt::Image* tessadrel::Form1::*tile;

    explicit PanelTest(rt::Image* tessadrel::Form1::*tileOfPanel) : tile(tileOfPanel) {
        rt::App::setPath(kFolder);
        host.files = {kFolder + QStringLiteral("/adb"), kFolder + QStringLiteral("/fastboot")};
        clickOn(rt::Form::get<tessadrel::Form1>().*tile);
        w = rt::Form::ifLoaded<Panel>();
        if (!w) {
            ADD_FAILURE() << "the tile opened no window";
            return;
        }
        // Keep the tile uncovered.
        w->move(rt::Form::get<tessadrel::Form1>().geometry().right() + 100, 0);
        host.journal.clear();  // the main window's start-up console
    }
    ~PanelTest() override { rt::App::setPath({}); }

    void clickOn(QWidget* target) {
        host.moveTo(QPoint(-500, -500));
        host.moveTo(target, target->rect().center());
        host.click();
    }
    void click(const char* button) {
        clickOn(w->template need<controls::N_Shape>(QLatin1String(button)));
    }
    QString commandBox() const { return tessadrel::Form1::commandBox().Text(); }

    // Every control of the table is there, in its container, with its
    // caption; buttons carry their designer name and caption for assistive
    // tools.
    void expectPlaced(const std::vector<Placed>& table) {
        for (const Placed& p : table) {
            SCOPED_TRACE(p.name);
            QObject* c = w->findControl(QLatin1String(p.name));
            ASSERT_NE(c, nullptr);
            auto* widget = qobject_cast<QWidget*>(c);
            ASSERT_NE(widget, nullptr);
            const QString container = QString::fromUtf8(p.container);
            EXPECT_EQ(widget->parentWidget(),
                      container.isEmpty() ? w : w->template ctl<QWidget>(container));
            const QString caption = QString::fromUtf8(p.caption);
            if (auto* b = dynamic_cast<controls::N_Shape*>(c)) {
                EXPECT_EQ(b->Caption(), caption);
                EXPECT_EQ(b->accessibleName(), caption);
                EXPECT_EQ(b->objectName(), QLatin1String(p.name));
            } else if (auto* f = dynamic_cast<rt::Frame*>(c)) {
                EXPECT_EQ(f->Caption(), caption);
            } else if (auto* l = dynamic_cast<rt::Label*>(c)) {
                EXPECT_EQ(l->Caption(), caption);
            } else if (auto* t = dynamic_cast<rt::TextBox*>(c)) {
                EXPECT_EQ(t->Text(), caption);
                EXPECT_TRUE(t->Visible());
            } else {
                ADD_FAILURE() << "unexpected kind of control";
            }
        }
    }

    // Opening started nothing, and the tile shows the same window again,
    // with no second instance and still nothing started.
    void expectTileShowsTheSameWindow() {
        EXPECT_TRUE(host.journal.empty());
        clickOn(rt::Form::get<tessadrel::Form1>().*tile);
        EXPECT_EQ(rt::Form::ifLoaded<Panel>(), w);
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(rt::Form::loadedCount(), 2);
        EXPECT_TRUE(host.journal.empty());
    }
};

}  // namespace paneltest
