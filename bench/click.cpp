// How long a button's Click takes to reach adb on the real host: the status
// panel's battery reset button (one hidden line through the main window's
// box) is clicked again and again, and each time the interpreter starts a fake
// adb (bench_stamp) that notes CLOCK_MONOTONIC as it comes up. Between two
// clicks the same fake is started bare, by posix_spawn from here: the least
// any way of reaching adb can cost on this machine. Prints the median, the
// 99th percentile and the largest of the delays of each.
//
//   bench_click [clicks]
//
// Runs offscreen unless QT_QPA_PLATFORM says otherwise; needs `cmd` and
// `bench_stamp` built beside it.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "bench/programfolder.h"
#include "controls/nshape.h"
#include "controls/registry.h"
#include "runtime/application.h"
#include "runtime/services.h"
#include "tessadrel/form1.h"
#include "tessadrel/status.h"

extern char** environ;

namespace {

long long monotonicNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

// The stamps written so far.
std::vector<long long> stamps(const QString& file) {
    std::vector<long long> out;
    QFile f(file);
    if (f.open(QIODevice::ReadOnly))
        for (const QByteArray& line : f.readAll().split('\n'))
            if (!line.trimmed().isEmpty()) out.push_back(line.trimmed().toLongLong());
    return out;
}

// The delay from just before posix_spawn to the fake's stamp; -1 on failure.
double bareStartMs(const QString& adb, const QString& log) {
    const std::size_t before = stamps(log).size();
    const QByteArray path = adb.toLocal8Bit();
    char* argv[] = {const_cast<char*>(path.constData()), nullptr};
    const long long started = monotonicNs();
    pid_t pid = -1;
    if (posix_spawn(&pid, path.constData(), nullptr, nullptr, argv, environ) != 0) return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    const std::vector<long long> now = stamps(log);
    if (now.size() == before) return -1;
    return static_cast<double>(now.back() - started) / 1e6;
}

void report(const char* what, int count, std::vector<double> delaysMs) {
    std::sort(delaysMs.begin(), delaysMs.end());
    const auto at = [&](double q) {
        return delaysMs[static_cast<std::size_t>(
                            std::ceil(q * static_cast<double>(delaysMs.size()))) -
                        1];
    };
    std::printf("%s: %d starts, median %.2f ms, p99 %.2f ms, max %.2f ms\n", what, count, at(0.5),
                at(0.99), delaysMs.back());
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    rt::Application app(argc, argv, QStringLiteral("Tessadrel"));
    controls::registerAll();
    const int clicks = argc > 1 ? std::atoi(argv[1]) : 100;

    // The stamping adb in a program folder of its own.
    const QString bin = QCoreApplication::applicationDirPath();
    bench::ProgramFolder folder([&bin](const QString& adb) {
        return QFile::link(bin + QStringLiteral("/bench_stamp"), adb);
    });
    if (!folder.ready()) return 2;
    const QString log = folder.file(QStringLiteral("stamps"));
    qputenv("BENCH_STAMPS", log.toUtf8());

    tessadrel::Form1::commandBox();
    auto& w = rt::Form::get<tessadrel::Status>();
    w.Show();
    auto* button = w.need<controls::N_Shape>(QStringLiteral("N_Shape4_reset"));
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();

    std::vector<double> delaysMs, bareMs;
    for (int i = 0; i < clicks; ++i) {
        const std::size_t before = stamps(log).size();
        const long long clicked = monotonicNs();
        button->Click();
        std::vector<long long> now;
        const long long giveUp = clicked + 2000000000LL;
        while ((now = stamps(log)).size() == before && monotonicNs() < giveUp) usleep(100);
        if (now.size() == before) {
            std::fprintf(stderr, "click %d: adb never came up\n", i);
            return 1;
        }
        delaysMs.push_back(static_cast<double>(now.back() - clicked) / 1e6);
        // Let the interpreter end and the window take its events, as between
        // two clicks of a person.
        for (int k = 0; k < 5; ++k) {
            QCoreApplication::processEvents();
            usleep(2000);
        }
        const double bare = bareStartMs(folder.file(QStringLiteral("adb")), log);
        if (bare < 0) {
            std::fprintf(stderr, "bare start %d: adb never came up\n", i);
            return 1;
        }
        bareMs.push_back(bare);
        usleep(2000);
    }
    report("click to adb", clicks, delaysMs);
    report("bare start", clicks, bareMs);
    rt::Form::unloadAll();
    return 0;
}
