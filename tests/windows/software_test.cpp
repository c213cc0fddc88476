// The app management window on the recording host: the typed-package
// consoles, the Google-app list with its select-all box, and installs by
// drop, with the exact lines, styles and order they start.
#include "tessadrel/software.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QMimeData>
#include <QUrl>

#include "common/commandrunner.h"
#include "controls/checkbutton.h"
#include "controls/nshape.h"
#include "runtime/services.h"
#include "support/recordinghost.h"
#include "tessadrel/form1.h"

namespace {

using controls::CheckButton;
using tessadrel::Form1;
using tessadrel::Software;
using testing_support::RecordingHost;
using Started = std::vector<std::pair<QString, int>>;

const QString kFolder = QStringLiteral("/opt/tessadrel");
const QString kDesignCaption = QStringLiteral("将APK文件拖拽到此框架内即可自动安装");
const QString kDone = QStringLiteral("cmd /k echo 操作完成！请自行检查！ ");
const QString kCannotCarry = QStringLiteral("文件路径含有双引号、百分号或换行，无法安装！");

QString installLine(const QString& quotedPath) {
    return QStringLiteral("cmd /k adb install ") + quotedPath + common::kInstallTail;
}

struct SoftwareTest : ::testing::Test {
    RecordingHost host;
    Form1* main = nullptr;
    Software* sw = nullptr;

    SoftwareTest() {
        rt::App::setPath(kFolder);
        host.files = {kFolder + QStringLiteral("/adb"), kFolder + QStringLiteral("/fastboot")};
        main = &rt::Form::get<Form1>();
        clickOn(main->Image17);
        sw = rt::Form::ifLoaded<Software>();
        if (sw) sw->move(main->geometry().right() + 100, 0);  // keep the tiles uncovered
        host.started.clear();
    }
    ~SoftwareTest() override { rt::App::setPath({}); }

