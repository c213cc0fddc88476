#!/usr/bin/env python3
"""The built pellork on the real X server, used from outside: the splash
with its detection of a fake phone (a phone of the vendor, another maker's,
none, and a skipped detection), the main window's controls, and the windows
it opens, with what reaches the fake tools once the built interpreter has
split the line.

    pellork_e2e.py PELLORK CMD FORMS_FOLDER
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import driver as d  # noqa: E402
from driver import MINIMIZED as M, Box, Row, adb, opener  # noqa: E402

APP = "Pellork"
SPLASH = "ADB"
CAPTION = "Pellork_Mi 第四代免Root搞机工具 酷安@Halvern 【已连接小米设备: TestPhone】"
OTHER_CAPTION = "Pellork 第四代免Root搞机工具 酷安@Halvern 【已连接设备: TestPhone】"
SKIPPED_CAPTION = "Pellork_Mi 第四代免Root搞机工具 酷安@Halvern 【已跳过设备检测】"
SIDE = (660, 0)  # beside the main window
MARKET = "https://www.coolapk.com/"


def phone(maker="Xiaomi", model="TestPhone"):
    """The fake adb's answers, as a phone gives them."""
    return "\n".join([
        '  "shell getprop ro.product.model") echo %s ;;' % model,
        '  "shell getprop ro.product.manufacturer") echo %s ;;' % maker,
        '  "shell wm density") echo "Physical density: 440" ;;',
        '  "shell wm size") echo "Physical size: 1080x2340" ;;'])


START_UP = [adb(M, "start-server")] + [
    adb(M, q) for q in ("shell getprop ro.product.model", "shell getprop ro.product.manufacturer",
                        "shell wm density", "shell wm size")]

DISPLAY_WARNING = Box("警告!", "如遇界面异常请点击恢复按钮！")
OPENED = Box("提示", "已开启！请查看手机！\r\n受限于硬件和ROM不同，若没有成功开启说明设备不受支持。")
CONSENT = "警告！"
REFUSED = Box("警告!", "用户取消了操作！")
ON_PHONE = Box("提示", "已跳转至酷安手机端相应界面，请查看手机！")

GOOGLE = ["com.google.android.gsf", "com.android.vending", "com.google.android.backuptransport",
          "com.google.android.gms", "com.google.android.googlequicksearchbox",
          "com.android.chrome", "com.google.android.apps.tachyon", "com.google.android.videos",
          "com.google.android.apps.maps", "com.google.android.apps.photos",
          "com.google.android.apps.docs", "com.google.android.gm", "com.google.android.youtube",
          "com.google.android.music"]
VENDOR = ["com.miui.voiceassist", "com.sohu.inputmethod.sogou.xiaomi",
          "com.android.quicksearchbox", "com.miui.video", "com.miui.systemAdSolution",
          "com.xiaomi.ab", "com.miui.analytics", "com.miui.bugreport", "com.xiaomi.gamecenter",
          "com.duokan.reader"]


def am_start(component):
    return adb(M, "shell am start " + component)


def market_page(page):
    return adb(M, ["shell", "am", "start", "-a", "android.intent.action.VIEW", "-d", page,
                   "-p", "com.coolapk.market"])


MAIN_ROWS = [
    Row("DPIYES", adb(M, "shell wm density 400"), typed=[("DPIVAL", "400")],
        boxes=[DISPLAY_WARNING]),
    Row("DPINUL", adb(M, "shell wm density reset")),
    Row("RESOK", adb(M, "shell wm size 720x1600"), typed=[("HOR", "720"), ("VER", "1600")],
        boxes=[DISPLAY_WARNING]),
    Row("N_ShapeRESET", adb(M, "shell wm size reset")),
    Row("WINSOK", adb(M, "shell settings put global window_animation_scale 0.5"),
        adb(M, "shell settings put global transition_animation_scale 0"),
        adb(M, "shell settings put global animator_duration_scale 1.5"),
        typed=[("WINS", "0.5"), ("DURAS", ""), ("PROGS", "1.5")]),
    Row("N_Shape2battper", adb(M, "shell dumpsys battery set level 50"),
        typed=[("Text6bat", "50")]),
    Row("nocharge", adb(M, "shell dumpsys battery set status 1"), label="nocharge ticked"),
    Row("nocharge", adb(M, "shell dumpsys battery reset"), label="nocharge cleared"),
    Row("N_Shaperotate0", adb(M, "shell dumpsys battery reset")),
    Row("N_Shapehide", adb(M, "shell settings put secure icon_blacklist rotate,airplane,bluetooth,"),
        before=["CheckButtonAIR", "CheckButtonBT"]),
    Row("N_Shape1test", am_start("com.miui.cit/com.miui.cit.CitLauncherActivity"),
        boxes=[Box(CONSENT, typed="青石桥"), OPENED], label="N_Shape1test with the phrase"),
    Row("N_Shape1TEST2", boxes=[Box(CONSENT, typed="青石"), REFUSED],
        label="N_Shape1TEST2 with a wrong phrase"),
    Row("N_Shape1fing", boxes=[Box(CONSENT, button="Cancel"), REFUSED],
        label="N_Shape1fing cancelled"),
    Row("N_Shape1ultimate",
        am_start("com.miui.powerkeeper/com.miui.powerkeeper.ui.ExtremePowerEntryActivity"),
        boxes=[OPENED]),
    Row("N_Shape1miuixn",
        am_start("com.android.settings/com.android.settings.fuelgauge.PowerModeSettings"),
        boxes=[OPENED]),
    Row("N_Shape1oribat",
        am_start("com.android.settings/com.android.settings.fuelgauge.PowerUsageSummary"),
        boxes=[OPENED]),
    Row("blockgoogle", *[adb(M, "shell pm disable-user " + p) for p in GOOGLE], before=["all"],
        label="blockgoogle with all ticked"),
    Row("enablegoogle", *[adb(M, "shell pm enable " + p) for p in GOOGLE]),
    Row("blockgoogle", before=["all"], label="blockgoogle with none ticked"),
    Row("blockmi", *[adb(M, "shell pm disable-user " + p) for p in VENDOR], before=["miall"],
        label="blockmi with all ticked"),
    Row("enablemi", *[adb(M, "shell pm enable " + p) for p in VENDOR]),
]

