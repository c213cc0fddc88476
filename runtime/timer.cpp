#include "timer.h"

#include <QCoreApplication>
#include <QPointer>
#include <algorithm>

#include "host.h"

namespace rt {

Timer::Timer(QObject* owner) : QObject(owner) {
    connect(&qt_, &QTimer::timeout, this, [this] { due(); });
}

void Timer::due() {
    // A tick waits for the input the window system holds: a click, a key or
    // a close request made while a handler ran (one that sleeps, say) is
    // handled first, and may stop this timer or close its window. Other
    // timers stay where they are in the queue.
    const QPointer<Timer> self(this);
    QCoreApplication::processEvents(QEventLoop::X11ExcludeTimers);
    if (!self || !running()) return;
    ticked();
}

void Timer::setPointerPoll(bool on) {
    pointerPoll_ = on;
    sync();
}

void Timer::ticked() {
    Tick();
    // A tick while resting looked afresh (the pointer functions ask the
    // window system again after that long) and found nothing to act on.
    if (!pointerPoll_ || !running() || resting_) return;
    PointerChanges* changes = host().pointerChanges();
    if (!changes) return;
    if (stamped_ && changes->stamp() == lastStamp_) {
        rest();
        return;
    }
    lastStamp_ = changes->stamp();
    stamped_ = true;
}

void Timer::rest() {
    PointerChanges* changes = host().pointerChanges();
    resting_ = true;
    if (host().timersRun()) qt_.start(std::max(interval_, kPointerPollRestMs));
    connect(changes, &PointerChanges::changed, this, &Timer::sync, Qt::UniqueConnection);
}

void Timer::setInterval(int ms) {
    interval_ = ms;
    sync();
}

void Timer::setEnabled(bool v) {
    // Enabling a running timer leaves its count alone; setting the interval
    // starts it afresh.
    if (v == enabled_) return;
    enabled_ = v;
    sync();
}

void Timer::setPrecise(bool v) {
    qt_.setTimerType(v ? Qt::PreciseTimer : Qt::CoarseTimer);
    sync();  // a running timer takes the new kind at once
}

void Timer::sync() {
    if (resting_) {
        resting_ = false;
        if (PointerChanges* changes = host().pointerChanges())
            disconnect(changes, &PointerChanges::changed, this, &Timer::sync);
    }
    stamped_ = false;
    if (running() && host().timersRun()) {
        qt_.start(interval_);
    } else {
        qt_.stop();
    }
}

void Timer::fire() {
    if (running()) due();
}

}  // namespace rt
