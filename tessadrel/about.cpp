#include "about.h"

#include "common/commandrunner.h"
#include "controls/nshape.h"
#include "links.h"
#include "runtime/design.h"
#include "runtime/label.h"
#include "runtime/services.h"

namespace tessadrel {

About::About() {
    rt::design::load(*this, QStringLiteral(":/tessadrel/forms/About.json"));
    bind(Text1, "Text1");

    on("N_Shape1", &controls::N_Shape::Click, &About::N_Shape1_Click);
    on("Label4", &rt::Label::Click, &About::Label4_Click);
    on("Label10", &rt::Label::Click, &About::Label10_Click);
    on("Label13", &rt::Label::Click, &About::Label13_Click);
    on("Label14", &rt::Label::Click, &About::Label14_Click);
    on("Label6", &rt::Label::Click, &About::Label6_Click);
    on("Label8", &rt::Label::Click, &About::Label8_Click);
    on("Label15", &rt::Label::Click, &About::Label15_Click);
    on("Label16", &rt::Label::Click, &About::Label16_Click);
    on("Label7", &rt::Label::Click, &About::Label7_Click);
    on("Label9", &rt::Label::Click, &About::Label9_Click);
    on("Label5", &rt::Label::Click, &About::Label5_Click);
}

// The message shows whether or not a phone took the command: nothing reads
// what the command did.
void About::openOnPhone(const QString& page) {
    common::openMarketPage(*Text1, page);
    rt::MsgBox(QStringLiteral("已跳转至酷安手机端相应界面，请查看手机！"), rt::vbOKOnly,
               QStringLiteral("提示"));
}

void About::N_Shape1_Click() {
    common::openWebLink(links::kUpdateFolder);
}

void About::Label4_Click() {
    common::openWebLink(links::kChatGroup);
}

void About::Label10_Click() {
    common::openWebLink(links::kIconSite);
}

void About::Label13_Click() {
    common::openWebLink(links::kAndroidSource);
}

void About::Label14_Click() {
    common::openWebLink(links::kAdbReference);
}

void About::Label6_Click() {
    openOnPhone(links::kMakerPage);
}

void About::Label8_Click() {
    openOnPhone(links::kProgramChannel);
}

void About::Label15_Click() {
    openOnPhone(links::kPhoneToolChannel);
}

void About::Label16_Click() {
    openOnPhone(links::kThemeChannel);
}

void About::Label7_Click() {
    openOnPhone(links::kArticleChannel);
}

void About::Label9_Click() {
    openOnPhone(links::kWallpaperChannel);
}

void About::Label5_Click() {
    openOnPhone(links::kSkinChannel);
}

}  // namespace tessadrel
