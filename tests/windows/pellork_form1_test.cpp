// The companion's main window on the recording host: its frames, hidden
// device fields and freeze lists as designed, the freeze and restore commands
// of the ticked rows, the select-all boxes, the donation window and the end
// of the program with the window.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>

#include "controls/nshape.h"
#include "pellork/donation.h"
#include "pellork/form1.h"
#include "runtime/frame.h"
#include "runtime/services.h"
#include "support/recordinghost.h"

namespace {

using controls::CheckButton;
using controls::N_Shape;
using pellork::DonatION;
using pellork::Form1;
using testing_support::RecordingHost;

struct PellorkForm1Test : ::testing::Test {
    RecordingHost host;

    // As the splash leaves it: loaded through its command box, then shown.
    Form1& form1() {
        Form1& f = rt::Form::get<Form1>();
        f.Show();
        return f;
    }

    void clickOn(QWidget* w) {
        host.moveTo(QPoint(-500, -500));
        host.moveTo(w, w->rect().center());
        host.click();
    }
    void clickOn(const char* name) { clickOn(form1().ctl<QWidget>(QLatin1String(name))); }

    static std::vector<CheckButton*> boxes(const Form1& f, const std::vector<const char*>& names) {
        std::vector<CheckButton*> r;
        for (const char* n : names) r.push_back(f.ctl<CheckButton>(QLatin1String(n)));
        return r;
    }
    static std::vector<rt::Long> values(const std::vector<CheckButton*>& list) {
        std::vector<rt::Long> r;
        for (const CheckButton* b : list) r.push_back(b->Value());
        return r;
    }
};

const std::vector<const char*> kGoogle = {"gsf", "store", "bt", "gms", "sousuo", "Chrome", "duo",
                                          "dy",  "map",   "xc", "dri", "yx",     "ytb",    "yy"};
const std::vector<const char*> kVendor = {"xa",  "sgsrf", "sous", "xmsp", "msa",
                                          "mab", "anal",  "yhfk", "yxzx", "xmyd"};

TEST_F(PellorkForm1Test, FramesFieldsAndListsStandAsDesigned) {
    Form1& f = rt::Form::get<Form1>();
    EXPECT_FALSE(f.isVisible());  // nothing shows it but the splash
    EXPECT_EQ(f.Caption(), QStringLiteral("Form1"));
    EXPECT_EQ(f.width() * rt::kTwipsPerPixel, 9795);
    EXPECT_EQ(f.height() * rt::kTwipsPerPixel, 8010);
    EXPECT_EQ(f.BackColor(), 0xFFFFFF);

    struct FrameRow {
        const char* name;
        const char* caption;
        QRectF at;
    };
    const FrameRow frames[] = {
        {"ewe", "冻结MIUI全家桶 V1.3", {120, 120, 4935, 1815}},
        {"hidesta", "隐藏图标 V2.0", {5160, 120, 4575, 1815}},
        {"googleqjt", "冻结Google V1.4", {120, 2040, 9615, 1815}},
        {"Frame1hide", "开启隐藏界面 V1.1", {120, 3960, 4815, 2055}},
        {"JMTZ6", "显示调节 V1.2", {5040, 3960, 4695, 2055}},
        {"JMTZ4", "动画速度调节 V1.3", {120, 6120, 2535, 1815}},
        {"JMTZ3", "电池显示 V1.0", {2760, 6120, 2415, 1815}},
        {"Notice", "公告", {5280, 6120, 4455, 1815}},
    };
    for (const FrameRow& r : frames) {
        auto* fr = f.ctl<rt::Frame>(QLatin1String(r.name));
        ASSERT_NE(fr, nullptr) << r.name;
        EXPECT_EQ(fr->Caption(), QString::fromUtf8(r.caption));
        EXPECT_EQ(fr->twipsRect(), r.at) << r.name;
    }

    for (rt::TextBox* box : {f.INTERTEXT, f.Text1, f.Text2, f.Text4, f.Text5})
        EXPECT_FALSE(box->Visible()) << box->Name().toStdString();
    EXPECT_EQ(f.INTERTEXT->Text(), QString());
    EXPECT_EQ(f.Text1->Text(), QString());
    EXPECT_EQ(f.Text2->Text(), QString());
    EXPECT_EQ(f.Text4->Text(), QStringLiteral("Text4"));
    EXPECT_EQ(f.Text5->Text(), QStringLiteral("Text5"));
    for (rt::Label* l : {f.dpishow, f.sizeshow}) {
        EXPECT_EQ(l->Caption(), QString());
        EXPECT_EQ(l->Container()->objectName(), QStringLiteral("JMTZ6"));
    }
    EXPECT_EQ(f.dpishow->twipsRect().topLeft(), QPointF(240, 480));
    EXPECT_EQ(f.sizeshow->twipsRect().topLeft(), QPointF(2400, 480));

    struct BoxRow {
        const char* name;
        const char* caption;
        const char* frame;
        QPointF at;
    };
    const BoxRow rows[] = {
        {"gsf", "Google 服务框架", "googleqjt", {240, 360}},
        {"store", "Google Play 商店", "googleqjt", {240, 720}},
        {"gms", "Google Play 服务", "googleqjt", {240, 1080}},
        {"duo", "Google Duo", "googleqjt", {240, 1440}},
        {"sousuo", "Google 搜索", "googleqjt", {2520, 360}},
        {"bt", "Google 备份传输", "googleqjt", {2520, 720}},
        {"dy", "Google 电影", "googleqjt", {2520, 1080}},
        {"yy", "Google 音乐", "googleqjt", {2520, 1440}},
        {"map", "Google 地图", "googleqjt", {4680, 360}},
        {"xc", "Google 相册", "googleqjt", {4680, 720}},
        {"dri", "Google 云盘", "googleqjt", {4680, 1080}},
        {"yx", "Google 邮箱", "googleqjt", {4680, 1440}},
        {"Chrome", "Chrome", "googleqjt", {6720, 360}},
        {"ytb", "YouTube", "googleqjt", {6720, 720}},
        {"all", "【全选】", "googleqjt", {6720, 1200}},
        {"xa", "小爱同学", "ewe", {120, 360}},
        {"xmsp", "小米视频", "ewe", {120, 720}},
        {"yhfk", "用户反馈", "ewe", {120, 1080}},
        {"yxzx", "游戏中心", "ewe", {120, 1440}},
        {"xmyd", "阅读", "ewe", {1440, 360}},
        {"msa", "msa", "ewe", {1440, 720}},
        {"mab", "mab", "ewe", {1440, 1080}},
        {"anal", "Analytics", "ewe", {1440, 1440}},
        {"sgsrf", "搜狗输入法", "ewe", {2760, 360}},
        {"sous", "搜索", "ewe", {2760, 720}},
        {"miall", "【全选】", "ewe", {2760, 1080}},
    };
    for (const BoxRow& r : rows) {
        auto* b = f.ctl<CheckButton>(QLatin1String(r.name));
        ASSERT_NE(b, nullptr) << r.name;
        EXPECT_EQ(b->Caption(), QString::fromUtf8(r.caption)) << r.name;
        EXPECT_EQ(b->accessibleName(), QString::fromUtf8(r.caption)) << r.name;
        EXPECT_EQ(b->Container()->objectName(), QLatin1String(r.frame)) << r.name;
        EXPECT_EQ(b->twipsRect().topLeft(), r.at) << r.name;
        EXPECT_EQ(b->Value(), 0) << r.name;
    }
}

TEST_F(PellorkForm1Test, ButtonsStandAsDesignedAndTheNoticeOnesKeepTheirBorderAndCaption) {
    Form1& f = form1();
    struct Row {
        const char* name;
        const char* caption;
        const char* frame;
        QPointF at;
    };
    const Row rows[] = {
        {"blockgoogle", "冻结", "googleqjt", {8160, 480}},
        {"enablegoogle", "恢复", "googleqjt", {8160, 1080}},
        {"blockmi", "冻结", "ewe", {2760, 1320}},
        {"enablemi", "恢复", "ewe", {3840, 1320}},
        {"N_Shape1about", "关于", "Notice", {600, 1320}},
        {"N_Shape1boot", "捐赠支持", "Notice", {2400, 1320}},
    };
    for (const Row& r : rows) {
        auto* b = f.ctl<N_Shape>(QLatin1String(r.name));
        ASSERT_NE(b, nullptr) << r.name;
        EXPECT_EQ(b->Caption(), QString::fromUtf8(r.caption));
        EXPECT_EQ(b->Container()->objectName(), QLatin1String(r.frame));
        EXPECT_EQ(b->twipsRect().topLeft(), r.at) << r.name;
        // One look; the notice buttons differ in an idle border and a
        // caption that stays black while pressed.
        const bool notice = b->Container()->objectName() == QStringLiteral("Notice");
        EXPECT_EQ(b->BorderColorNormal(), notice ? 0xC0C0C0 : 0xE0E0E0) << r.name;
        EXPECT_EQ(b->ForeColorDown(), notice ? 0 : 0xC0C0C0) << r.name;
        EXPECT_EQ(b->BackColorDown(), 0xFFFFFF);
        EXPECT_EQ(b->BorderColorHover(), 0);
    }
    EXPECT_TRUE(f.ctl<rt::Label>(QStringLiteral("Label4other"))
                    ->Caption()
                    .contains(QStringLiteral("Tessadrel")));
    EXPECT_FALSE(f.ctl<rt::Label>(QStringLiteral("Label4"))->Caption().isEmpty());
}

TEST_F(PellorkForm1Test, FreezeAndRestoreRunOneMinimizedCommandPerTickedRowInListOrder) {
    Form1& f = form1();
    clickOn(f.yy);  // ticked first, yet its row comes last
    clickOn(f.gsf);
    clickOn("blockgoogle");
    EXPECT_EQ(host.lines(),
              (std::vector<QString>{
                  QStringLiteral("cmd /c adb shell pm disable-user com.google.android.gsf"),
                  QStringLiteral("cmd /c adb shell pm disable-user com.google.android.music"),
              }));
    for (const auto& s : host.started) EXPECT_EQ(s.style, 2);
    EXPECT_EQ(f.INTERTEXT->Text(),
              QStringLiteral("adb shell pm disable-user com.google.android.music"));

    clickOn(f.yy);  // cleared again
    host.started.clear();
    clickOn("enablegoogle");
    EXPECT_EQ(
        host.lines(),
        std::vector<QString>{QStringLiteral("cmd /c adb shell pm enable com.google.android.gsf")});

    // The vendor list runs its own rows only; the third state is no tick.
    host.started.clear();
    clickOn(f.msa);
    f.xa->setValue(2);
    clickOn("enablemi");
    EXPECT_EQ(host.lines(), std::vector<QString>{QStringLiteral(
                                "cmd /c adb shell pm enable com.miui.systemAdSolution")});
    host.started.clear();
    clickOn("blockmi");
    EXPECT_EQ(host.lines(), std::vector<QString>{QStringLiteral(
                                "cmd /c adb shell pm disable-user com.miui.systemAdSolution")});
}

TEST_F(PellorkForm1Test, EveryRowOfBothListsReachesItsPackage) {
    Form1& f = form1();
    clickOn(f.all);
    clickOn(f.miall);
    clickOn("blockgoogle");
    clickOn("blockmi");
    const QString p = QStringLiteral("cmd /c adb shell pm disable-user ");
    const char* packages[] = {"com.google.android.gsf",
                              "com.android.vending",
                              "com.google.android.backuptransport",
                              "com.google.android.gms",
                              "com.google.android.googlequicksearchbox",
                              "com.android.chrome",
                              "com.google.android.apps.tachyon",
                              "com.google.android.videos",
                              "com.google.android.apps.maps",
                              "com.google.android.apps.photos",
                              "com.google.android.apps.docs",
                              "com.google.android.gm",
                              "com.google.android.youtube",
                              "com.google.android.music",
                              "com.miui.voiceassist",
                              "com.sohu.inputmethod.sogou.xiaomi",
                              "com.android.quicksearchbox",
                              "com.miui.video",
                              "com.miui.systemAdSolution",
                              "com.xiaomi.ab",
                              "com.miui.analytics",
                              "com.miui.bugreport",
                              "com.xiaomi.gamecenter",
                              "com.duokan.reader"};
    std::vector<QString> expected;
    for (const char* pkg : packages) expected.push_back(p + QLatin1String(pkg));
    EXPECT_EQ(host.lines(), expected);
}

TEST_F(PellorkForm1Test, NothingTickedRunsNothing) {
    form1();
    for (const char* b : {"blockgoogle", "enablegoogle", "blockmi", "enablemi"}) clickOn(b);
    EXPECT_TRUE(host.started.empty());
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(PellorkForm1Test, SelectAllSetsOnlyItsOwnListAndRunsNothing) {
    Form1& f = form1();
    const auto google = boxes(f, kGoogle);
    const auto vendor = boxes(f, kVendor);
    const std::vector<rt::Long> none(14, 0), every(14, 1);

    clickOn(f.all);
    EXPECT_EQ(f.all->Value(), 1);
    EXPECT_EQ(values(google), every);
    EXPECT_EQ(values(vendor), std::vector<rt::Long>(10, 0));

    clickOn(f.dy);  // cleared by hand, ticked again by hand
    clickOn(f.dy);
    EXPECT_EQ(f.dy->Value(), 1);
    clickOn(f.all);
    EXPECT_EQ(values(google), none);  // the hand-ticked one too

    clickOn(f.gsf);
    f.all->setValue(2);  // the third state clears on its next click
    clickOn(f.all);
    EXPECT_EQ(values(google), none);

    clickOn(f.xmyd);
    clickOn(f.miall);
    EXPECT_EQ(values(vendor), std::vector<rt::Long>(10, 1));
    clickOn(f.miall);
    EXPECT_EQ(values(vendor), std::vector<rt::Long>(10, 0));
    EXPECT_EQ(values(google), none);
    EXPECT_TRUE(host.started.empty());
}

TEST_F(PellorkForm1Test, TheDonationButtonShowsOneThankYouWindow) {
    Form1& f = form1();
    clickOn("N_Shape1boot");
    DonatION* d = rt::Form::ifLoaded<DonatION>();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(d->Caption(), QStringLiteral("支持作者"));
    EXPECT_EQ(
        d->ctl<rt::Label>(QStringLiteral("Label1"))->Caption(),
        QStringLiteral("软件不设高级版、捐赠版。无论您是否捐赠都可以使用全部功能。 谢谢支持！"));
    for (const char* image : {"Image1", "Image2"})
        EXPECT_FALSE(d->ctl<rt::Image>(QLatin1String(image))->Picture()->isEmpty()) << image;

    d->move(f.geometry().right() + 100, 0);  // keep the button uncovered
    clickOn("N_Shape1boot");
    EXPECT_EQ(rt::Form::ifLoaded<DonatION>(), d);
    EXPECT_EQ(rt::Form::loadedCount(), 2);
    EXPECT_TRUE(host.started.empty());
}

TEST_F(PellorkForm1Test, ClosingTheMainWindowEndsTheProgramWithItsOtherWindows) {
    Form1& f = form1();
    clickOn("N_Shape1boot");
    ASSERT_NE(rt::Form::ifLoaded<DonatION>(), nullptr);
    EXPECT_THROW(f.close(), rt::ProgramEnded);
    EXPECT_TRUE(host.ended);

    // Closing the donation window alone ends nothing.
    RecordingHost h;
    Form1& again = form1();
    rt::Form::get<DonatION>().Show();
    rt::Form::get<DonatION>().close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(h.ended);
    EXPECT_EQ(rt::Form::ifLoaded<Form1>(), &again);
}

}  // namespace
