// How closely the tap repeater keeps its rhythm on the real host: one run of
// one-point taps (200 at 80 ms unless told otherwise) against a fake adb that
// notes when it comes up. Prints the mean period and the 99th percentile of
// the deviation from the interval, measured where the window starts each
// command line and where adb starts behind the interpreter.
//
//   bench_touchsimu [ticks [interval-ms [coarse]]]
//
// "coarse" runs the same on the runtime's default timer, for comparison.
// Runs offscreen unless QT_QPA_PLATFORM says otherwise; needs the `cmd`
// built beside it.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench/programfolder.h"
#include "controls/nshape.h"
#include "controls/registry.h"
#include "runtime/application.h"
#include "runtime/host.h"
#include "runtime/services.h"
#include "tessadrel/form1.h"
#include "tessadrel/touchsimu.h"

namespace {

// The real host with a stopwatch on the starts of the run's lines.
class TimedHost final : public rt::Host {
public:
    explicit TimedHost(rt::Host& real) : real_(real) { clock_.start(); }

    std::vector<double> startsMs;

    double shell(const QString& line, int style) override {
        if (line.contains(QLatin1String("input swipe")))
            startsMs.push_back(static_cast<double>(clock_.nsecsElapsed()) / 1e6);
        return real_.shell(line, style);
    }
    int msgBox(const QString& text, int flags, const QString& title) override {
        return real_.msgBox(text, flags, title);
    }
    QString inputBox(const QString& prompt, const QString& title, const QString& def) override {
        return real_.inputBox(prompt, title, def);
    }
    void openDocument(const QString& address) override { real_.openDocument(address); }
    bool fileExists(const QString& path) override { return real_.fileExists(path); }
    QPoint cursorPos() override { return real_.cursorPos(); }
    rt::Hwnd windowFromPoint(QPoint screen) override { return real_.windowFromPoint(screen); }
    rt::Hwnd getCapture() override { return real_.getCapture(); }
    void setCapture(rt::Hwnd w) override { real_.setCapture(w); }
    void releaseCapture() override { real_.releaseCapture(); }
    void sleep(int ms) override { real_.sleep(ms); }
    void sendKeys(const QString& keys) override { real_.sendKeys(keys); }
    bool timersRun() const override { return true; }
    [[noreturn]] void end() override {
        real_.end();
        std::abort();  // not reached: the real host leaves the process
    }
    void lastFormUnloaded() override { real_.lastFormUnloaded(); }

private:
    rt::Host& real_;
    QElapsedTimer clock_;
};

void report(const char* where, const std::vector<double>& timesMs, double intervalMs) {
    if (timesMs.size() < 2) {
        std::printf("%-14s too few samples (%zu)\n", where, timesMs.size());
        return;
    }
    std::vector<double> deviations;
    for (std::size_t i = 1; i < timesMs.size(); ++i)
        deviations.push_back(std::abs(timesMs[i] - timesMs[i - 1] - intervalMs));
    std::sort(deviations.begin(), deviations.end());
    const auto at99 =
        static_cast<std::size_t>(std::ceil(0.99 * static_cast<double>(deviations.size()))) - 1;
    const double mean =
        (timesMs.back() - timesMs.front()) / static_cast<double>(timesMs.size() - 1);
    std::printf("%-14s %zu samples, mean period %.2f ms, p99 deviation %.2f ms, max %.2f ms\n",
                where, timesMs.size(), mean, deviations[at99], deviations.back());
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    rt::Application app(argc, argv, QStringLiteral("Tessadrel"));
    controls::registerAll();
    const int ticks = argc > 1 ? std::atoi(argv[1]) : 200;
    const int intervalMs = argc > 2 ? std::atoi(argv[2]) : 80;
    const bool coarse = argc > 3 && std::strcmp(argv[3], "coarse") == 0;

    // A fake adb that notes the time it starts, in a program folder of its own.
    QString log;
    bench::ProgramFolder folder([&log](const QString& adb) {
        log = adb + QStringLiteral(".log");
        return bench::writeScript(
            adb, "#!/bin/bash\necho \"$EPOCHREALTIME\" >> '" + log.toUtf8() + "'\n");
    });
    if (!folder.ready()) return 2;
    TimedHost host(rt::host());
    rt::setHost(&host);

    // The main window's start-up first, so that it does not fall on a tick.
    tessadrel::Form1::commandBox();
    auto& w = rt::Form::get<tessadrel::touchsimu>();
    w.Show();
    if (coarse) w.Timerdur->setPrecise(false);
    w.X1->setText(QStringLiteral("100"));
    w.Y1->setText(QStringLiteral("200"));
    w.DURA->setText(QStringLiteral("50"));
    w.Textcishu->setText(QString::number(ticks));
    w.Textdely->setText(QString::number(intervalMs));
    QTimer::singleShot(0, &app, [&w] { w.SWIPEGO->Click(); });

    // Once the run is over, give the last interpreters a moment to bring up adb.
    QElapsedTimer sinceEnd;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &app, [&] {
        if (w.Timerdur->Enabled()) return;
        if (!sinceEnd.isValid()) sinceEnd.start();
        QFile f(log);
        const bool allThere = f.open(QIODevice::ReadOnly) && f.readAll().count('\n') >= ticks;
        if (allThere || sinceEnd.elapsed() > 5000) app.quit();
    });
    watch.start(50);
    app.exec();

    std::vector<double> arrivalsMs;
    QFile f(log);
    if (f.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : f.readAll().split('\n'))
            if (!line.trimmed().isEmpty()) arrivalsMs.push_back(line.trimmed().toDouble() * 1000);
    }
    // Interpreters run side by side and may reach adb out of order.
    std::sort(arrivalsMs.begin(), arrivalsMs.end());

    std::printf("tap repeater: %d ticks at %d ms (%s timer)\n", ticks, intervalMs,
                coarse ? "coarse" : "precise");
    report("window start", host.startsMs, intervalMs);
    report("adb start", arrivalsMs, intervalMs);
    rt::setHost(nullptr);
    rt::Form::unloadAll();
    return 0;
}