    void clickOn(QWidget* w) {
        host.moveTo(QPoint(-500, -500));
        host.moveTo(w, w->rect().center());
        host.click();
    }
    void click(const char* control) {
        auto* w = sw->ctl<QWidget>(QLatin1String(control));
        ASSERT_NE(w, nullptr) << control;
        clickOn(w);
    }
    Started started() const {
        Started r;
        for (const auto& s : host.started) r.emplace_back(s.line, s.style);
        return r;
    }
    std::vector<CheckButton*> appBoxes() const {
        return {sw->gsf, sw->store, sw->bt, sw->gms, sw->sousuo, sw->duo,
                sw->dy,  sw->map,   sw->xc, sw->dri, sw->yx,     sw->yy};
    }
    bool dropFiles(const QStringList& paths, QWidget* over = nullptr) {
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
        mime.setUrls(urls);
        return drop(mime, over);
    }
    bool drop(const QMimeData& mime, QWidget* over = nullptr) {
        QWidget* target = over ? over : sw->AZAPP;
        return host.dropOn(target, target->rect().center(), mime);
    }
};

TEST_F(SoftwareTest, TheTileShowsOneWindowWithItsDesignContents) {
    ASSERT_NE(sw, nullptr);
    EXPECT_TRUE(sw->isVisible());
    EXPECT_EQ(sw->Caption(), QStringLiteral("软件操作"));
    clickOn(main->Image17);
    EXPECT_EQ(rt::Form::ifLoaded<Software>(), sw);
    EXPECT_TRUE(host.started.empty());

    const std::pair<const char*, const char16_t*> captions[] = {
        {"googleqjt", u"冻结Google"},
        {"gsf", u"Google 服务框架"},
        {"store", u"Google Play 商店"},
        {"bt", u"Google 备份传输"},
        {"gms", u"Google Play 服务"},
        {"sousuo", u"Google 搜索"},
        {"duo", u"Google Duo"},
        {"dy", u"Google 电影"},
        {"map", u"Google 地图"},
        {"xc", u"Google 相册"},
        {"dri", u"Google 云盘"},
        {"yx", u"Google 邮箱"},
        {"yy", u"Google 音乐"},
        {"all", u"【全选】"},
        {"blockgoogle", u"冻结"},
        {"enablegoogle", u"恢复"},
        {"AZAPP", u"安装软件"},
        {"Labelappr", u"将APK文件拖拽到此框架内即可自动安装"},
        {"INPUTPKGS", u"输入包名："},
        {"FREEZE", u"冻结(仅对系统应用有效)"},
        {"UNFREEZE", u"解除冻结"},
        {"CLCDATA", u"清除应用数据 "},
        {"SHOWBANPKGS", u"显示禁用包名"},
        {"N_Shapeqqq", u"显示当前界面活动(无需包名)"},
        {"N_Shaunspe1", u"卸载(仅对三方应用有效)"},
        {"N_Shape2fc", u"强行停止"},
    };
    for (const auto& [name, caption] : captions) {
        auto* w = sw->ctl<QWidget>(QLatin1String(name));
        ASSERT_NE(w, nullptr) << name;
        EXPECT_EQ(w->accessibleName(), QString::fromUtf16(caption)) << name;
    }
    EXPECT_EQ(sw->ctl<controls::N_Shape>(QStringLiteral("CLCDATA"))->Caption(),
              QStringLiteral("清除应用数据 "));
    for (CheckButton* box : appBoxes()) EXPECT_EQ(box->Value(), 0) << box->Name().toStdString();
    EXPECT_EQ(sw->all->Value(), 0);
    EXPECT_TRUE(sw->APPText5->Text().isEmpty());
    EXPECT_TRUE(sw->AZAPP->acceptDrops());
}

TEST_F(SoftwareTest, ConsoleButtonsAppendTheTypedTextWithOperatorsMadePlain) {
    struct Typed {
        const char* text;
        const char* appended;
    };
    const Typed typed[] = {
        {"com.example.app", "com.example.app"},
        {"", ""},
        {"--user 0 com.example.app", "--user 0 com.example.app"},
        {"com.a&b", "com.a^&b"},
    };
    struct Button {
        const char* name;
        const char* command;
        bool takesText;
    };
    const Button buttons[] = {
        {"FREEZE", "adb shell pm disable-user ", true},
        {"UNFREEZE", "adb shell pm enable ", true},
        {"CLCDATA", "adb shell pm clear ", true},
        {"N_Shaunspe1", "adb shell pm uninstall ", true},
        {"SHOWBANPKGS", "adb shell pm list packages -d", false},
        {"N_Shapeqqq", "adb shell dumpsys window windows | findstr \"Current\"", false},
    };
    for (const Typed& t : typed) {
        sw->APPText5->setText(QString::fromUtf8(t.text));
        for (const Button& b : buttons) {
            SCOPED_TRACE(std::string(b.name) + " with \"" + t.text + "\"");
            host.started.clear();
            click(b.name);
            const QString command = QString::fromUtf8(b.command) +
                                    (b.takesText ? QString::fromUtf8(t.appended) : QString());
            EXPECT_EQ(started(), (Started{{QStringLiteral("cmd /k ") + command, 1}}));
            EXPECT_EQ(main->INTERTEXT->Text(), command);
        }
        host.started.clear();
        click("N_Shape2fc");
        EXPECT_TRUE(host.started.empty());
    }
}

TEST_F(SoftwareTest, FreezeAndRestoreVisitTheTickedAppsInOrderThenOpenTheCompletionConsole) {
    const QString disable = QStringLiteral("adb shell pm disable-user com.google.android.");
    const QString enable = QStringLiteral("adb shell pm enable com.google.android.");
    struct Row {
        const char* what;
        std::vector<std::pair<CheckButton * Software::*, rt::Long>> values;
        const char* button;
        Started expected;
    };
    const std::vector<Row> rows = {
        {"freeze gsf and gms",
         {{&Software::gsf, 1}, {&Software::gms, 1}},
         "blockgoogle",
         {{QStringLiteral("cmd /k ") + disable + QStringLiteral("gsf"), 2},
          {QStringLiteral("cmd /c ") + disable + QStringLiteral("gms"), 0},
          {kDone, 1}}},
        {"freeze nothing ticked", {}, "blockgoogle", {{kDone, 1}}},
        {"restore nothing ticked", {}, "enablegoogle", {{kDone, 1}}},
        {"restore runs gsf hidden too",
         {{&Software::yy, 1}, {&Software::gsf, 1}},
         "enablegoogle",
         {{QStringLiteral("cmd /c ") + enable + QStringLiteral("gsf"), 0},
          {QStringLiteral("cmd /c ") + enable + QStringLiteral("music"), 0},
          {kDone, 1}}},
        {"the third state is not ticked",
         {{&Software::gsf, 2}, {&Software::store, 2}, {&Software::xc, 1}},
         "blockgoogle",
         {{QStringLiteral("cmd /c ") + disable + QStringLiteral("apps.photos"), 0}, {kDone, 1}}},
        {"every app, in the table's order",
         {{&Software::yy, 1},
          {&Software::yx, 1},
          {&Software::dri, 1},
          {&Software::xc, 1},
          {&Software::map, 1},
          {&Software::dy, 1},
          {&Software::duo, 1},
          {&Software::sousuo, 1},
          {&Software::gms, 1},
          {&Software::bt, 1},
          {&Software::store, 1},
          {&Software::gsf, 1}},
         "enablegoogle",
         {{QStringLiteral("cmd /c ") + enable + QStringLiteral("gsf"), 0},
          {QStringLiteral("cmd /c adb shell pm enable com.android.vending"), 0},
          {QStringLiteral("cmd /c ") + enable + QStringLiteral("backuptransport"), 0},
          {QStringLiteral("cmd /c ") + enable + QStringLiteral("gms"), 0},
          {QStringLiteral("cmd /c ") + enable + QStringLiteral("googlequicksearchbox"), 0},
          {QStringLiteral("cmd /c ") + enable + QStringLiteral("apps.tachyon"), 0},
          {QStringLiteral("cmd /c ") + enable + QStringLiteral("videos"), 0},
          {QStringLiteral("cmd /c ") + enable + QStringLiteral("apps.maps"), 0},
          {QStringLiteral("cmd /c ") + enable + QStringLiteral("apps.photos"), 0},
          {QStringLiteral("cmd /c ") + enable + QStringLiteral("apps.docs"), 0},
          {QStringLiteral("cmd /c ") + enable + QStringLiteral("gm"), 0},
          {QStringLiteral("cmd /c ") + enable + QStringLiteral("music"), 0},
          {kDone, 1}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        for (CheckButton* box : appBoxes()) box->setValue(0);
        for (const auto& [box, value] : row.values) (sw->*box)->setValue(value);
        host.started.clear();
        click(row.button);
        EXPECT_EQ(started(), row.expected);
    }
    // The box keeps the last command that went through it; the completion
    // console does not pass through it.
    for (CheckButton* box : appBoxes()) box->setValue(0);
    sw->gsf->setValue(1);
    sw->gms->setValue(1);
    click("blockgoogle");
    EXPECT_EQ(main->INTERTEXT->Text(),
              QStringLiteral("adb shell pm disable-user com.google.android.gms"));
}

TEST_F(SoftwareTest, SelectAllTicksAndClearsEveryAppBoxWithoutStartingAnything) {
    clickOn(sw->dy);
    clickOn(sw->xc);
    EXPECT_EQ(sw->dy->Value(), 1);
    clickOn(sw->all);
    ASSERT_EQ(sw->all->Value(), 1);
    for (CheckButton* box : appBoxes()) EXPECT_EQ(box->Value(), 1) << box->Name().toStdString();

    clickOn(sw->gsf);  // cleared by hand while the rest stay ticked
    sw->yy->setValue(2);
    clickOn(sw->all);
    ASSERT_EQ(sw->all->Value(), 0);
    for (CheckButton* box : appBoxes()) EXPECT_EQ(box->Value(), 0) << box->Name().toStdString();

    // From the third state a click clears the box, so all boxes clear too.
    sw->all->setValue(2);
    sw->map->setValue(1);
    clickOn(sw->all);
    EXPECT_EQ(sw->map->Value(), 0);
    EXPECT_TRUE(host.started.empty());
}

TEST_F(SoftwareTest, ADropInstallsTheFirstFileAndOtherDropsInstallWhatTheLabelNames) {
    QMimeData text;
    text.setText(QStringLiteral("com.example.app"));
    EXPECT_TRUE(drop(text));
    EXPECT_EQ(started(), (Started{{installLine(u'"' + kDesignCaption + u'"'), 1}}));
    EXPECT_EQ(sw->Labelappr->Caption(), kDesignCaption);

    host.started.clear();
    const QString first = QStringLiteral("/home/u/下载/a b/x&y.apk");
    EXPECT_TRUE(
        dropFiles({first, QStringLiteral("/home/u/two.apk"), QStringLiteral("/home/u/three.apk")}));
    EXPECT_EQ(started(), (Started{{installLine(u'"' + first + u'"'), 1}}));
    EXPECT_EQ(sw->Labelappr->Caption(), first);
    EXPECT_EQ(main->INTERTEXT->Text(), QStringLiteral("adb install \"") + first + u'"');

    // A web address is no file: the label's file again. So is a drop over the label.
    host.started.clear();
    QMimeData link;
    link.setUrls({QUrl(QStringLiteral("https://example.com/app.apk"))});
    EXPECT_TRUE(drop(link));
    EXPECT_TRUE(drop(text, sw->Labelappr));
    EXPECT_EQ(started(), (Started{{installLine(u'"' + first + u'"'), 1},
                                  {installLine(u'"' + first + u'"'), 1}}));

    // A trailing backslash is doubled before the closing quote; the label
    // shows the path as dropped.
    host.started.clear();
    const QString folder = QStringLiteral("/tmp/ends\\");
    EXPECT_TRUE(dropFiles({folder}, sw->Labelappr));
    EXPECT_EQ(started(), (Started{{installLine(QStringLiteral("\"/tmp/ends\\\\\"")), 1}}));
    EXPECT_EQ(sw->Labelappr->Caption(), folder);
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(SoftwareTest, PathsThatCannotBeCarriedStartNothingAndKeepTheLabel) {
    const QString kept = QStringLiteral("/home/u/good.apk");
    dropFiles({kept});
    host.started.clear();
    for (const char* path : {"/tmp/a\"b.apk", "/tmp/100%.apk", "/tmp/line\nbreak.apk"}) {
        SCOPED_TRACE(path);
        host.boxes.clear();
        // Only the first file counts, also when it is the one that cannot go.
        dropFiles({QString::fromUtf8(path), QStringLiteral("/tmp/fine.apk")});
        EXPECT_TRUE(host.started.empty());
        EXPECT_EQ(sw->Labelappr->Caption(), kept);
        ASSERT_EQ(host.boxes.size(), 1u);
        EXPECT_EQ(host.boxes[0].text, kCannotCarry);
        EXPECT_EQ(host.boxes[0].flags, rt::vbOKOnly | rt::vbExclamation);
        EXPECT_EQ(host.boxes[0].title, QStringLiteral("提示"));
    }

    // A file on a share the desktop has not mounted: nothing to install, not
    // the previous file either, and the user is told why.
    for (const char* address :
         {"smb://nas/apps/x.apk", "sftp://u@host/x.apk", "file://nas/apps/x.apk"}) {
        SCOPED_TRACE(address);
        host.boxes.clear();
        QMimeData shared;
        shared.setUrls({QUrl(QString::fromUtf8(address)), QUrl::fromLocalFile(kept)});
        EXPECT_TRUE(drop(shared));
        EXPECT_TRUE(host.started.empty());
        EXPECT_EQ(sw->Labelappr->Caption(), kept);
        ASSERT_EQ(host.boxes.size(), 1u);
        EXPECT_EQ(host.boxes[0].text, QStringLiteral("该文件位于尚未挂载的网络位置，无法安装！请先"
                                                     "将它复制到本机，再拖入此框。"));
        EXPECT_EQ(host.boxes[0].flags, rt::vbOKOnly | rt::vbExclamation);
        EXPECT_EQ(host.boxes[0].title, QStringLiteral("提示"));
    }
}

TEST_F(SoftwareTest, AnActionAfterTheMainWindowWasClosedRunsItsStartUpFirst) {
    main->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(rt::Form::ifLoaded<Form1>(), nullptr);
    sw->APPText5->setText(QStringLiteral("com.example.app"));
    click("UNFREEZE");
    ASSERT_EQ(host.started.size(), 2u);
    EXPECT_EQ(host.started[0].line, QStringLiteral("cmd /k adb devices") + common::kStartupTail);
    EXPECT_EQ(host.started[1].line, QStringLiteral("cmd /k adb shell pm enable com.example.app"));
    EXPECT_EQ(rt::Form::ifLoaded<Form1>()->INTERTEXT->Text(),
              QStringLiteral("adb shell pm enable com.example.app"));
}

}  // namespace
