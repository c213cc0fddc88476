#pragma once
// The framed single-line text box: an editable box inside a rectangular
// frame, an optional header above the frame, a digits-only mode, select-all
// on focus, the text placed at the top, middle or bottom of the frame, and a
// label mode that shows the text in a label in place of the box. It draws
// nothing itself: a shape child is the frame, and only the text box raises
// events, each with the text box's own arguments.
#include <QString>

#include "runtime/event.h"
#include "runtime/font.h"
#include "runtime/label.h"
#include "runtime/shape.h"
#include "runtime/textbox.h"
#include "runtime/types.h"
#include "runtime/usercontrol.h"

namespace controls {

//
// Its four children are the frame shape shpBorder, the header label
// lblHeader, the mirror label lbl and the borderless box txt. Fonts are
// rt::StdFont objects held by reference: lbl shares txt's, so a change
// through Font() restyles both. The loader delivers one Resize after the
// settings, which lays the frame out around a stored header.
class N_TextBox : public rt::UserControl {
    Q_OBJECT
public:
    static constexpr const char* kClassId = "Morvane.N_TextBox";
    static constexpr const char* kTitle = "N_TextBox";

    explicit N_TextBox(QWidget* container);

    // ---- properties, in their published order; each setter announces its
    // change after its steps, a refused value announces nothing.
    rt::FontPtr Font() const;
    // The box takes the object itself; the mirror label shares it.
    void setFont(rt::FontPtr f);
    rt::Long ForeColor() const;
    void setForeColor(rt::Long c);
    rt::Long BorderColor() const;
    void setBorderColor(rt::Long c);
    rt::Long BackColor() const;
    void setBackColor(rt::Long c);
    QString Text() const;
    void setText(const QString& text);
    // 0 left, 1 right, 2 centred; above 2 is taken as 2, negative fails.
    rt::Long AlignementHorizontal() const;
    void setAlignementHorizontal(rt::Long a);
    // 0 top, 1 middle, 2 bottom; above 2 is taken as 2, negative fails.
    rt::Long AlignementVertical() const { return alignV_; }
    void setAlignementVertical(rt::Long a);
    bool NumberBox() const { return numberBox_; }
    void setNumberBox(bool on);
    bool SelOnFocus() const { return selOnFocus_; }
    void setSelOnFocus(bool on);
    bool LabelBox() const;
    void setLabelBox(bool on);
    bool Enabled() const;
    void setEnabled(bool on);
    bool Locked() const;
    void setLocked(bool on);
    // "" for plain text; a longer value keeps its first character.
    QString PasswordChar() const;
    void setPasswordChar(const QString& c);
    bool Header() const;
    void setHeader(bool on);
    rt::Long HeaderAlignement() const;
    void setHeaderAlignement(rt::Long a);
    rt::Long HeaderForeColor() const;
    void setHeaderForeColor(rt::Long c);
    rt::Long HeaderBackColor() const;
    void setHeaderBackColor(rt::Long c);
    rt::FontPtr HeaderFont() const;
    void setHeaderFont(rt::FontPtr f);
    QString HeaderCaption() const;
    // The header keeps its size until the next layout.
    void setHeaderCaption(const QString& caption);
    // The credit message; errors while showing it are ignored.
    void About();

    // ---- events, in their published order; only the text box raises them
    rt::Event<> DblClick;
    rt::Event<rt::Integer&, rt::Integer&, rt::Single&, rt::Single&> MouseDown;
    rt::Event<rt::Integer&, rt::Integer&, rt::Single&, rt::Single&> MouseMove;
    rt::Event<rt::Integer&, rt::Integer&, rt::Single&, rt::Single&> MouseUp;
    rt::Event<> Change;
    rt::Event<> Click;
    rt::Event<rt::Integer&, rt::Integer&> KeyUp;
    rt::Event<rt::Integer&, rt::Integer&> KeyDown;
    rt::Event<rt::Integer&> KeyPress;

    // ---- constituents, for the host and for tests
    rt::TextBox* txt() const { return txt_; }
    rt::Label* lbl() const { return lbl_; }
    rt::Label* lblHeader() const { return lblHeader_; }
    rt::Shape* shpBorder() const { return shpBorder_; }

protected:
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(rt::PropertyBag& bag) override;
    void UserControl_WriteProperties(rt::PropertyBag& bag) override;
    void UserControl_Resize() override;

private:
    void LayoutVertical(rt::Byte placement);
    void txtKeyPress(rt::Integer& keyAscii);
    void txtGotFocus();

    rt::Shape* shpBorder_;
    rt::Label* lblHeader_;
    rt::Label* lbl_;
    rt::TextBox* txt_;
    bool numberBox_ = false;
    rt::Byte alignV_ = 0;
    bool selOnFocus_ = false;
    bool built_ = false;
};

}  // namespace controls
