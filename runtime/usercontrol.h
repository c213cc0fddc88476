#pragma once
// The base of the skinned controls: a windowed surface with a scale of its
// own, stored settings read and written through a property bag, the
// announcement of changed properties, the ambient properties of the window
// that places it, and the extender through which that window sees it.
#include <QFont>
#include <QStringList>

#include "control.h"
#include "host.h"
#include "propertybag.h"

namespace rt {

class UserControl : public Control, public Scalable {
    Q_OBJECT
public:
    explicit UserControl(QWidget* container);

    // Placement: a new instance takes its defaults, a loaded one reads its
    // stored settings; saving writes them.
    void initNew() { UserControl_InitProperties(); }
    void readProperties(PropertyBag& bag) { UserControl_ReadProperties(bag); }
    // The same as the window loader does it: the settings, then one Resize,
    // also when the size stayed as it was.
    void placeNew() {
        initNew();
        UserControl_Resize();
    }
    void placeStored(PropertyBag& bag) {
        readProperties(bag);
        UserControl_Resize();
    }
    void writeProperties(PropertyBag& bag) { UserControl_WriteProperties(bag); }

    Hwnd hWnd() { return this; }
    Long BackColor() const { return backColor_; }
    void setBackColor(Long c);
    QFont Font() const { return surfaceFont_; }
    void setFont(const QFont& f) { surfaceFont_ = f; }
    // Repaint now: the Paint handler runs before this returns.
    void Refresh();

    // Marks a property as changed so that the window's settings can be saved.
    void PropertyChanged(const QString& name) { changed_.push_back(name); }
    const QStringList& changedProperties() const { return changed_; }
    void clearChangedProperties() { changed_.clear(); }

    // Ambient properties of the placing window.
    QString AmbientDisplayName() const { return objectName(); }
    QFont AmbientFont() const;

    // The extender: what the window sees of the control.
    QString ExtenderName() const { return objectName(); }
    QWidget* ExtenderContainer() const { return parentWidget(); }
    bool ExtenderVisible() const { return !isHidden(); }
    void setExtenderVisible(bool v) { setVisible(v); }
    double ExtenderWidth() const { return Width(); }
    void setExtenderWidth(double w) { setWidth(w); }
    // The placing window's controls, in their order.
    std::vector<QObject*> ParentControls() const;

    double eventUnitTwips() const override { return unitTwips(); }

protected:
    virtual void UserControl_InitProperties() {}
    virtual void UserControl_ReadProperties(PropertyBag&) {}
    virtual void UserControl_WriteProperties(PropertyBag&) {}
    virtual void UserControl_Resize() {}
    virtual void UserControl_Paint() {}
    virtual void UserControl_MouseDown(Integer&, Integer&, Single&, Single&) {}
    virtual void UserControl_MouseMove(Integer&, Integer&, Single&, Single&) {}
    virtual void UserControl_MouseUp(Integer&, Integer&, Single&, Single&) {}
    virtual void UserControl_Click() {}
    virtual void UserControl_DblClick() {}
    virtual void UserControl_KeyDown(Integer&, Integer&) {}
    virtual void UserControl_KeyPress(Integer&) {}
    virtual void UserControl_KeyUp(Integer&, Integer&) {}
    virtual void UserControl_GotFocus() {}
    virtual void UserControl_LostFocus() {}

    const QWidget* scaleWidget() const override { return this; }
    void resized() override { UserControl_Resize(); }
    void paintEvent(QPaintEvent*) override;
    void vbMouseDown(Integer b, Integer s, Single x, Single y) override {
        UserControl_MouseDown(b, s, x, y);
    }
    void vbMouseMove(Integer b, Integer s, Single x, Single y) override {
        UserControl_MouseMove(b, s, x, y);
    }
    void vbMouseUp(Integer b, Integer s, Single x, Single y) override {
        UserControl_MouseUp(b, s, x, y);
    }
    void vbClick() override { UserControl_Click(); }
    void vbDblClick() override { UserControl_DblClick(); }
    void vbKeyDown(Integer& k, Integer& s) override { UserControl_KeyDown(k, s); }
    void vbKeyPress(Integer& k) override { UserControl_KeyPress(k); }
    void vbKeyUp(Integer& k, Integer& s) override { UserControl_KeyUp(k, s); }
    void vbGotFocus() override { UserControl_GotFocus(); }
    void vbLostFocus() override { UserControl_LostFocus(); }

private:
    Long backColor_;
    QFont surfaceFont_;
    QStringList changed_;
    bool painting_ = false;
};

}  // namespace rt
