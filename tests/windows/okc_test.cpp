// The reboot and flashing window on the recording host: the fixed reboot,
// fastboot and script lines, the web link, the partition choice with its
// custom name box, and flashing by drop with the path quoted, its order
// around the recovery wait, and the drops and names that start nothing.
#include "tessadrel/okc.h"

#include <QMimeData>
#include <QUrl>

#include "common/commandrunner.h"
#include "controls/optionbutton.h"
#include "panel.h"

namespace {

using paneltest::hidden;
using tessadrel::Form1;
using tessadrel::OKC;
using Journal = std::vector<QString>;

const QString kPath = QStringLiteral("/media/u/img/r.img");
const QString kQuoted = u'"' + kPath + u'"';

QString console(const QString& command, const QString& tail) {
    return QStringLiteral("shell 1: cmd /k ") + command + tail;
}
QString warning(const QString& text) {
    return QStringLiteral("box 48 提示: ") + text;
}

struct OKCTest : paneltest::PanelTest<OKC> {
    OKCTest() : PanelTest(&Form1::Image19) {}

    void drop(const QMimeData& mime) {
        ASSERT_TRUE(host.dropOn(w->recc, w->recc->rect().center(), mime));
    }
    void dropFiles(const QStringList& paths) {
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
        mime.setUrls(urls);
        drop(mime);
    }
    // The journal of one drop of kPath with a partition chosen by the mouse.
    Journal flashWith(controls::OptionButton* choice) {
        clickOn(choice);
        host.journal.clear();
        dropFiles({kPath});
        return host.journal;
    }
};

TEST_F(OKCTest, OpensWithRecoveryChosenTheNameBoxHiddenAndItsCaptions) {
    EXPECT_EQ(w->Caption(), QStringLiteral("刷机功能合集"));
    expectPlaced({
        {"Frame1rec", "", "Fastboot线刷"},
        {"Label6ml22h", "Frame1rec",
         "确保设备已解锁，并处于Fastboot模式。先从右侧选择分区，再将相应镜像文件拖入左框内即可自动"
         "操作！"},
        {"recc", "Frame1rec", ".img"},
        {"Framefq1", "Frame1rec", "分区选择"},
        {"N_Shapetefb1", "Frame1rec", "检测FB设备"},
        {"N_Shaperebfb", "Frame1rec", "重启至系统(FB模式下)"},
        {"N_Shape1", "Frame1rec", "下载TWRP Rec"},
        {"Fra23me1", "", "激活脚本"},
        {"SHIZUKU", "Fra23me1", "SHIZUKU 激活"},
        {"ACTHY", "Fra23me1", "黑阈激活"},
        {"YJML", "", "重启到指定模式"},
        {"REC", "YJML", "Recovery"},
        {"EDL", "YJML", "EDL (9008) "},
        {"FB", "YJML", "Fastboot(BL)"},
        {"DOWNLOAD", "YJML", "Download(挖煤)"},
        {"Labelappr", "", "Label1"},
    });
    const std::pair<controls::OptionButton*, const char*> options[] = {
        {w->recf, "Recovery"}, {w->sysf, "System"}, {w->perf, "Persist"},
        {w->botf, "Boot"},     {w->zdyf, "自定义"},
    };
    for (const auto& [option, caption] : options) {
        EXPECT_EQ(option->Caption(), QString::fromUtf8(caption));
        EXPECT_EQ(option->parentWidget(), w->ctl<QWidget>(QStringLiteral("Framefq1")));
        EXPECT_EQ(option->Value(), option == w->recf) << caption;
    }
    EXPECT_FALSE(w->Textzdy->Visible());
    EXPECT_TRUE(w->Textzdy->Text().isEmpty());
    EXPECT_TRUE(w->recc->acceptDrops());
    // The path's label lies beyond what the window shows.
    EXPECT_FALSE(w->rect().intersects(w->Labelappr->geometry()));
    expectTileShowsTheSameWindow();

    clickOn(w->zdyf);
    EXPECT_TRUE(w->Textzdy->Visible());
    clickOn(w->sysf);
    EXPECT_FALSE(w->Textzdy->Visible());
    clickOn(w->zdyf);
    clickOn(w->botf);
    EXPECT_FALSE(w->Textzdy->Visible());
    EXPECT_TRUE(host.journal.empty());
}

TEST_F(OKCTest, EachButtonStartsItsLineWithItsStyle) {
    const struct {
        const char* button;
        const char* command;
        QString entry;
    } rows[] = {
        {"REC", "adb reboot recovery", hidden(QStringLiteral("adb reboot recovery"))},
        {"EDL", "adb reboot edl", hidden(QStringLiteral("adb reboot edl"))},
        {"FB", "adb reboot bootloader", hidden(QStringLiteral("adb reboot bootloader"))},
        {"DOWNLOAD", "adb reboot download", hidden(QStringLiteral("adb reboot download"))},
        {"N_Shaperebfb", "fastboot reboot", hidden(QStringLiteral("fastboot reboot"))},
        {"N_Shapetefb1", "fastboot devices",
         QStringLiteral("shell 1: cmd /k  fastboot devices&& COLOR 3f && echo. && echo "
                        "按任意键关闭此窗口... && pause>null && EXIT")},
        {"SHIZUKU", "adb shell sh /sdcard/Android/data/moe.shizuku.privileged.api/files/start.sh",
         QStringLiteral("shell 1: cmd /k adb shell sh "
                        "/sdcard/Android/data/moe.shizuku.privileged.api/files/start.sh")},
        {"ACTHY", "adb -d shell sh /data/data/me.piebridge.brevent/brevent.sh",
         QStringLiteral(
             "shell 1: cmd /k adb -d shell sh /data/data/me.piebridge.brevent/brevent.sh")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.button);
        host.journal.clear();
        click(row.button);
        EXPECT_EQ(host.journal, Journal{row.entry});
        EXPECT_EQ(commandBox(), QString::fromUtf8(row.command));
    }

    host.journal.clear();
    click("N_Shape1");
    EXPECT_EQ(host.opened, std::vector<QString>{QStringLiteral("https://twrp.me/Devices/")});
    EXPECT_TRUE(host.journal.empty());
}

TEST_F(OKCTest, ADroppedImageIsFlashedQuotedOntoTheChosenPartition) {
    const struct {
        controls::OptionButton* OKC::*choice;
        const char* name;  // typed into the custom box
        const char* command;
    } rows[] = {
        {&OKC::sysf, "", "fastboot flash system "},
        {&OKC::perf, "", "fastboot flash persist "},
        {&OKC::botf, "", "fastboot flash boot "},
        {&OKC::zdyf, "vendor_boot", "fastboot flash vendor_boot "},
        {&OKC::zdyf, "", "fastboot flash  "},
        {&OKC::zdyf, "boot&x", "fastboot flash boot^&x "},
        {&OKC::zdyf, "boot --slot a", "fastboot flash boot --slot a "},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.command);
        w->Labelappr->setCaption(QStringLiteral("Label1"));
        w->Textzdy->setText(QString::fromUtf8(row.name));
        const QString command = QString::fromUtf8(row.command) + kQuoted;
        EXPECT_EQ(flashWith(w->*row.choice), Journal{console(command, common::kFlashTail)});
        EXPECT_EQ(w->Labelappr->Caption(), kPath);
        EXPECT_EQ(commandBox(), command);
    }
}

