#include "commandrunner.h"

#include "runtime/convert.h"
#include "runtime/services.h"

namespace common {

const QString kStartupTail = QStringLiteral(
    " && COLOR 3f  && title 设备连接检测结果 && echo   "
    "****************************************************************** && echo.  *"
    "                                                                * && echo   *   "
    "1.device前显示设备序列号即表示连接成功，软件才可正常使用！   * && echo   *   "
    "2.若连接不到设备，请在帮助界面下载驱动或更换电脑。           * && echo   *   "
    "3.连接问题属于个人设备问题，不接受反馈。                     * && echo.  *"
    "                                                                * && echo.  "
    "****************************************************************** && echo.  && echo. "
    "&& echo 按任意键关闭此窗口... && pause>null && EXIT");

const QString kInstallTail = QStringLiteral(
    " && COLOR 3f  && title 安装结果 && echo. && echo.出现 Success表示安装完成！ && echo.  && "
    "echo. && echo 按任意键关闭此窗口... && pause>null && EXIT");

const QString kDevicesTail =
    QStringLiteral("&& COLOR 3f && echo. && echo 按任意键关闭此窗口... && pause>null && EXIT");

const QString kRecoveryTail = QStringLiteral(
    "&& COLOR 3f && echo. && echo 刷入完成！&& echo "
    "手机可能会重启一到两次后自动进入rec，为正常现象！"
    "&& echo. && echo 按任意键关闭此窗口... && pause>null && EXIT");

const QString kFlashTail = QStringLiteral(
    "&& COLOR 3f && echo. && echo 刷入完成！&& echo. && echo 按任意键关闭此窗口... && pause>null "
    "&& "
    "EXIT");

bool runThroughBox(rt::TextBox& box, const QString& command, const QString& prefix,
                   const QString& tail, int style) {
    box.setText(command);
    // The line is built from what the box holds, not from the argument: a
    // Change handler of the box may have rewritten it.
    const QString line = prefix + box.Text() + tail;
    // Shell's task number is 0 for a line that did not start.
    return rt::Shell(line, style) != 0;
}

bool runHidden(rt::TextBox& box, const QString& command) {
    return runThroughBox(box, command, kRunPrefix, {}, kHidden);
}

bool runInConsole(rt::TextBox& box, const QString& command, const QString& tail) {
    return runThroughBox(box, command, kConsolePrefix, tail, kNormal);
}

bool runMinimized(rt::TextBox& box, const QString& command, const QString& prefix) {
    return runThroughBox(box, command, prefix, {}, kMinimized);
}

void startDirectly(const QString& line, int style) {
    rt::Shell(line, style);
}

void openWebLink(const QString& address) {
    auto shell = rt::CreateObject(QStringLiteral("wscript.shell"));
    shell->call(QStringLiteral("run"), {address});
}

bool openMarketPage(rt::TextBox& box, const QString& pageAddress, int style) {
    const QString command = QStringLiteral("adb shell am start -a android.intent.action.VIEW -d ") +
                            pageAddress + QStringLiteral(" -p com.coolapk.market");
    return runThroughBox(box, command, kRunPrefix, {}, style);
}

QString numberFromBox(const rt::TextBox& box) {
    return rt::numberText(rt::Val(box.Text()));
}

double wholeNumberFromBox(const rt::TextBox& box) {
    return rt::roundHalfEven(rt::Val(box.Text()));
}

}  // namespace common
