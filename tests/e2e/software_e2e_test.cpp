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

struct SoftwareThroughTheStandIn : ::testing::Test {
    testing_support::RecordingHost host;
    Sandbox box;
    Software* sw = nullptr;

    SoftwareThroughTheStandIn() {
        const QString folder = QStringLiteral("/opt/tessadrel");
        rt::App::setPath(folder);
        host.files = {folder + QStringLiteral("/adb"), folder + QStringLiteral("/fastboot")};
        tessadrel::Form1& main = rt::Form::get<tessadrel::Form1>();
        sw = &rt::Form::get<Software>();
        sw->Show();
        sw->move(main.geometry().right() + 100, 0);  // the pointer must find this window
        box.fakeTool("adb", "Success\n");
        // What a name split at "&" would start.
        box.fakeTool("y.apk", "");
        box.fakeTool("b", "");
    }
    ~SoftwareThroughTheStandIn() override { rt::App::setPath({}); }

    // The last line the window started, run as Shell runs it: the
    // interpreter gets the rest of the line as its one argument.
    Outcome runLastLine() {
        EXPECT_FALSE(host.started.empty());
        if (host.started.empty()) return {};
        const QString line = host.started.back().line;
        EXPECT_TRUE(line.startsWith(QStringLiteral("cmd ")));
        return box.run({line.mid(4).toStdString()});
    }
    void dropFile(const std::string& path) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
        ASSERT_TRUE(host.dropOn(sw->Labelappr, QPoint(5, 5), mime));
    }
    void expectNothingElseRan(const Outcome& o) {
        EXPECT_FALSE(o.timedOut);
        EXPECT_EQ(o.out.find(kNotFound), std::string::npos) << o.out;
        EXPECT_EQ(o.err.find(kNotFound), std::string::npos) << o.err;
        EXPECT_TRUE(box.calls("y.apk").empty());
        EXPECT_TRUE(box.calls("b").empty());
    }
};

TEST_F(SoftwareThroughTheStandIn, ADroppedFileReachesAdbAsOnePathArgument) {
    const std::string path = box.root + "/a b/x&y.apk";
    cmdtest::writeFile(path, "APK");
    dropFile(path);
    const Outcome o = runLastLine();
    EXPECT_EQ(box.calls("adb"), (Calls{{"install", path}}));
    expectNothingElseRan(o);
    EXPECT_NE(o.out.find("出现 Success表示安装完成！"), std::string::npos) << o.out;
}

TEST_F(SoftwareThroughTheStandIn, APathEndingInABackslashArrivesUnchanged) {
    const std::string path = box.root + "/odd name\\";
    cmdtest::writeFile(path, "APK");
    dropFile(path);
    const Outcome o = runLastLine();
    EXPECT_EQ(box.calls("adb"), (Calls{{"install", path}}));
    expectNothingElseRan(o);
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
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        Sandbox fresh;
        fresh.fakeTool("adb", "");
        fresh.fakeTool("b", "");
        sw->APPText5->setText(QString::fromUtf8(row.typed));
        host.moveTo(QPoint(-500, -500));
        auto* button = sw->ctl<QWidget>(QStringLiteral("UNFREEZE"));
        host.moveTo(button, button->rect().center());
        host.click();
        const QString line = host.started.back().line;
        ASSERT_TRUE(line.startsWith(QStringLiteral("cmd /k adb shell pm enable ")))
            << line.toStdString();
        const Outcome o = fresh.run({line.mid(4).toStdString()});
        EXPECT_FALSE(o.timedOut);
        EXPECT_EQ(fresh.calls("adb"), (Calls{row.args}));
        EXPECT_TRUE(fresh.calls("b").empty());
        EXPECT_FALSE(fresh.exists("y")) << "a redirection ran";
        EXPECT_EQ(o.out.find(kNotFound), std::string::npos) << o.out;
    }
}

}  // namespace
