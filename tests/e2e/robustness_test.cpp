// Awkward input against the real interpreter: paths dropped onto every drop
// target and text typed into every text box whose text reaches a command
// line, with blanks, operators, carets, percent signs, quotes, CJK and
// trailing backslashes. Each line a click started is run by the built `cmd`
// with logging fake tools first on PATH: the tool gets the arguments meant,
// no other program starts (a `touch` that got through would leave a file in
// the interpreter's folder) and nothing crashes.
#include <gtest/gtest.h>

#include <QMimeData>
#include <QUrl>
#include <filesystem>
#include <functional>
#include <set>

#include "controls/checkbutton.h"
#include "controls/nshape.h"
#include "controls/optionbutton.h"
#include "harness.h"
#include "pellork/form1.h"
#include "runtime/services.h"
#include "support/recordinghost.h"
#include "tessadrel/form1.h"
#include "tessadrel/keysimu.h"
#include "tessadrel/navigation.h"
#include "tessadrel/okc.h"
#include "tessadrel/phonearea.h"
#include "tessadrel/software.h"
#include "tessadrel/status.h"
#include "tessadrel/touchsimu.h"
#include "winrules/arguments.h"

namespace {

using Args = std::vector<std::string>;
using testing_support::RecordingHost;

const std::string kNotFound = "不是内部或外部命令";

// Typed texts: each would start `touch` if an operator got through.
const char* const kTyped[] = {
    "com.a & touch canary1",
    "com.a | touch canary2",
    "com.a && touch canary3 || touch canary4",
    "\"q u\" & touch canary5",
    "x^& touch canary6 ^",
    "a > canary7 < b",
    "(touch canary8)",
    "a\" & touch canary9",
    "50% 中文 \"x y\" trail\\",
    // References to variables whose values hold operators (see Tools), and
    // to the current folder, whose name holds one.
    "%E2E%",
    "\"%E2E% x\"",
    "a%CD%b",
    "%Q%&y",
    "a%sb%sc",
    "%P%%R%\"%S%\" \"a\\%Q%\"",
};

// Dropped file names below the sandbox; `carried` false: refused with a message.
const struct {
    const char* name;
    bool carried;
} kDropped[] = {
    {"a b/c d.apk", true},         {"x&touch canary1.apk", true},
    {"x|touch canary2.apk", true}, {"x^y (1).apk", true},
    {"中文 目录/应用.apk", true},  {"trail\\", true},
    {"two & trail\\\\", true},     {"50%.apk", false},
    {"%PATH%.apk", false},         {"q\"x.apk", false},
};

struct Tools : cmdtest::Sandbox {
    Tools() {
        fakeTool("adb", "Success\n");
        fakeTool("fastboot", "OKAY\n");
        variables = {"E2E=x & adb SECOND", "Q=\"", "P=a|b", "R=> canary10",
                     "S=50% & touch canary11"};
        work = root + "/a&b";
        std::filesystem::create_directories(work);
    }
    cmdtest::Outcome runLine(const QString& line) const {
        EXPECT_TRUE(line.startsWith(QStringLiteral("cmd "))) << line.toStdString();
        return run({line.mid(4).toStdString()});
    }
    // Nothing but the fake tool ran: no "not found" from the interpreter,
    // no file in its folder but the "null" the consoles' closing pause
    // writes, no crash.
    void expectNothingElse(const cmdtest::Outcome& o) const {
        EXPECT_FALSE(o.timedOut);
        EXPECT_LT(o.code, 128) << "the interpreter died of a signal";
        EXPECT_EQ(o.out.find(kNotFound), std::string::npos) << o.out;
        EXPECT_EQ(o.err.find(kNotFound), std::string::npos) << o.err;
        std::set<std::string> files;
        for (const auto& e : std::filesystem::directory_iterator(work))
            files.insert(e.path().filename().string());
        files.erase("null");
        EXPECT_TRUE(files.empty()) << *files.begin();
    }
};

// The window under test, shown where the virtual pointer finds it.
struct Rig {
    RecordingHost& host;
    void clickOn(QWidget* w) {
        host.moveTo(QPoint(-500, -500));
        host.moveTo(w, w->rect().center());
        host.click();
    }
    template <class W>
    W& open() {
        W& w = rt::Form::get<W>();
        w.Show();
        w.move(1400, 0);  // clear of the main window
        return w;
    }
    template <class W>
    void type(W& w, std::initializer_list<const char*> boxes, const QString& text) {
        for (const char* b : boxes) w.template need<rt::TextBox>(QLatin1String(b))->setText(text);
    }
    template <class W>
    void click(W& w, const char* button) {
        clickOn(w.template need<controls::N_Shape>(QLatin1String(button)));
    }
    // Types into the boxes of a window and clicks one of its buttons.
    template <class W>
    static std::function<void(Rig&, const QString&)> typeAndClick(
        std::initializer_list<const char*> boxes, const char* button) {
        const std::vector<const char*> names(boxes);
        return [names, button](Rig& r, const QString& text) {
            W& w = r.open<W>();
            for (const char* b : names)
                w.template need<rt::TextBox>(QLatin1String(b))->setText(text);
            r.click(w, button);
        };
    }
};

// A text box that reaches a command. `typedInto` is the fixed part of adb's
// arguments the typed text is appended to, as written in the line; empty
// for a number box, which may pass nothing of the text but its number.
struct BoxRow {
    const char* name;
    std::function<void(Rig&, const QString&)> act;
    const char* typedInto;
};

using tessadrel::keysimu;
using tessadrel::Navigation;
using tessadrel::PhoneArea;
using tessadrel::Software;
using tessadrel::Status;
using tessadrel::touchsimu;

const BoxRow kBoxes[] = {
    {"Software_APPText5", Rig::typeAndClick<Software>({"APPText5"}, "FREEZE"),
     "shell pm disable-user "},
    {"keysimu_Textsend", Rig::typeAndClick<keysimu>({"Textsend"}, "N_Shapesendd"),
     "shell input text "},
    {"Status_Text10noncj", Rig::typeAndClick<Status>({"Text10noncj"}, "STATUSBAR"),
     "shell settings put global policy_control immersive.status=apps,-"},
    {"Status_Text10noncjn", Rig::typeAndClick<Status>({"Text10noncjn"}, "NAVIBAR"),
     "shell settings put global policy_control immersive.navigation=apps,-"},
    {"Status_QSNUMS", Rig::typeAndClick<Status>({"QSNUMS"}, "QSNUM"),
     "shell settings put secure sysui_qqs_count "},
    {"Status_Textdq", Rig::typeAndClick<Status>({"Textdq"}, "N_Shapedq"),
     "shell settings put secure sysui_rounded_content_padding "},
    {"Status_Text10battper", Rig::typeAndClick<Status>({"Text10battper"}, "N_Shape2battper"), ""},
    {"Navigation_overscan", Rig::typeAndClick<Navigation>({"LB", "UB", "RB", "DB"}, "BORDEROK"),
     ""},
    {"Navigation_DPIVAL", Rig::typeAndClick<Navigation>({"DPIVAL"}, "DPIYES"), ""},
    {"Navigation_size", Rig::typeAndClick<Navigation>({"HOR", "VER"}, "RESOK"), ""},
    {"PhoneArea_Text6bat", Rig::typeAndClick<PhoneArea>({"Text6bat"}, "N_Shape2battper"), ""},
    {"PhoneArea_WINS", Rig::typeAndClick<PhoneArea>({"WINS"}, "WINSOK"), ""},
    {"PhoneArea_DURAS", Rig::typeAndClick<PhoneArea>({"DURAS"}, "DURASOK"), ""},
    {"PhoneArea_PROGS", Rig::typeAndClick<PhoneArea>({"PROGS"}, "PROGSOK"), ""},
    {"touchsimu_twoPointTap",
     [](Rig& r, const QString& text) {
         touchsimu& w = r.open<touchsimu>();
         r.type(w, {"X1", "Y1", "X2", "Y2", "DURA", "Textdely", "Textcishu"}, text);
         w.need<controls::CheckButton>(QStringLiteral("twopo"))->setValue(1);
         r.click(w, "SWIPEGO");
         w.Timerdur->fire();
     },
     ""},
    {"touchsimu_swipe",
     [](Rig& r, const QString& text) {
         touchsimu& w = r.open<touchsimu>();
         w.OPTSWI->setValue(true);
         r.type(w, {"X1", "Y1", "X2", "Y2", "DURA", "Textdely", "Textcishu"}, text);
         r.click(w, "SWIPEGO");
         w.Timerdur2->fire();
     },
     ""},
    {"pellork_DPIVAL", Rig::typeAndClick<pellork::Form1>({"DPIVAL"}, "DPIYES"), ""},
    {"pellork_size", Rig::typeAndClick<pellork::Form1>({"HOR", "VER"}, "RESOK"), ""},
    {"pellork_animation", Rig::typeAndClick<pellork::Form1>({"WINS", "DURAS", "PROGS"}, "WINSOK"),
     ""},
    {"pellork_Text6bat", Rig::typeAndClick<pellork::Form1>({"Text6bat"}, "N_Shape2battper"), ""},
};

// A drop target and the arguments its tool gets before the path.
void PrintTo(const BoxRow& row, std::ostream* os) {
    *os << row.name;
}

struct DropRow {
    const char* name;
    std::function<QWidget*(Rig&)> target;
    const char* tool;
    Args before;
};

void PrintTo(const DropRow& row, std::ostream* os) {
    *os << row.name;
}

const DropRow kDrops[] = {
    {"Software_AZAPP",
     [](Rig& r) -> QWidget* { return r.open<Software>().Labelappr; },
     "adb",
     {"install"}},
    {"OKC_recc_system",
     [](Rig& r) -> QWidget* {
         auto& w = r.open<tessadrel::OKC>();
         r.clickOn(w.sysf);
         return w.recc;
     },
     "fastboot",
     {"flash", "system"}},
};

struct Robustness : ::testing::Test {
    RecordingHost host;
    Rig rig{host};
    Robustness() {
        const QString folder = QStringLiteral("/opt/tessadrel");
        rt::App::setPath(folder);
        host.files = {folder + QStringLiteral("/adb"), folder + QStringLiteral("/fastboot")};
        rt::Form::get<tessadrel::Form1>();  // the main window's start-up console goes first
        host.started.clear();
    }
    ~Robustness() override { rt::App::setPath({}); }

