#!/usr/bin/env python3
"""The built tessadrel on the real X server, used from outside: every window
its tiles open, every control that starts something, with what reaches the
fake tools once the built interpreter has split the line.

    tessadrel_e2e.py TESSADREL CMD DRAG_SOURCE FORMS_FOLDER
"""
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import driver as d  # noqa: E402
from driver import CONSOLE as C, HIDDEN as H, MINIMIZED as M, Box, Row, adb, call, fastboot, opener  # noqa: E402,F401

MAIN = "Morvane 第六代免ROOT搞机神器   酷安@Halvern"
TITLE = "Tessadrel"
PANEL_AT = (0, 330)  # below the main window, which stays at the top left
MARKET = "https://www.coolapk.com/"


def market_page(style, page):
    return adb(style, ["shell", "am", "start", "-a", "android.intent.action.VIEW", "-d", page,
                       "-p", "com.coolapk.market"])


WARNING = Box("警告!", "部分魔改ROM可能没有效果！\r\n如遇界面异常请点击恢复按钮！")
ON_PHONE = Box("提示", "已跳转至酷安手机端相应界面，请查看手机！")
DONE = call("xterm", C, ["{cmd}", "/k echo 操作完成！请自行检查！ "])

GOOGLE = ["com.google.android.gsf", "com.android.vending", "com.google.android.backuptransport",
          "com.google.android.gms", "com.google.android.googlequicksearchbox",
          "com.google.android.apps.tachyon", "com.google.android.videos",
          "com.google.android.apps.maps", "com.google.android.apps.photos",
          "com.google.android.apps.docs", "com.google.android.gm", "com.google.android.music"]


def keys(*pairs):
    return [Row(name, adb(H, "shell input keyevent %s" % code)) for name, code in pairs]


