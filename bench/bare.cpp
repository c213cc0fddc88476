// The yardstick for the programs' start-up: a plain Qt Widgets window of about
// the main window's size with 60 children (40 labels, 20 push buttons) that
// carry Chinese captions, so that it loads the same typefaces. Nothing of the
// runtime or the skinned controls.
//
//   bench_bare
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.setFixedSize(640, 440);
    for (int i = 0; i < 60; ++i) {
        const QString caption = QStringLiteral("按钮 %1").arg(i);
        QWidget* child = i % 3 == 2 ? static_cast<QWidget*>(new QPushButton(caption, &window))
                                    : new QLabel(caption, &window);
        child->setGeometry(10 + (i % 6) * 104, 10 + (i / 6) * 42, 96, 32);
    }
    window.show();
    return app.exec();
}
