#pragma once
// The skinned push button. It draws nothing itself: a shape child is the
// body, a label child the caption and an image child the optional icon. Each
// of the three button states (normal, hover, down) has a fill, caption and
// border colour. The pointer is followed two ways at once: a 1 ms poll that
// notices the pointer has gone, and mouse capture that notices the first move
// outside.
#include <QString>

#include "hoveritem.h"
#include "runtime/image.h"
#include "runtime/label.h"
#include "runtime/picture.h"
#include "runtime/shape.h"

namespace controls {

//
// Its settings are read and written under fixed keys with their own read
// and write defaults; loading stops silently at the first bad value.
class N_Shape : public HoverItem {
    Q_OBJECT
public:
    explicit N_Shape(QWidget* container);

    // ---- properties, in their published order
    QString Caption() const;
    void setCaption(const QString& caption);
    // Shape kind of the body: 0 rectangle ... 5 rounded square; others fail.
    rt::Long Style() const;
    void setStyle(rt::Long kind);
    rt::Integer FontSize() const;
    void setFontSize(rt::Integer points);
    bool FontBold() const;
    void setFontBold(bool bold);
    void setEnabled(bool enabled);
    bool BorderGotFocus() const { return borderGotFocus_; }
    void setBorderGotFocus(bool on);
    // The picture getters never return none: an empty picture is made and kept.
    rt::PicturePtr Picture_Normal();
    void setPicture_Normal(rt::PicturePtr picture);
    rt::PicturePtr Picture_Down();
    void setPicture_Down(rt::PicturePtr picture);
    rt::PicturePtr Picture_Hover();
    void setPicture_Hover(rt::PicturePtr picture);
    bool Graphical() const { return graphical_; }
    void setGraphical(bool on);
    bool StretchToText() const { return stretchToText_; }
    void setStretchToText(bool on);
    bool Text_Visible() const { return textVisible_; }
    void setText_Visible(bool on);
    bool Stretch() const;
    void setStretch(bool on);
    // 0 none or unknown, 3 normal, 1 down, 2 hover: the picture the icon shows.
    rt::Long CurPicture() const;
    bool MouseInside() const { return mouseInside_; }
    void Ajustar_Botao() override;
    // The Normal getters report what is shown now, not the stored member.
    rt::Long ForeColorNormal() const;
    void setForeColorNormal(rt::Long c);
    rt::Long ForeColorHover() const { return foreColorHover_; }
    void setForeColorHover(rt::Long c);
    rt::Long ForeColorDown() const { return foreColorDown_; }
    void setForeColorDown(rt::Long c);
    rt::Long BackGround() const { return BackColor(); }
    void setBackGround(rt::Long c);
    rt::Long BackColorNormal() const;
    void setBackColorNormal(rt::Long c);
    rt::Long BackColorHover() const { return backColorHover_; }
    void setBackColorHover(rt::Long c);
    rt::Long BackColorDown() const { return backColorDown_; }
    void setBackColorDown(rt::Long c);
    rt::Long BorderCustom() const { return borderCustom_; }
    void setBorderCustom(rt::Long c);
    rt::Long BorderColorNormal() const;
    void setBorderColorNormal(rt::Long c);
    rt::Long BorderColorHover() const { return borderColorHover_; }
    void setBorderColorHover(rt::Long c);
    rt::Long BorderColorDown() const { return borderColorDown_; }
    void setBorderColorDown(rt::Long c);

    // ---- constituents and inner state, for the host and for tests
    rt::Shape* shape1() const { return shape1_; }
    rt::Label* label1() const { return label1_; }
    rt::Image* image1() const { return image1_; }
    rt::Image* imageButton() const { return imageButton_; }

    void captureTakenAway() override;

protected:
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(rt::PropertyBag& bag) override;
    void UserControl_WriteProperties(rt::PropertyBag& bag) override;
    void UserControl_Paint() override;
    void UserControl_MouseDown(rt::Integer& button, rt::Integer& shift, rt::Single& x,
                               rt::Single& y) override;
    void UserControl_MouseMove(rt::Integer& button, rt::Integer& shift, rt::Single& x,
                               rt::Single& y) override;
    void UserControl_MouseUp(rt::Integer& button, rt::Integer& shift, rt::Single& x,
                             rt::Single& y) override;
    void UserControl_GotFocus() override;
    void UserControl_LostFocus() override;

private:
    enum class Part { Body, Caption, Icon };
    // Which of the three pictures the control's own steps put up last; every
    // paint shows that one, so only those steps change the icon.
    enum class Icon { Normal, Hover, Down };

    void ApplyStateColors() override;
    void repaintNow() override;
    void pointerMoved(Part part, rt::Integer& button, rt::Integer& shift, rt::Single& x,
                      rt::Single& y);
    void followCapture(Part part, rt::Single x, rt::Single y);
    void pressed(Part part, rt::Integer& button, rt::Integer& shift, rt::Single& x, rt::Single& y);
    void released(Part part, rt::Integer& button, rt::Integer& shift, rt::Single& x, rt::Single& y);
    void showIcon(Icon icon);
    // The lost-capture steps: repaint, normal icon, MouseInside off, MouseOut.
    void afterCapture(Part part);

    rt::Shape* shape1_;
    rt::Label* label1_;
    rt::Image* image1_;
    rt::Image* imageButton_;

    rt::PicturePtr pictureNormal_;
    rt::PicturePtr pictureHover_;
    rt::PicturePtr pictureDown_;
    Icon icon_ = Icon::Normal;
    bool mouseInside_ = false;
    bool graphical_ = false;
    bool textVisible_ = false;
    bool stretchToText_ = false;
    rt::Long backColorNormal_ = 0;
    rt::Long backColorHover_ = 0;
    rt::Long backColorDown_ = 0;
    rt::Long borderColorNormal_ = 0;
    rt::Long borderColorHover_ = 0;
    rt::Long borderColorDown_ = 0;
    rt::Long borderCustom_ = 0;
    rt::Long foreColorNormal_ = 0;
    rt::Long foreColorHover_ = 0;
    rt::Long foreColorDown_ = 0;
    bool borderGotFocus_ = false;
};

}  // namespace controls