TEST_F(OKCTest, ARecoveryImageIsFlashedThenBootedAfterTheWait) {
    EXPECT_EQ(
        flashWith(w->recf),
        (Journal{
            console(QStringLiteral("fastboot flash recovery ") + kQuoted, common::kRecoveryTail),
            QStringLiteral("sleep 4500"), hidden(QStringLiteral("fastboot boot ") + kQuoted)}));
    EXPECT_EQ(commandBox(), QStringLiteral("fastboot boot ") + kQuoted);
    EXPECT_EQ(w->Labelappr->Caption(), kPath);
}

TEST_F(OKCTest, ARecoveryImageWhoseFlashCouldNotStartIsNotBooted) {
    host.noTerminal = true;
    const size_t started = host.started.size();
    const Journal journal = flashWith(w->recf);
    ASSERT_EQ(journal.size(), 1u);
    EXPECT_TRUE(journal[0].startsWith(QStringLiteral("box 48 "))) << journal[0].toStdString();
    EXPECT_TRUE(journal[0].contains(QStringLiteral("xterm")));
    EXPECT_EQ(host.started.size(), started);
}

TEST_F(OKCTest, OnlyTheFirstFileIsFlashedAndADropWithoutFilesStartsNothing) {
    clickOn(w->sysf);
    dropFiles({kPath, QStringLiteral("/media/u/img/b.img"), QStringLiteral("/media/u/img/c.img")});
    EXPECT_EQ(host.journal, Journal{console(QStringLiteral("fastboot flash system ") + kQuoted,
                                            common::kFlashTail)});

    host.journal.clear();
    QMimeData text;
    text.setText(QStringLiteral("/media/u/img/other.img"));
    drop(text);
    QMimeData link;
    link.setUrls({QUrl(QStringLiteral("https://example.com/r.img"))});
    drop(link);
    EXPECT_TRUE(host.journal.empty());
    EXPECT_EQ(w->Labelappr->Caption(), kPath);
}

TEST_F(OKCTest, PathsNamesAndFilesThatCannotBeCarriedAreReportedAndStartNothing) {
    const QString path = QStringLiteral("文件路径含有双引号、百分号或换行，无法刷入！");
    const QString name = QStringLiteral("分区名含有双引号，无法刷入！");
    const struct {
        controls::OptionButton* OKC::*choice;
        const char* typed;
        const char* dropped;
        QString message;
    } rows[] = {
        {&OKC::sysf, "", "/tmp/a\"b.img", path},
        {&OKC::recf, "", "/tmp/100%.img", path},
        {&OKC::zdyf, "boot", "/tmp/line\nbreak.img", path},
        {&OKC::zdyf, "boot\" x", "/tmp/r.img", name},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.dropped);
        w->Labelappr->setCaption(QStringLiteral("kept"));
        w->Textzdy->setText(QString::fromUtf8(row.typed));
        clickOn(w->*row.choice);
        host.journal.clear();
        dropFiles({QString::fromUtf8(row.dropped)});
        EXPECT_EQ(host.journal, Journal{warning(row.message)});
        EXPECT_EQ(w->Labelappr->Caption(), QStringLiteral("kept"));
    }

    // A file on a share the desktop has not mounted, before a local one.
    clickOn(w->recf);
    for (const char* address : {"smb://nas/img/r.img", "file://nas/img/r.img"}) {
        SCOPED_TRACE(address);
        host.journal.clear();
        QMimeData shared;
        shared.setUrls({QUrl(QString::fromUtf8(address)), QUrl::fromLocalFile(kPath)});
        drop(shared);
        EXPECT_EQ(host.journal, Journal{warning(QStringLiteral(
                                    "该文件位于尚未挂载的网络位置，无法刷入！请先将它复制到本机，"
                                    "再拖入此框。"))});
        EXPECT_EQ(w->Labelappr->Caption(), QStringLiteral("kept"));
    }
}

}  // namespace
