#pragma once
// An event of a control or window. Raising it calls the one handler that the
// window bound to it, at once and on the same thread; without a handler the
// event goes nowhere. Arguments declared as references reach the handler by
// reference, so a handler can change them (a KeyPress handler dropping its key).
#include <functional>
#include <utility>

namespace rt {

template <class... Args>
class Event {
public:
    template <class F>
    void handle(F&& fn) {
        fn_ = std::forward<F>(fn);
    }
    void clear() { fn_ = nullptr; }
    bool handled() const { return static_cast<bool>(fn_); }
    void operator()(Args... args) const {
        if (fn_) fn_(std::forward<Args>(args)...);
    }

private:
    std::function<void(Args...)> fn_;
};

}  // namespace rt
