#pragma once
// What the skinned check box and radio button have in common: a 13 x 13 glyph
// box beside a caption, a 50 ms pointer poll, the same eight events, the
// caption, font and colour settings, and the routing of the constituents'
// clicks and presses to the surface. Each control adds its value, its looks,
// its poll and its stored settings.
#include <QFont>
#include <QString>

#include "runtime/color.h"
#include "runtime/event.h"
#include "runtime/label.h"
#include "runtime/picturebox.h"
#include "runtime/timer.h"
#include "runtime/usercontrol.h"

namespace controls {

class GlyphControl : public rt::UserControl {
    Q_OBJECT
public:
    QString Caption() const { return lbl_->Caption(); }
    void setCaption(const QString& c);
    QFont Font() const { return font_; }
    void setFont(const QFont& f);
    rt::Long BackColor() const { return backColor_; }
    rt::Long ForeColor() const { return foreColor_; }

    // Events, in the order windows bind them.
    rt::Event<> Click;
    rt::Event<rt::Integer&, rt::Integer&> KeyDown;
    rt::Event<rt::Integer&> KeyPress;
    rt::Event<rt::Integer&, rt::Integer&> KeyUp;
    rt::Event<> MouseOut;
    rt::Event<rt::Integer&, rt::Integer&, rt::Single&, rt::Single&> MouseDown;
    rt::Event<rt::Integer&, rt::Integer&, rt::Single&, rt::Single&> MouseMove;
    rt::Event<rt::Integer&, rt::Integer&, rt::Single&, rt::Single&> MouseUp;

    // Constituents, for tests and the picture sheet.
    rt::PictureBox* glyph() const { return p_; }
    rt::Label* captionLabel() const { return lbl_; }
    rt::Timer* pollTimer() const { return timer_; }

protected:
    // Builds the glyph box, the caption (showing its design-time text until
    // the settings arrive) and the poll timer, and routes their clicks,
    // presses and releases and the timer's ticks. Pointer moves and keys are
    // routed by each control, since they reach the surface differently.
    GlyphControl(QWidget* container, const QString& initialCaption, bool pollFromStart);

    // A click on the surface, the glyph or the caption.
    virtual void clicked() = 0;
    // One tick of the poll timer.
    virtual void poll() = 0;

    void UserControl_Resize() override { layout(); }
    void UserControl_Click() override { clicked(); }

    void layout();

    rt::PictureBox* const p_;
    rt::Label* const lbl_;
    rt::Timer* const timer_;
    QFont font_;
    rt::Long backColor_ = 0;
    rt::Long foreColor_ = 0;
};

namespace glyph {
// Helpers shared by the check box and the radio button.

// The control's own enabled setting, not the one inherited from its container.
bool ownEnabled(const QWidget& w);
// Puts the glyph and the caption at the left, each centred vertically on the
// control's height (in twips: the difference rounded, a half to even, then
// halved toward zero); the caption starts at 240 twips.
void layout(rt::UserControl& surface, rt::PictureBox& p, rt::Label& lbl);
// Switches the surface to pixels and tells whether the pointer is outside it;
// a point on an edge counts as inside.
bool pointerOutside(rt::UserControl& surface);
// A stored font setting, or the fallback when it is none.
QFont fontOf(const QVariant& v, const QFont& fallback);
// Stores a font unless it is the ambient one.
void writeFont(rt::PropertyBag& bag, const QFont& font, const QFont& ambient);
}  // namespace glyph

}  // namespace controls
