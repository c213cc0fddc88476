#include "xdriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QWidget>
#include <QWindow>

namespace x11test {

namespace {

void xdotool(const QStringList& args) {
    QProcess::execute(QStringLiteral("xdotool"), args);
}

}  // namespace

void moveTo(QPoint global) {
    xdotool({QStringLiteral("mousemove"), QString::number(global.x() + 1),
             QString::number(global.y()), QStringLiteral("mousemove"), QString::number(global.x()),
             QString::number(global.y())});
}

void moveTo(const QWidget* w, QPoint local) {
    moveTo(w->mapToGlobal(local));
}

void click(int button) {
    xdotool({QStringLiteral("click"), QString::number(button)});
}

void type(const QString& text) {
    xdotool({QStringLiteral("type"), text});
}

bool waitFor(const std::function<bool()>& done) {
    return QTest::qWaitFor(done, 5000);
}

ModalAnswer::ModalAnswer(std::function<QAbstractButton*(QWidget*)> pick,
                         std::function<void(QWidget*)> first)
    : pick_(std::move(pick)), first_(std::move(first)) {
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { poll(); });
    timer_.start(20);
}

void ModalAnswer::poll() {
    QWidget* box = QApplication::activeModalWidget();
    if (!box || !box->isVisible() || !box->windowHandle() || !box->windowHandle()->isExposed())
        return;
    QAbstractButton* button = pick_(box);
    if (!button) return;
    timer_.stop();
    if (first_) first_(box);
    moveTo(button, button->rect().center());
    click();
    answered_ = true;
}

QAbstractButton* buttonLabelled(QWidget* box, const QString& text) {
    static const QRegularExpression mnemonic(QStringLiteral("&(?!&)"));
    for (QAbstractButton* b : box->findChildren<QAbstractButton*>())
        if (b->isVisible() && b->text().remove(mnemonic).compare(text, Qt::CaseInsensitive) == 0)
            return b;
    return nullptr;
}

}  // namespace x11test
