#pragma once
// The timer: a Tick at an interval while it is enabled. As on the Windows
// runtime, where a tick is delivered only when no input waits, a due timer
// first lets the mouse and keyboard input and the close requests that the
// window system holds be handled (other timers held back), and ticks only
// if that left it running: a click on a stop button during a tick's work
// ends the run before the next tick.
#include <QObject>
#include <QString>
#include <QTimer>

#include "event.h"

namespace rt {

class Timer : public QObject {
    Q_OBJECT
public:
    explicit Timer(QObject* owner);
    QString Name() const { return objectName(); }
    int Index() const { return index_; }
    void setIndex(int i) { index_ = i; }
    int Interval() const { return interval_; }
    void setInterval(int ms);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool v);
    // Whether a tick would come: enabled with a non-zero interval.
    bool running() const { return enabled_ && interval_ > 0; }
    // A precise timer keeps to its interval to the millisecond; the default
    // one may be moved by a few percent to share wake-ups.
    bool precise() const { return qt_.timerType() == Qt::PreciseTimer; }
    void setPrecise(bool v);
    // The timer comes due now, when it is running (tests drive timers this
    // way): the input already queued is handled first, then the tick comes
    // unless that input stopped the timer.
    void fire();
    // A poll of the pointer: on a host that tells when the pointer or the
    // windows change, a tick that could only find what the one before found
    // is left out, and the next comes at most one interval after a change
    // (at the latest after kPointerPollRestMs). So a poll of 1 ms costs next
    // to nothing while the pointer rests.
    void setPointerPoll(bool on);
    static constexpr int kPointerPollRestMs = 50;
    bool resting() const { return resting_; }

    // The Timer event (a member cannot bear its class's name).
    Event<> Tick;

private:
    void sync();
    void due();
    void ticked();
    void rest();
    QTimer qt_;
    int interval_ = 0;
    bool enabled_ = true;
    int index_ = -1;
    bool pointerPoll_ = false;
    bool resting_ = false;
    bool stamped_ = false;
    quint64 lastStamp_ = 0;
};

}  // namespace rt
