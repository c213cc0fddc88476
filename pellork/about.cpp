#include "about.h"

#include "common/commandrunner.h"
#include "controls/nshape.h"
#include "links.h"
#include "runtime/design.h"
#include "runtime/label.h"
#include "runtime/services.h"

namespace pellork {

About::About() {
    rt::design::load(*this, QStringLiteral(":/pellork/forms/About.json"));
    bind(Text1, "Text1");

    on("blockmi", &controls::N_Shape::Click, &About::blockmi_Click);
    on("Label10", &rt::Label::Click, &About::Label10_Click);
    on("Label5", &rt::Label::Click, &About::Label5_Click);
    on("Label7", &rt::Label::Click, &About::Label7_Click);
    on("Label8", &rt::Label::Click, &About::Label8_Click);
    on("Label9", &rt::Label::Click, &About::Label9_Click);
    on("N_Shape1", &controls::N_Shape::Click, &About::N_Shape1_Click);
}

// Minimized, as every command of the program; the message shows whether or
// not a phone took the command, since nothing reads what it did.
void About::openOnPhone(const QString& page) {
    common::openMarketPage(*Text1, page, common::kMinimized);
    rt::MsgBox(QStringLiteral("已跳转至酷安手机端相应界面，请查看手机！"), rt::vbOKOnly,
               QStringLiteral("提示"));
}

void About::blockmi_Click() {
    openOnPhone(links::kMakerPage);
}

void About::Label10_Click() {
    openOnPhone(links::kFamilyChannel);
}

void About::Label5_Click() {
    openOnPhone(links::kSkinChannel);
}

void About::Label7_Click() {
    openOnPhone(links::kTinkeringChannel);
}

void About::Label8_Click() {
    openOnPhone(links::kMainProgramChannel);
}

void About::Label9_Click() {
    openOnPhone(links::kChatBackgroundChannel);
}

void About::N_Shape1_Click() {
    common::openWebLink(links::kChatGroup);
}

}  // namespace pellork
