// The app management window's lines, run by the built interpreter as the
// program's Shell runs them (input from /dev/null), with a fake adb that logs
// the arguments it gets: what a user drops or types reaches adb as the
// arguments meant, and starts nothing else.
#include <gtest/gtest.h>

#include <QMimeData>
#include <QUrl>

#include "harness.h"
#include "runtime/services.h"
#include "support/recordinghost.h"
#include "tessadrel/form1.h"
#include "tessadrel/software.h"

namespace {

using cmdtest::Outcome;
using cmdtest::Sandbox;
using tessadrel::Software;
using Calls = std::vector<std::vector<std::string>>;

const std::string kNotFound = "不是内部或外部命令";

// A sandbox with a fake adb that answers as an install that worked, and fake
// programs named as the parts a name split at "&" or "|" would start.
struct Tools : Sandbox {
    Tools() {
        fakeTool("adb", "Success\n");
        fakeTool("y.apk", "");
        fakeTool("b", "");
    }
    // A line the window started, run as Shell runs it: the interpreter gets
    // the rest of the line as its one argument.
    Outcome runLine(const QString& line) const {
        EXPECT_TRUE(line.startsWith(QStringLiteral("cmd "))) << line.toStdString();
        return run({line.mid(4).toStdString()});
    }
    void expectNothingElseRan(const Outcome& o) const {
        EXPECT_FALSE(o.timedOut);
        EXPECT_EQ(o.out.find(kNotFound), std::string::npos) << o.out;
        EXPECT_EQ(o.err.find(kNotFound), std::string::npos) << o.err;
        EXPECT_TRUE(calls("y.apk").empty());
        EXPECT_TRUE(calls("b").empty());
        EXPECT_FALSE(exists("y")) << "a redirection ran";
    }
};

struct SoftwareThroughTheStandIn : ::testing::Test {
    testing_support::RecordingHost host;
    Software* sw = nullptr;

    SoftwareThroughTheStandIn() {
        const QString folder = QStringLiteral("/opt/tessadrel");
        rt::App::setPath(folder);
        host.files = {folder + QStringLiteral("/adb"), folder + QStringLiteral("/fastboot")};
        tessadrel::Form1& main = rt::Form::get<tessadrel::Form1>();
        sw = &rt::Form::get<Software>();
        sw->Show();
        sw->move(main.geometry().right() + 100, 0);  // the pointer must find this window
    }
    ~SoftwareThroughTheStandIn() override { rt::App::setPath({}); }

    QString lastLine() const { return host.started.empty() ? QString() : host.started.back().line; }
};

TEST_F(SoftwareThroughTheStandIn, ADroppedFileReachesAdbAsOnePathArgument) {
    for (const char* name : {"a b/x&y.apk", "odd name\\", "中文 目录/a|b.apk"}) {
        SCOPED_TRACE(name);
        Tools box;
        const std::string path = box.root + "/" + name;
        cmdtest::writeFile(path, "APK");
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
        ASSERT_TRUE(host.dropOn(sw->Labelappr, QPoint(5, 5), mime));
        const Outcome o = box.runLine(lastLine());
        EXPECT_EQ(box.calls("adb"), (Calls{{"install", path}}));
        box.expectNothingElseRan(o);
        EXPECT_NE(o.out.find("出现 Success表示安装完成！"), std::string::npos) << o.out;
    }
}

TEST_F(SoftwareThroughTheStandIn, TypedTextKeepsItsBlanksAndItsOperatorsAsText) {
    const struct {
        const char* typed;
        std::vector<std::string> args;
    } rows[] = {
        {"com.a&b", {"shell", "pm", "enable", "com.a&b"}},
        {"--user 0 com.a|b", {"shell", "pm", "enable", "--user", "0", "com.a|b"}},
        {"(x)>y<z^", {"shell", "pm", "enable", "(x)>y<z^"}},
    };
    auto* button = sw->ctl<QWidget>(QStringLiteral("UNFREEZE"));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        Tools box;
        sw->APPText5->setText(QString::fromUtf8(row.typed));
        host.moveTo(QPoint(-500, -500));
        host.moveTo(button, button->rect().center());
        host.click();
        ASSERT_TRUE(lastLine().startsWith(QStringLiteral("cmd /k adb shell pm enable ")));
        const Outcome o = box.runLine(lastLine());
        EXPECT_EQ(box.calls("adb"), (Calls{row.args}));
        box.expectNothingElseRan(o);
    }
}

}  // namespace