    // Runs the lines started since `from`; returns the tool's calls.
    std::vector<Args> runFrom(size_t from, const Tools& box, const char* tool) {
        for (size_t i = from; i < host.started.size(); ++i)
            box.expectNothingElse(box.runLine(host.started[i].line));
        return box.calls(tool);
    }
};

struct TypedInto : Robustness, ::testing::WithParamInterface<BoxRow> {};

TEST_P(TypedInto, TheBoxReachesAdbAsTextAndStartsNothingElse) {
    const BoxRow& row = GetParam();
    for (const char* typed : kTyped) {
        SCOPED_TRACE(typed);
        Tools box;
        const size_t from = host.started.size();
        ASSERT_NO_THROW(row.act(rig, QString::fromUtf8(typed)));
        ASSERT_GT(host.started.size(), from) << "the click started nothing";
        const std::vector<Args> calls = runFrom(from, box, "adb");
        EXPECT_EQ(calls.size(), host.started.size() - from);
        EXPECT_TRUE(box.calls("fastboot").empty());
        if (*row.typedInto) {
            // The interpreter removed the carets the program put in; the
            // arguments are those of the text as typed.
            EXPECT_EQ(
                calls,
                (std::vector<Args>{winrules::splitArguments(std::string(row.typedInto) + typed)}));
            continue;
        }
        // A number box passes only its number.
        for (const Args& call : calls)
            for (const std::string& arg : call) {
                EXPECT_EQ(arg.find_first_of("&|<>^()\"%\\"), std::string::npos) << arg;
                EXPECT_EQ(arg.find("canary"), std::string::npos) << arg;
                EXPECT_EQ(arg.find("中文"), std::string::npos) << arg;
            }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryBox, TypedInto, ::testing::ValuesIn(kBoxes),
                         [](const auto& info) { return std::string(info.param.name); });

struct DroppedOn : Robustness, ::testing::WithParamInterface<DropRow> {};

TEST_P(DroppedOn, APathReachesTheToolAsOneArgumentOrIsRefused) {
    const DropRow& row = GetParam();
    for (const auto& dropped : kDropped) {
        SCOPED_TRACE(dropped.name);
        Tools box;
        const std::string path = box.root + "/files/" + dropped.name;
        cmdtest::writeFile(path, "APK");
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
        const size_t from = host.started.size();
        const size_t boxes = host.boxes.size();
        ASSERT_TRUE(host.dropOn(row.target(rig), QPoint(5, 5), mime));
        if (!dropped.carried) {
            EXPECT_EQ(host.started.size(), from);
            EXPECT_EQ(host.boxes.size(), boxes + 1);
            continue;
        }
        ASSERT_EQ(host.started.size(), from + 1);
        Args expected = row.before;
        expected.push_back(path);
        EXPECT_EQ(runFrom(from, box, row.tool), (std::vector<Args>{expected}));
    }
}

INSTANTIATE_TEST_SUITE_P(EveryTarget, DroppedOn, ::testing::ValuesIn(kDrops),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