# Per window: the tile that opens it (the accessible name of the picture),
# its caption, its design data, and its rows in the order they are used.
WINDOWS = [
    ("屏幕显示调节", "显示操作(Windows Manager)", "Navigation", [
        Row("BORDEROK", adb(H, "shell wm overscan 10,-5,2.5,7"),
            typed=[("LB", "10"), ("UB", "-5"), ("RB", "2.5"), ("DB", "7x")]),
        Row("BORDERST", adb(H, "shell wm overscan 0,0,0,0")),
        Row("DPIYES", adb(H, "shell wm density 440"), typed=[("DPIVAL", "440")], boxes=[WARNING]),
        Row("DPINUL", adb(H, "shell wm density reset")),
        Row("RESOK", adb(H, "shell wm size 1080x2340"),
            typed=[("HOR", "1080"), ("VER", "2340")], boxes=[WARNING]),
        Row("N_ShapeRESET", adb(H, "shell wm size reset")),
    ]),
    ("状态与导航栏", "状态栏操作", "Status", [
        Row("N_Shape2battper", adb(H, "shell dumpsys battery set level 55"),
            typed=[("Text10battper", "55")]),
        Row("N_Shape3_BATTINFO", adb(C, "shell dumpsys battery")),
        Row("N_Shape4_reset", adb(H, "shell dumpsys battery reset")),
        Row("Option3wirelesscharge", adb(H, "shell dumpsys battery set wireless 1")),
        Row("Option4usbcharge", adb(H, "shell dumpsys battery set usb 1")),
        Row("Option5acchagre", adb(H, "shell dumpsys battery set ac 1")),
        Row("Option6shownocharge", adb(H, "shell dumpsys battery set status 1")),
        Row("Option1showcharge", adb(H, "shell dumpsys battery set status 2")),
        Row("MIUIC", adb(H, ["shell", "settings put global captive_portal_https_url "
                                      "http://connect.rom.miui.com/generate_204"]),
            boxes=[Box(TITLE, "请开关飞行模式以验证是否成功！")]),
        Row("N_Shape2cpon", adb(H, "shell settings put global captive_portal_detection_enabled 1")),
        Row("N_Shape3cpoff", adb(H, "shell settings put global captive_portal_detection_enabled 0")),
        Row("N_Shape2default", adb(H, "shell settings delete global captive_portal_server")),
        Row("STATUSBAR", adb(H, "shell settings put global policy_control immersive.status=*"),
            label="STATUSBAR for every app"),
        Row("STATUSBAR", adb(H, "shell settings put global policy_control "
                                "immersive.status=apps,-com.a,com.b"),
            typed=[("Text10noncj", "com.a,com.b")], label="STATUSBAR but for two apps"),
        Row("NAVIBAR", adb(H, "shell settings put global policy_control "
                              "immersive.navigation=apps,-com.x"), typed=[("Text10noncjn", "com.x")]),
        Row("INIBAR", adb(H, "shell settings put global policy_control null")),
        Row("N_Shapedefaut", adb(H, "shell settings put global policy_control null")),
        Row("N_Shape2absimmr", market_page(H, "https://www.coolapk.com/feed/21564739"),
            boxes=[Box(TITLE, "已跳转至酷安手机端相应教程，请查看手机！")]),
        Row("N_Shape2notice", boxes=[Box(TITLE)]),
        Row("N_Shape2notesofhidenav", boxes=[Box(TITLE)]),
        Row("N_Shapehide", adb(H, "shell settings put secure clock_seconds 0"),
            adb(H, "shell settings put secure icon_blacklist rotate,volume,wifi,"),
            before=["CheckButtonZEN", "CheckButtonWLAN"]),
        Row("N_Shapehide", adb(H, "shell settings put secure clock_seconds 1"),
            adb(H, "shell settings put secure icon_blacklist rotate,"),
            before=["CheckButtonZEN", "CheckButtonWLAN", "CheckButtonsec"],
            label="N_Shapehide with every box cleared"),
        Row("QSNUM", adb(H, "shell settings put secure sysui_qqs_count 6"), typed=[("QSNUMS", "6")]),
        Row("N_Shape3drdc", adb(H, "shell settings put secure sysui_qs_fancy_anim 0")),
        Row("N_Shape2py", adb(H, "shell settings delete secure sysui_qs_fancy_anim")),
        Row("N_Shapedq", adb(H, "shell settings put secure sysui_rounded_content_padding 8"),
            typed=[("Textdq", "8")]),
        Row("N_Shapedqhf", adb(H, "shell settings delete secure sysui_rounded_content_padding")),
    ]),
    ("无极调节", "无极调节", "PhoneArea", [
        Row("N_Shape2battper", adb(H, "shell settings put system font_scale 1.15"),
            typed=[("Text6bat", "1.15")]),
        Row("WINSOK", adb(H, "shell settings put global window_animation_scale 0.5"),
            typed=[("WINS", "0.5")]),
        Row("DURASOK", adb(H, "shell settings put global transition_animation_scale 0"),
            typed=[("DURAS", "")]),
        Row("PROGSOK", adb(H, "shell settings put global animator_duration_scale 1"),
            typed=[("PROGS", "1")]),
    ]),
    ("物理按键模拟", "按键模拟(Keyevent)", "keysimu", keys(
        ("N_Shapetop", 19), ("N_Shapedown", 20), ("N_Shapeleft", 21), ("N_Shaperight", 22),
        ("Enter", 66), ("N_Shape4", 4), ("BACKWARD", 4), ("HOMEWARD", 3), ("MEUNWARD", 187),
        ("LOCKSCR", 26), ("VOLUP", 24), ("VOLDOWN", 25), ("MUTE", 164), ("N_Shapeprev", 88),
        ("N_Shapenex", 87), ("N_Shapepaus", 86)) + [
        Row("N_Shapesendd", adb(H, ["shell", "input", "text", "hello", "a&b", "x y"]),
            typed=[("Textsend", 'hello a&b "x y"')]),
        Row("N_Shapesendd", adb(H, "shell input text"), before=["N_Shape6clear"],
            label="N_Shapesendd after N_Shape6clear"),
    ]),
    ("触摸模拟", "触摸模拟", "touchsimu", [
        Row("SWIPEGO", *[adb(H, "shell input swipe 100 200 100 200 1")] * 3,
            typed=[("X1", "100"), ("Y1", "200"), ("DURA", "1"), ("Textcishu", "3"),
                   ("Textdely", "80")], label="SWIPEGO taps three times"),
        Row("SWIPEGO", adb(H, "shell input swipe 100 200 100 200 1"),
            typed=[("Textcishu", "1"), ("Textdely", "50")],
            boxes=[Box("警告!", "小于80毫秒会出现命令堵塞，导致无法停止、执行顺序错乱等严重问题！")],
            label="SWIPEGO below the floor"),
        Row("SWIPEGO", *[adb(H, "shell input swipe 540 1600 540 600 50")] * 2,
            before=["OPTSWI"],
            typed=[("X1", "540"), ("Y1", "1600"), ("X2", "540"), ("Y2", "600"), ("DURA", "50"),
                   ("Textcishu", "2")], label="SWIPEGO swipes twice"),
        Row("SWIPEGO", adb(H, "shell input swipe 540 1600 540 1600 1"),
            adb(H, "shell input swipe 540 600 540 600 1"),
            before=["TM"], typed=[("Textcishu", "1")],
            label="SWIPEGO with the two-point preset"),
        Row("SWIPEGO", adb(H, "shell input swipe 540 600 540 600 1"),
            adb(H, "shell input swipe 540 1600 540 1600 1"),
            before=["cha"], label="SWIPEGO with the points swapped"),
        Row("SWIPEGO", adb(H, "shell input swipe 540 600 540 600 1"),
            before=["NMM"], typed=[("Textcishu", "1")], label="SWIPEGO with the normal preset"),
    ]),
    ("软件与传输", "软件操作", "Software", [
        # The road of one request: a package typed, one click, one call.
        Row("FREEZE", adb(C, "shell pm disable-user com.example.app"),
            typed=[("APPText5", "com.example.app")]),
        Row("UNFREEZE", adb(C, "shell pm enable com.example.app")),
        Row("CLCDATA", adb(C, "shell pm clear com.example.app")),
        Row("N_Shaunspe1", adb(C, "shell pm uninstall --user 0 com.x&y"),
            typed=[("APPText5", "--user 0 com.x&y")]),
        Row("SHOWBANPKGS", adb(C, "shell pm list packages -d")),
        Row("N_Shapeqqq", adb(C, "shell dumpsys window windows")),
        Row("N_Shape2fc"),
        Row("blockgoogle", adb(M, "shell pm disable-user " + GOOGLE[0]),
            call("xterm", M, ["{cmd}", "/k adb shell pm disable-user " + GOOGLE[0]]),
            *[adb(H, "shell pm disable-user " + p) for p in GOOGLE[1:]], DONE,
            before=["all"], label="blockgoogle with all ticked"),
        Row("enablegoogle", *[adb(H, "shell pm enable " + p) for p in GOOGLE], DONE),
        Row("blockgoogle", DONE, before=["all"], label="blockgoogle with none ticked"),
    ]),
    ("帮助支持", "帮助支持", "Help", [
        Row("V3", opener(MARKET)),
        Row("INTRO2", shows="2.确保正确安装ADB驱动，二选一即可。"),
        Row("DOWNOLD1", opener("https://developer.android.com/studio/run/device")),
        Row("DOWNLOAD2", opener("https://developer.android.com/tools/releases/platform-tools")),
        Row("INTRO3", shows="Q：出现“由于某个应用遮挡了权限请求界面...”或“Because an app is obscuring...”"),
        Row("INTRO1", shows="*对于Android版本5.0以下以及部分魔改Rom，部分功能可能不受支持！"),
    ]),
    ("捐赠作者", "支持作者", "DonatION", [
        Row("Label1", shows="软件不设高级版、捐赠版。无论您是否捐赠都可以使用全部功能。 谢谢支持！",
            label="the thanks are shown"),
    ]),
    ("关于软件/更新", "关于", "About", [
        Row("N_Shape1", opener(MARKET)),
        Row("Label4", opener(MARKET)),
        Row("Label10", opener("https://fonts.google.com/icons")),
        Row("Label13", opener("https://source.android.com/")),
        Row("Label14", opener("https://developer.android.com/tools/adb")),
    ] + [Row(n, market_page(H, MARKET), boxes=[ON_PHONE])
         for n in ("Label6", "Label8", "Label15", "Label16", "Label7", "Label9", "Label5")]),
    ("线刷专区", "刷机功能合集", "OKC", [
        Row("REC", adb(H, "reboot recovery")),
        Row("EDL", adb(H, "reboot edl")),
        Row("FB", adb(H, "reboot bootloader")),
        Row("DOWNLOAD", adb(H, "reboot download")),
        Row("N_Shaperebfb", fastboot(H, "reboot")),
        Row("N_Shapetefb1", fastboot(C, "devices")),
        Row("SHIZUKU", adb(C, "shell sh /sdcard/Android/data/moe.shizuku.privileged.api/files/start.sh")),
        Row("ACTHY", adb(C, "-d shell sh /data/data/me.piebridge.brevent/brevent.sh")),
        Row("N_Shape1", opener("https://twrp.me/Devices/")),
    ]),
]

