#pragma once
// Windows. Each window class has one instance, created and loaded (Form_Load)
// on first reference by any code, shown modeless, and discarded by Unload or
// when the user closes it; the next reference loads a fresh one.
#include <QWidget>
#include <map>
#include <typeindex>
#include <vector>

#include "control.h"
#include "event.h"

namespace rt {

class Form : public QWidget, public Scalable {
    Q_OBJECT
public:
    Form();
    ~Form() override;

    QString Name() const { return objectName(); }
    QString Caption() const { return windowTitle(); }
    void setCaption(const QString& c) { setWindowTitle(c); }
    // Modeless; brings an open window to the front.
    void Show();
    // Discards the window (after Form_Unload unless it cancels).
    void Unload();
    bool loaded() const { return loaded_; }

    // The window's controls in their order (timers included).
    const std::vector<QObject*>& Controls() const { return controls_; }
    void addControl(QObject* c) { controls_.push_back(c); }
    // A control by name (and index within a control array); nullptr if none.
    QObject* findControl(const QString& name, int index = -1) const;
    template <class T>
    T* ctl(const QString& name, int index = -1) const {
        return dynamic_cast<T*>(findControl(name, index));
    }
    // A control that the design data must hold: a missing name or another
    // type is an error in the design data, reported when the window is built.
    template <class T>
    T* need(const QString& name, int index = -1) const {
        T* c = ctl<T>(name, index);
        if (!c) missingControl(name);
        return c;
    }
    template <class T>
    void bind(T*& member, const char* name) const {
        member = need<T>(QLatin1String(name));
    }
    // Binds one of the window's handlers to an event: one line per handler.
    template <class W, class... Args>
    void on(Event<Args...>& event, void (W::*handler)(Args...)) {
        W* self = static_cast<W*>(this);
        event.handle(
            [self, handler](Args... args) { (self->*handler)(std::forward<Args>(args)...); });
    }
    // The same for a control known only by name.
    template <class T, class W, class... Args>
    void on(const char* control, Event<Args...> T::*event, void (W::*handler)(Args...)) {
        on(need<T>(QLatin1String(control))->*event, handler);
    }

    Long BackColor() const { return backColor_; }
    void setBackColor(Long c);
    // The size in twips. A size set here reads back as given (8000 stays
    // 8000, not the 7995 of the whole pixels shown) for as long as the
    // window keeps the pixels it produced; a window is at least one pixel
    // wide and high, so a size of 0 shows as one pixel.
    double Width() const;
    double Height() const;
    void setWidth(double twips);
    void setHeight(double twips);
    // Client area in twips.
    void setClientSize(double widthTwips, double heightTwips);

    // The single instance of a window class, created and loaded on first use.
    template <class T>
    static T& get() {
        auto it = registry().find(std::type_index(typeid(T)));
        if (it != registry().end()) return *static_cast<T*>(it->second);
        auto* f = new T();
        f->registerAs(std::type_index(typeid(T)));
        f->load();
        return *f;
    }
    // Whether the instance of a window class is loaded now.
    template <class T>
    static T* ifLoaded() {
        auto it = registry().find(std::type_index(typeid(T)));
        return it == registry().end() ? nullptr : static_cast<T*>(it->second);
    }
    // Unloads every window (the end of a program, and between tests).
    static void unloadAll();
    static int loadedCount() { return static_cast<int>(registry().size()); }

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload(Integer& /*cancel*/) {}

    void closeEvent(QCloseEvent* e) override;
    void paintEvent(QPaintEvent*) override;
    const QWidget* scaleWidget() const override { return this; }

private:
    [[noreturn]] void missingControl(const QString& name) const;
    static std::map<std::type_index, Form*>& registry();
    void registerAs(std::type_index key);
    void load();
    void discard();

    // A size given in twips and the pixels it was shown with.
    struct KeptSize {
        double twips = 0;
        int pixels = -1;
    };
    static double twipsOf(const KeptSize& kept, int pixels);

    std::vector<QObject*> controls_;
    KeptSize keptWidth_;
    KeptSize keptHeight_;
    std::type_index key_{typeid(void)};
    bool registered_ = false;
    bool loaded_ = false;
    Long backColor_;
};

}  // namespace rt
