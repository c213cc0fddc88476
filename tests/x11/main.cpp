// The main of the real-X tests: the application object the programs use, on
// the X server named by DISPLAY. The same binary also plays two parts that
// the tests start as other processes: a window of another program
// (--foreign-window X Y W H, exits 3 when clicked) and a program reporting
// the platform it came up on (--report-platform).
#include <gtest/gtest.h>

#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>

#include "controls/registry.h"
#include "runtime/application.h"
#include "runtime/form.h"
#include "runtime/services.h"

namespace {

class NoWindowsLeft : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override { rt::Form::unloadAll(); }
};

int foreignWindow(int argc, char** argv) {
    rt::Application app(argc, argv, QStringLiteral("Foreign"));
    QPushButton button(QStringLiteral("foreign"));
    button.setWindowFlag(Qt::X11BypassWindowManagerHint);
    button.setGeometry(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]),
                       std::atoi(argv[5]));
    QObject::connect(&button, &QPushButton::clicked, &app, [] { std::exit(3); });
    button.show();
    std::printf("shown\n");
    std::fflush(stdout);
    return app.exec();
}

int reportPlatform(int argc, char** argv) {
    rt::Application app(argc, argv, QStringLiteral("Report"));
    std::printf("%s %s\n", qPrintable(QGuiApplication::platformName()),
                qgetenv("QT_QPA_PLATFORM").constData());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 6 && std::strcmp(argv[1], "--foreign-window") == 0)
        return foreignWindow(argc, argv);
    if (argc == 2 && std::strcmp(argv[1], "--report-platform") == 0)
        return reportPlatform(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests needs no display.
    if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    // Consoles and programs started by the tests write where they run (a
    // console's "pause>null" leaves a file named null): never into the tree.
    QTemporaryDir scratch;
    if (!scratch.isValid() || !QDir::setCurrent(scratch.path())) return 2;
    rt::Application app(argc, argv, QStringLiteral("Tessadrel"));
    controls::registerAll();
    ::testing::UnitTest::GetInstance()->listeners().Append(new NoWindowsLeft);
    return RUN_ALL_TESTS();
}
