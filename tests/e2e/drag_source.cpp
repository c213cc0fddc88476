// A small window of another program that drags one file onto whatever lies
// under the pointer when the button is let go: a real drag and drop between
// two X clients, started by a press on it.
//
//   drag_source PATH X Y     prints "ready" once the window is on screen
#include <QApplication>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <cstdio>

namespace {

class Source : public QLabel {
public:
    explicit Source(QString path) : QLabel(QStringLiteral("drag me")), path_(std::move(path)) {}

protected:
    void mousePressEvent(QMouseEvent*) override {
        auto* drag = new QDrag(this);
        auto* mime = new QMimeData;
        mime->setUrls({QUrl::fromLocalFile(path_)});
        drag->setMimeData(mime);
        drag->exec(Qt::CopyAction);
    }

private:
    QString path_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 4) return 2;
    Source w(args[1]);
    w.setWindowTitle(QStringLiteral("e2e-drag-source"));
    w.setGeometry(args[2].toInt(), args[3].toInt(), 60, 30);
    w.show();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &w, [&] {
        if (w.windowHandle() && w.windowHandle()->isExposed()) {
            poll.stop();
            std::puts("ready");
            std::fflush(stdout);
        }
    });
    poll.start(10);
    return QApplication::exec();
}
