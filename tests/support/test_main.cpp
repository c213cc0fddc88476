// The test main: widgets run on the offscreen platform (set before the
// application exists, or test discovery at build time fails), the skinned
// controls are registered, and every test starts with no window loaded.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "controls/registry.h"
#include "runtime/form.h"
#include "runtime/services.h"

namespace {
class NoWindowsLeft : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override { rt::Form::unloadAll(); }
};
}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    rt::App::setTitle(QStringLiteral("Tessadrel"));
    controls::registerAll();
    ::testing::UnitTest::GetInstance()->listeners().Append(new NoWindowsLeft);
    return RUN_ALL_TESTS();
}
