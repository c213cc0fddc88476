// The flashing window's lines, run by the built interpreter as the program's
// Shell runs them (input from /dev/null), with a fake fastboot that logs the
// arguments it gets: a dropped image reaches fastboot as one path, and a
// name split at "&" starts nothing.
#include <gtest/gtest.h>

#include <QMimeData>
#include <QUrl>

#include "controls/optionbutton.h"
#include "harness.h"
#include "runtime/services.h"
#include "support/recordinghost.h"
#include "tessadrel/form1.h"
#include "tessadrel/okc.h"

namespace {

using cmdtest::Outcome;
using Calls = std::vector<std::vector<std::string>>;

TEST(OKCThroughTheStandIn, ADroppedImageReachesFastbootAsOnePathArgument) {
    testing_support::RecordingHost host;
    const QString folder = QStringLiteral("/opt/tessadrel");
    rt::App::setPath(folder);
    host.files = {folder + QStringLiteral("/adb"), folder + QStringLiteral("/fastboot")};
    auto& main = rt::Form::get<tessadrel::Form1>();
    auto& w = rt::Form::get<tessadrel::OKC>();
    w.Show();
    w.move(main.geometry().right() + 100, 0);  // the pointer must find this window
    host.moveTo(w.sysf, w.sysf->rect().center());
    host.click();
    ASSERT_TRUE(w.sysf->Value());

    for (const char* name : {"a b/r&c.img", "ends\\"}) {
        SCOPED_TRACE(name);
        cmdtest::Sandbox box;
        box.fakeTool("fastboot", "Finished.\n");
        box.fakeTool("c.img", "");  // what a split at "&" would start
        const std::string path = box.root + "/" + name;
        cmdtest::writeFile(path, "IMG");
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
        host.started.clear();
        ASSERT_TRUE(host.dropOn(w.recc, w.recc->rect().center(), mime));
        ASSERT_EQ(host.started.size(), 1u);
        const QString line = host.started[0].line;
        ASSERT_TRUE(line.startsWith(QStringLiteral("cmd "))) << line.toStdString();
        // The interpreter gets the rest of the line as its one argument.
        const Outcome o = box.run({line.mid(4).toStdString()});
        EXPECT_FALSE(o.timedOut);
        EXPECT_EQ(box.calls("fastboot"), (Calls{{"flash", "system", path}}));
        EXPECT_TRUE(box.calls("c.img").empty());
        EXPECT_EQ(o.out.find("不是内部或外部命令"), std::string::npos) << o.out;
        EXPECT_NE(o.out.find("刷入完成！"), std::string::npos) << o.out;
    }
    rt::App::setPath({});
}

}  // namespace