# The windows the main window opens: its button, their caption, design, rows.
WINDOWS = [
    ("N_Shape1about", "关于", "About", [
        Row("blockmi", market_page(MARKET), boxes=[ON_PHONE]),
        *[Row(n, market_page(MARKET), boxes=[ON_PHONE])
          for n in ("Label10", "Label5", "Label7", "Label8", "Label9")],
        Row("N_Shape1", opener(MARKET)),
    ]),
    ("N_Shape1boot", "支持作者", "DonatION", [
        Row("Label1", shows="软件不设高级版、捐赠版。无论您是否捐赠都可以使用全部功能。 谢谢支持！",
            label="the thanks are shown"),
    ]),
]


def main():
    d.ensure_bus(sys.argv)
    pellork, cmd, forms = sys.argv[1:4]
    bus = d.start_accessibility_bus()
    results = d.Results()
    folders = []

    def start(answers):
        folder = d.Folder(pellork, cmd, answers)
        folders.append(folder)
        return d.Program(folder, APP, forms)

    try:
        d.park_pointer()
        vendor_phone(results, start)
        other_maker(results, start)
        no_phone(results, start)
        skipped(results, start)
    finally:
        d.stop_all(folders, bus)
    results.exit()


def vendor_phone(results, start):
    p = start(phone())
    main_window = None

    def detects():
        nonlocal main_window
        p.window(SPLASH)
        main_window = p.window(CAPTION)
        p.gone(SPLASH)
        d.expect_calls(p.folder, {t: 0 for t in p.folder.LOGS}, START_UP, "the detection")
        for label in ("原始DPI:     440", "原始分辨率: 1080x2340"):
            d.wait(lambda: d.named(main_window, label), "the label %r" % label, 5)
    results.check("Start / a phone of the vendor is detected and named", detects)
    if main_window is None:
        p.stop()
        return
    d.run_rows(results, p, "Form1", main_window, MAIN_ROWS, "Form1")
    for button, caption, form, rows in WINDOWS:
        window = None

        def opens(button=button, caption=caption):
            nonlocal window
            p.click(main_window, "Form1", button)
            window = p.open_at(caption, *SIDE)
        results.check("%s / opened by %s" % (form, button), opens)
        if window is None:
            continue
        d.run_rows(results, p, form, window, rows, form)
        d.close_window(caption)
        p.gone(caption)

    def ends():
        p.click(main_window, "Form1", "N_Shape1about")
        p.window("关于")
        d.close_window(CAPTION)
        assert p.ended() == 0
    results.check("Form1 / closing it ends the program, the other windows with it", ends)
    p.stop()


def other_maker(results, start):
    def one():
        p = start(phone(maker="Samsung"))
        p.answer("提示", "检测到非小米设备，部分功能不可用！")
        p.window(OTHER_CAPTION)
        p.gone(SPLASH)
        d.expect_calls(p.folder, {t: 0 for t in p.folder.LOGS}, START_UP, "the detection")
        p.stop()
    results.check("Start / another maker's phone: told, then the main window", one)


def no_phone(results, start):
    def one():
        p = start("")
        p.window(SPLASH)
        p.answer("提示", "未检测到设备， 软件将自动关闭！\r\n请确定:\r\n1.开发者选项中的USB调试已经打开并授权 "
                       "\r\n2.驱动正常安装\r\n3.更换电脑重试\r\n4.如果你认为设备连接正常，请点击跳过启动按钮！")
        assert p.ended() == 0
        d.expect_calls(p.folder, {t: 0 for t in p.folder.LOGS}, START_UP, "the detection")
    results.check("Start / no phone: told, then the program ends", one)


def skipped(results, start):
    """The splash's two links, used before the detection has ended."""
    p = start("")
    splash = None

    def driver_link():
        nonlocal splash
        splash = p.window(SPLASH)
        d.wait(lambda: d.extents(splash)[2] > 500, "the splash to grow")
        d.expect_calls(p.folder, {t: 0 for t in p.folder.LOGS}, START_UP[:1], "the server start")
        mark = p.folder.mark()
        p.click(splash, "Start", "Label3")
        d.expect_calls(p.folder, mark, [
            opener("https://dl.google.com/android/repository/usb_driver_r13-windows.zip")],
            "Label3", timeout=3)
    results.check("Start / Label3 opens the driver download", driver_link)

    def skip():
        p.click(splash, "Start", "Label2")
        p.answer("警告！", "已跳过设备检测！\r\n若各项功能无效请在启动界面下载安装驱动重试！")
        p.window(SKIPPED_CAPTION)
        p.gone(SPLASH)
    if splash is not None:
        results.check("Start / Label2 skips the detection", skip)
    p.stop()


if __name__ == "__main__":
    main()