MAIN_ROWS = [
    Row("Image1", call("xterm", C, ["{cmd}", '/k "']), accessible="ADB/FB命令行"),
    Row("N_Shapeegg", boxes=[Box("彩蛋", "嘤嘤嘤~")]),
    Row("Image16", adb(H, "shell /system/bin/screencap -p /sdcard/screen.png"),
        adb(H, "pull /sdcard/screen.png"), adb(H, "shell rm /sdcard/screen.png"),
        opener("{dir}/screen.png"), accessible="截屏推送", timeout=20,
        label="Image16 takes, pulls, opens and removes a screenshot"),
]

PHONE = "  'pull /sdcard/screen.png') : > screen.png ;;"


def resolve(rows, folder):
    """The interpreter's path, where a console's arguments name it."""
    for row in rows:
        row.calls = [(t, s, [a.replace("{cmd}", folder.file("cmd")).replace("{dir}", folder.path)
                         for a in args])
                     for t, s, args in row.calls]
    return rows


def main():
    d.ensure_bus(sys.argv)
    tessadrel, cmd, drag_source, forms = sys.argv[1:5]
    bus = d.start_accessibility_bus()
    results = d.Results()
    folders = []

    def start(answers=PHONE, without=()):
        folder = d.Folder(tessadrel, cmd, answers)
        for tool in without:
            os.remove(folder.file(tool))
        folders.append(folder)
        return d.Program(folder, TITLE, forms)

    try:
        d.park_pointer()
        p = start()
        main_window = None

        def comes_up():
            nonlocal main_window
            main_window = p.window(MAIN)
            d.expect_calls(p.folder, {t: 0 for t in p.folder.LOGS}, [adb(C, "devices")],
                           "the start-up console")
        results.check("Form1 / start-up console, then the window", comes_up)
        if main_window is None:
            results.exit()
        d.run_rows(results, p, "Form1", main_window, resolve(MAIN_ROWS, p.folder), "Form1")

        for tile, caption, form, rows in WINDOWS:
            window = None

            def opens(tile=tile, caption=caption):
                nonlocal window
                _click_tile(p, main_window, tile)
                window = p.open_at(caption, *PANEL_AT)
            results.check("%s / opened by its tile" % form, opens)
            if window is None:
                continue
            d.run_rows(results, p, form, window, resolve(rows, p.folder), form)
            if form == "touchsimu":
                stop_run(results, p, window)
            if form == "Software":
                drops(results, p, window, drag_source, form, "AZAPP", software_drops())
            if form == "OKC":
                drops(results, p, window, drag_source, form, "recc", okc_drops())
            if form == "Navigation":
                reload_main(results, p, window)
                main_window = p.window(MAIN)
            d.close_window(caption)
            p.gone(caption)
        p.stop()

        missing_tool(results, start)
    finally:
        d.stop_all(folders, bus)
    results.exit()


