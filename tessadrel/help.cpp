#include "help.h"

#include "common/commandrunner.h"
#include "controls/nshape.h"
#include "links.h"
#include "runtime/design.h"

namespace tessadrel {

namespace {

// Where every page shows, whatever its place in the design data: just right
// of the tab column.
constexpr double kPageLeft = 1560;
constexpr double kPageTop = 8;

}  // namespace

Help::Help() {
    rt::design::load(*this, QStringLiteral(":/tessadrel/forms/Help.json"));
    bind(INTRO1, "INTRO1");
    bind(INTRO2, "INTRO2");
    bind(INTRO3, "INTRO3");
    bind(INTRO, "INTRO");
    bind(USBQA, "USBQA");
    bind(COMMONQA, "COMMONQA");
    bind(Text1, "Text1");
    bind(Text2, "Text2");
    // The pages' stored caption is never seen; each carries its tab's name.
    INTRO->setAccessibleName(INTRO1->Caption());
    USBQA->setAccessibleName(INTRO2->Caption());
    COMMONQA->setAccessibleName(INTRO3->Caption());

    on(INTRO1->Click, &Help::INTRO1_Click);
    on(INTRO2->Click, &Help::INTRO2_Click);
    on(INTRO3->Click, &Help::INTRO3_Click);
    on("DOWNOLD1", &controls::N_Shape::Click, &Help::DOWNOLD1_Click);
    on("DOWNLOAD2", &controls::N_Shape::Click, &Help::DOWNLOAD2_Click);
    on("V3", &controls::N_Shape::Click, &Help::V3_Click);
}

void Help::Form_Load() {
    Text1->setVisible(false);
    Text2->setVisible(false);
    showPage(INTRO);
}

void Help::showPage(rt::Frame* page) {
    USBQA->setVisible(page == USBQA);
    INTRO->setVisible(page == INTRO);
    COMMONQA->setVisible(page == COMMONQA);
    page->Move(kPageLeft, kPageTop);
}

void Help::INTRO1_Click() {
    showPage(INTRO);
}

void Help::INTRO2_Click() {
    showPage(USBQA);
}

void Help::INTRO3_Click() {
    showPage(COMMONQA);
}

void Help::DOWNOLD1_Click() {
    common::openWebLink(links::kDeviceSetup);
}

void Help::DOWNLOAD2_Click() {
    common::openWebLink(links::kPlatformTools);
}

void Help::V3_Click() {
    common::openWebLink(links::kEditionThree);
}

}  // namespace tessadrel