def _click_tile(p, main_window, tile):
    images = [a for a in d.named(main_window, tile) if d.extents(a)[2] == d.extents(a)[3]]
    x, y, w, h = d.extents(images[0])
    d.click_at(x + w // 2, y + h // 2)


def stop_run(results, p, window):
    """A run of the paging preset (every 200 ms, 9999 times) stopped by the
    user: the swipes it sent are the preset's, and no tick follows the stop."""
    def one():
        p.click(window, "touchsimu", "SM")
        mark = p.folder.mark()
        p.click(window, "touchsimu", "SWIPEGO")
        d.wait(lambda: len(p.folder.since(mark)["adb"]) >= 2, "two swipes")
        p.click(window, "touchsimu", "SWIPEstp")
        # The stop is seen once no swipe came for three intervals.
        seen = -1
        while seen != len(p.folder.since(mark)["adb"]):
            seen = len(p.folder.since(mark)["adb"])
            time.sleep(0.6)
        p.folder.interpreters_done()
        swipes = p.folder.since(mark)["adb"]
        assert swipes == [(H, "shell input swipe 540 1600 540 600 50".split())] * len(swipes), swipes
    results.check("touchsimu / SWIPEstp ends a preset run", one)


def reload_main(results, p, navigation):
    """The user closes the main window; a panel's next command loads it
    again with its whole start-up, then runs."""
    def one():
        d.close_window(MAIN)
        p.gone(MAIN)
        mark = p.folder.mark()
        p.click(navigation, "Navigation", "BORDERST")
        p.window(MAIN)
        d.expect_calls(p.folder, mark, [adb(C, "devices"), adb(H, "shell wm overscan 0,0,0,0")],
                       "BORDERST with the main window closed")
    results.check("Form1 / closed, then reloaded by a panel's command", one)


class Drop:
    """One file dropped: its name under the program folder, the controls
    clicked and the text typed first, and either the calls it makes (a
    function of the file's path) or the box that refuses it."""

    def __init__(self, name, calls=None, refused=None, before=(), typed=()):
        self.name, self.calls, self.refused = name, calls, refused
        self.before, self.typed = before, typed


def software_drops():
    # Paths with "%" or a quote cannot be carried through the interpreter's
    # line: the window says so and installs nothing.
    refused = Box("提示", "文件路径含有双引号、百分号或换行，无法安装！")
    install = lambda path: [adb(C, ["install", path])]  # noqa: E731
    return [Drop("a b/x&y.apk", install), Drop("odd name\\", install),
            Drop("中文 目录/a|b.apk", install), Drop("x^y (1) <2>.apk", install),
            Drop("50% off.apk", refused=refused), Drop('say "hi".apk', refused=refused)]


def okc_drops():
    """Images dropped on the flashing frame go to the partition chosen on
    the right; a recovery image is then booted, 4.5 s after its flash."""
    refused = Box("提示", "文件路径含有双引号、百分号或换行，无法刷入！")
    return [
        Drop("twrp & co/rec (1).img",
             lambda p: [fastboot(C, ["flash", "recovery", p]), fastboot(H, ["boot", p])],
             before=["recf"]),
        Drop("系统 镜像/sys|a.img", lambda p: [fastboot(C, ["flash", "system", p])],
             before=["sysf"]),
        Drop("x^y/persist.img", lambda p: [fastboot(C, ["flash", "persist", p])],
             before=["perf"]),
        Drop("odd name\\", lambda p: [fastboot(C, ["flash", "boot", p])], before=["botf"]),
        Drop("vb.img", lambda p: [fastboot(C, ["flash", "vendor_boot", "--slot", "a", p])],
             before=["zdyf"], typed=[("Textzdy", "vendor_boot --slot a")]),
        Drop("50% off.img", refused=refused, before=["sysf"]),
        Drop('say "hi".img', refused=refused),
        Drop("dtbo.img", refused=Box("提示", "分区名含有双引号，无法刷入！"),
             before=["zdyf"], typed=[("Textzdy", 'dtbo"')]),
    ]


def drops(results, p, window, drag_source, form, target_name, cases):
    """Files dragged from another program onto a window's drop target: a
    real drag and drop between two X clients, the path given to the tool
    whole."""
    import subprocess
    for case in cases:
        def one(case=case):
            path = os.path.join(p.folder.path, "drops", case.name)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "w") as f:
                f.write("IMAGE")
            mark = p.folder.mark()
            for name in case.before:
                p.click(window, form, name)
            for box, text in case.typed:
                p.type_into(window, form, box, text)
            target = p.control(window, form, target_name)
            x, y, w, h = d.extents(target)
            src = subprocess.Popen([drag_source, path, "900", "800"], stdout=subprocess.PIPE,
                                   stderr=subprocess.DEVNULL, text=True, env=dict(os.environ, QT_QPA_PLATFORM="xcb"))
            try:
                assert src.stdout.readline().strip() == "ready", "the drag source did not start"
                d.xdo("mousemove", 930, 815)
                d.xdo("mousedown", 1)
                for i in range(1, 11):
                    d.xdo("mousemove", 930 + (x + w // 2 - 930) * i // 10,
                          815 + (y + h // 2 - 815) * i // 10)
                    d.xdo("sleep", "0.03")  # the drag protocol answers each position
                d.xdo("mouseup", 1)
                if case.refused:
                    p.answer(case.refused.title, case.refused.text)
                    d.expect_calls(p.folder, mark, [], "drop of %r" % case.name)
                    return
                d.expect_calls(p.folder, mark, case.calls(path), "drop of %r" % case.name)
                d.wait(lambda: d.named(window, path), "the label to name the file", 5)
            finally:
                src.terminate()
                src.wait()
        results.check("%s / %s drop of %r" % (form, target_name, case.name), one)


def missing_tool(results, start):
    def one():
        p = start(without=("fastboot",))
        p.answer(TITLE, "驱动不正常！请解压后运行或检查主程序目录下的文件！")
        p.ended()
        d.expect_calls(p.folder, {t: 0 for t in p.folder.LOGS}, [], "start without fastboot")
    results.check("Form1 / a missing tool ends the program before anything starts", one)


if __name__ == "__main__":
    main()
