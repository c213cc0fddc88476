#include "nshape.h"

#include <QFont>
#include <QPoint>
#include <QVariant>
#include <cmath>

#include "runtime/convert.h"
#include "runtime/services.h"
#include "runtime/typefaces.h"

namespace controls {

namespace {

constexpr rt::Long kDisabledCaption = 0xB3B3B3;
constexpr rt::Long kDesignFace = 0xEFF1F2;
constexpr rt::Long kDesignBorder = 0xB3B3B3;
constexpr int kMargin = 8;

// A stored picture: absent or null means none; anything that is not a picture
// cannot be assigned to a picture member.
rt::PicturePtr pictureFrom(const QVariant& v) {
    if (!v.isValid() || v.isNull()) return nullptr;
    if (v.typeId() == qMetaTypeId<rt::PicturePtr>()) return v.value<rt::PicturePtr>();
    throw rt::RuntimeError(424, QStringLiteral("Object required"));
}

QVariant pictureValue(const rt::PicturePtr& p) {
    return QVariant::fromValue(p);
}

}  // namespace

N_Shape::N_Shape(QWidget* container)
    : HoverItem(container),
      shape1_(nullptr),
      label1_(nullptr),
      image1_(nullptr),
      imageButton_(nullptr) {
    setBackColor(kDesignFace);

    shape1_ = new rt::Shape(this);
    shape1_->setObjectName(QStringLiteral("Shape1"));
    shape1_->setShapeKind(4);
    shape1_->setFillStyle(0);
    shape1_->setFillColor(kDesignFace);
    shape1_->setBorderColor(kDesignBorder);

    image1_ = new rt::Image(this);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setVisible(false);

    label1_ = new rt::Label(this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setBackStyle(0);
    label1_->setForeColor(0);
    label1_->setFont(rt::runtimeFont(QStringLiteral("微软雅黑"), 9, false));
    label1_->setAutoSize(true);
    label1_->setCaption(QStringLiteral("NShape1"));

    // Design-time artwork only; kept out of sight so that it never takes the
    // pointer.
    imageButton_ = new rt::Image(this);
    imageButton_->setObjectName(QStringLiteral("Image_Button"));
    imageButton_->setVisible(false);

    label1_->Change.handle([this] { Ajustar_Botao(); });
    label1_->MouseMove.handle([this](rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y) {
        pointerMoved(Part::Caption, b, s, x, y);
    });
    label1_->MouseDown.handle([this](rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y) {
        pressed(Part::Caption, b, s, x, y);
    });
    label1_->MouseUp.handle([this](rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y) {
        released(Part::Caption, b, s, x, y);
    });
    label1_->DblClick.handle([this] { DblClick(); });

    image1_->MouseMove.handle([this](rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y) {
        pointerMoved(Part::Icon, b, s, x, y);
    });
    image1_->MouseDown.handle([this](rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y) {
        pressed(Part::Icon, b, s, x, y);
    });
    image1_->MouseUp.handle([this](rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y) {
        released(Part::Icon, b, s, x, y);
    });
    image1_->DblClick.handle([this] { DblClick(); });

    // The icon starts with the normal picture, which is empty until set.
    showIcon(Icon::Normal);
}

// ---------------------------------------------------------------- properties

QString N_Shape::Caption() const {
    return label1_->Caption();
}

void N_Shape::setCaption(const QString& caption) {
    label1_->setCaption(caption);
    setAccessibleName(caption);
    PropertyChanged(QStringLiteral("Caption"));
}

rt::Long N_Shape::Style() const {
    return shape1_->ShapeKind();
}

void N_Shape::setStyle(rt::Long kind) {
    shape1_->setShapeKind(rt::CInt(QVariant(kind)));
    PropertyChanged(QStringLiteral("Style"));
}

rt::Integer N_Shape::FontSize() const {
    return rt::CInt(QVariant(label1_->FontSize()));
}

void N_Shape::setFontSize(rt::Integer points) {
    label1_->setFontSize(points);
    PropertyChanged(QStringLiteral("FontSize"));
}

bool N_Shape::FontBold() const {
    return label1_->FontBold();
}

void N_Shape::setFontBold(bool bold) {
    label1_->setFontBold(bold);
    PropertyChanged(QStringLiteral("FontBold"));
}

void N_Shape::setEnabled(bool enabled) {
    rt::UserControl::setEnabled(enabled);
    PropertyChanged(QStringLiteral("Enabled"));
    label1_->setForeColor(enabled ? foreColorNormal_ : kDisabledCaption);
    repaintNow();
}

void N_Shape::setBorderGotFocus(bool on) {
    borderGotFocus_ = on;
    PropertyChanged(QStringLiteral("BorderGotFocus"));
}

rt::PicturePtr N_Shape::Picture_Normal() {
    if (!pictureNormal_) pictureNormal_ = rt::emptyPicture();
    return pictureNormal_;
}

void N_Shape::setPicture_Normal(rt::PicturePtr picture) {
    pictureNormal_ = std::move(picture);
    PropertyChanged(QStringLiteral("Picture_Normal"));
    showIcon(Icon::Normal);
}

rt::PicturePtr N_Shape::Picture_Down() {
    if (!pictureDown_) pictureDown_ = rt::emptyPicture();
    return pictureDown_;
}

void N_Shape::setPicture_Down(rt::PicturePtr picture) {
    pictureDown_ = std::move(picture);
    PropertyChanged(QStringLiteral("Picture_Down"));
}

rt::PicturePtr N_Shape::Picture_Hover() {
    if (!pictureHover_) pictureHover_ = rt::emptyPicture();
    return pictureHover_;
}

void N_Shape::setPicture_Hover(rt::PicturePtr picture) {
    pictureHover_ = std::move(picture);
    PropertyChanged(QStringLiteral("Picture_Hover"));
}

void N_Shape::setGraphical(bool on) {
    graphical_ = on;
    PropertyChanged(QStringLiteral("Graphical"));
    image1_->setVisible(on);
    Ajustar_Botao();
}

void N_Shape::setStretchToText(bool on) {
    stretchToText_ = on;
    PropertyChanged(QStringLiteral("StretchToText"));
    Ajustar_Botao();
}

void N_Shape::setText_Visible(bool on) {
    textVisible_ = on;
    PropertyChanged(QStringLiteral("Text_Visible"));
    label1_->setVisible(on);
    Ajustar_Botao();
}

bool N_Shape::Stretch() const {
    return image1_->Stretch();
}

void N_Shape::setStretch(bool on) {
    image1_->setStretch(on);
    PropertyChanged(QStringLiteral("Stretch"));
}

rt::Long N_Shape::CurPicture() const {
    // Pictures are told apart by handle, so an empty picture is never "shown".
    const quintptr shown = rt::handleOf(image1_->Picture());
    if (shown == 0) return 0;
    if (shown == rt::handleOf(pictureNormal_)) return 3;
    if (shown == rt::handleOf(pictureDown_)) return 1;
    if (shown == rt::handleOf(pictureHover_)) return 2;
    return 0;
}

rt::Long N_Shape::ForeColorNormal() const {
    return label1_->ForeColor();
}

void N_Shape::setForeColorNormal(rt::Long c) {
    foreColorNormal_ = c;
    label1_->setForeColor(c);
    PropertyChanged(QStringLiteral("ForeColorNormal"));
}

void N_Shape::setForeColorHover(rt::Long c) {
    foreColorHover_ = c;
    PropertyChanged(QStringLiteral("ForeColorHover"));
}

void N_Shape::setForeColorDown(rt::Long c) {
    foreColorDown_ = c;
    PropertyChanged(QStringLiteral("ForeColorDown"));
}

void N_Shape::setBackGround(rt::Long c) {
    setBackColor(c);
    PropertyChanged(QStringLiteral("BackGround"));
}

rt::Long N_Shape::BackColorNormal() const {
    return shape1_->FillColor();
}

void N_Shape::setBackColorNormal(rt::Long c) {
    backColorNormal_ = c;
    shape1_->setFillColor(c);
    PropertyChanged(QStringLiteral("BackColorNormal"));
}

void N_Shape::setBackColorHover(rt::Long c) {
    backColorHover_ = c;
    PropertyChanged(QStringLiteral("BackColorHover"));
}

void N_Shape::setBackColorDown(rt::Long c) {
    backColorDown_ = c;
    PropertyChanged(QStringLiteral("BackColorDown"));
}

void N_Shape::setBorderCustom(rt::Long c) {
    borderCustom_ = c;
    PropertyChanged(QStringLiteral("BorderCustom"));
}

rt::Long N_Shape::BorderColorNormal() const {
    return shape1_->BorderColor();
}

void N_Shape::setBorderColorNormal(rt::Long c) {
    borderColorNormal_ = c;
    shape1_->setBorderColor(c);
    PropertyChanged(QStringLiteral("BorderColorNormal"));
}

void N_Shape::setBorderColorHover(rt::Long c) {
    borderColorHover_ = c;
    PropertyChanged(QStringLiteral("BorderColorHover"));
}

void N_Shape::setBorderColorDown(rt::Long c) {
    borderColorDown_ = c;
    PropertyChanged(QStringLiteral("BorderColorDown"));
}

// ---------------------------------------------------------------- layout

void N_Shape::Ajustar_Botao() {
    if (stretchToText_) {
        skipOnError([this] {
            double px = 16;
            if (textVisible_ && graphical_)
                px = label1_->Width() + 16 + image1_->Width() + kMargin;
            else if (textVisible_)
                px = label1_->Width() + 16;
            else if (graphical_)
                px = image1_->Width() + 16;
            // In twips whatever the container's scale; the nested Resize
            // that follows lays the control out at its new width.
            QRectF r = twipsRect();
            r.setWidth(px * rt::kTwipsPerPixel);
            setTwipsRect(r);
        });
    }
    const double innerWidth = ScaleWidth();
    const double innerHeight = ScaleHeight();
    skipOnError([&] { shape1_->setTop(0); });
    skipOnError([&] { shape1_->setHeight(innerHeight); });
    skipOnError([&] { shape1_->setLeft(0); });
    skipOnError([&] { shape1_->setWidth(innerWidth); });
    skipOnError([&] { image1_->setTop((innerHeight - image1_->Height()) / 2); });
    skipOnError([&] { image1_->setLeft(kMargin); });
    skipOnError([&] { label1_->setTop((innerHeight - label1_->Height()) / 2); });
    skipOnError([&] {
        if (stretchToText_ && graphical_)
            label1_->setLeft(image1_->Left() + image1_->Width() + kMargin);
        else if (stretchToText_)
            label1_->setLeft(kMargin);
        else
            label1_->setLeft((innerWidth - label1_->Width()) / 2);
    });
}

// ---------------------------------------------------------------- state

void N_Shape::ApplyStateColors() {
    const rt::Long fill = ofState(backColorNormal_, backColorHover_, backColorDown_);
    const rt::Long fore = ofState(foreColorNormal_, foreColorHover_, foreColorDown_);
    const rt::Long border = ofState(borderColorNormal_, borderColorHover_, borderColorDown_);
    skipOnError([&] { shape1_->setFillColor(fill); });
    skipOnError([&] { label1_->setForeColor(fore); });
    skipOnError([&] { shape1_->setBorderColor(border); });
}

void N_Shape::showIcon(Icon icon) {
    icon_ = icon;
    image1_->setPicture(icon == Icon::Hover  ? Picture_Hover()
                        : icon == Icon::Down ? Picture_Down()
                                             : Picture_Normal());
}

void N_Shape::UserControl_Paint() {
    // Repaints come from the window system too (a child's update repaints
    // the surface): they must not undo a hover or pressed picture.
    showIcon(icon_);
}

void N_Shape::repaintNow() {
    // The repaints the control asks for itself put the normal icon back. A
    // control that is not on screen gets no paint until it is shown, so
    // settings applied while a window loads do not put the normal icon up.
    if (isVisible()) {
        icon_ = Icon::Normal;
        Refresh();
    } else {
        update();
    }
}

// ---------------------------------------------------------------- mouse

void N_Shape::pointerMoved(Part part, rt::Integer& button, rt::Integer& shift, rt::Single& x,
                           rt::Single& y) {
    // The icon raises the move but takes no part in the hover states.
    if (part == Part::Icon)
        MouseMove(button, shift, x, y);
    else
        movedOver(button, shift, x, y);
    if (button != rt::vbLeftButton) followCapture(part, x, y);
}

void N_Shape::followCapture(Part part, rt::Single x, rt::Single y) {
    if (rt::GetCapture() != hWnd()) {
        rt::SetCapture(hWnd());
        if (rt::handleOf(image1_->Picture()) != rt::handleOf(Picture_Hover())) {
            showIcon(Icon::Hover);
            if (part != Part::Icon) mouseInside_ = true;
        }
        return;
    }
    // The point is taken as the event gives it, relative to the control.
    QPoint pt(rt::CLng(QVariant(static_cast<double>(x))),
              rt::CLng(QVariant(static_cast<double>(y))));
    rt::ClientToScreen(hWnd(), pt);
    if (rt::WindowFromPoint(pt.x(), pt.y()) == hWnd()) return;
    repaintNow();
    rt::ReleaseCapture();
    afterCapture(part);
}

void N_Shape::afterCapture(Part part) {
    showIcon(Icon::Normal);
    if (part != Part::Icon) mouseInside_ = false;
    MouseOut();
}

void N_Shape::captureTakenAway() {
    // As if the pointer had left: a box or another window now lies over the
    // control.
    repaintNow();
    afterCapture(Part::Body);
}

void N_Shape::pressed(Part part, rt::Integer& button, rt::Integer& shift, rt::Single& x,
                      rt::Single& y) {
    if (part == Part::Icon) {
        MouseDown(button, shift, x, y);
        return;
    }
    if (part == Part::Body) showIcon(Icon::Down);
    pressedOn(button, shift, x, y);
}

void N_Shape::released(Part part, rt::Integer& button, rt::Integer& shift, rt::Single& x,
                       rt::Single& y) {
    if (part == Part::Icon) {
        MouseUp(button, shift, x, y);
        Click();
        return;
    }
    if (part == Part::Body) showIcon(Icon::Hover);
    releasedOn(button, shift, x, y);
}

void N_Shape::UserControl_MouseDown(rt::Integer& button, rt::Integer& shift, rt::Single& x,
                                    rt::Single& y) {
    pressed(Part::Body, button, shift, x, y);
}

void N_Shape::UserControl_MouseMove(rt::Integer& button, rt::Integer& shift, rt::Single& x,
                                    rt::Single& y) {
    pointerMoved(Part::Body, button, shift, x, y);
}

void N_Shape::UserControl_MouseUp(rt::Integer& button, rt::Integer& shift, rt::Single& x,
                                  rt::Single& y) {
    released(Part::Body, button, shift, x, y);
}

// ---------------------------------------------------------------- focus

void N_Shape::UserControl_GotFocus() {
    if (borderGotFocus_) shape1_->setBorderColor(borderCustom_);
}

void N_Shape::UserControl_LostFocus() {
    // Back to the border of the state the button is in.
    if (!borderGotFocus_) return;
    shape1_->setBorderColor(ofState(borderColorNormal_, borderColorHover_, borderColorDown_));
}

// ---------------------------------------------------------------- stored settings

void N_Shape::UserControl_InitProperties() {
    try {
        setCaption(ExtenderName());
        setEnabled(true);
        setBackGround(0xEFF1F2);
        setBackColorNormal(0xEFF1F2);
        setBackColorHover(0xE0E0E0);
        setBackColorDown(0xFFFFFF);
        setBorderColorNormal(0xB3B3B3);
        setBorderColorHover(0xB3B3B3);
        setBorderColorDown(0xB3B3B3);
        setFontSize(8);
        setFontBold(false);
        setSurfaceFontName(QStringLiteral("Verdana"));
        setBorderGotFocus(false);
        setBorderCustom(0xB3B3B3);
        setForeColorNormal(0);
        setForeColorHover(0);
        setForeColorDown(0);
        showIcon(Icon::Normal);
        Ajustar_Botao();
        setGraphical(false);
        setText_Visible(true);
        setStretchToText(true);
    } catch (const rt::RuntimeError&) {
        // A new button keeps whatever was set before the failing step.
    }
}

void N_Shape::UserControl_ReadProperties(rt::PropertyBag& bag) {
    const auto read = [&bag](const char* key, const QVariant& def) {
        return bag.ReadProperty(QLatin1String(key), def);
    };
    const auto text = [](const char* t) { return QVariant(QLatin1String(t)); };
    try {
        // Pictures go to the members only; the next repaint shows the normal one.
        pictureNormal_ = pictureFrom(read("Picture_Normal", {}));
        pictureDown_ = pictureFrom(read("Picture_Down", {}));
        pictureHover_ = pictureFrom(read("Picture_Hover", {}));
        image1_->setStretch(rt::CBool(read("Stretch", false)));
        setCaption(rt::CStr(read("Caption", text("NShape1"))));
        setBackGround(rt::CLng(read("BackGround", text("&HFF8080"))));
        setBackColorNormal(rt::CLng(read("BackColorNormal", text("&H8080FF"))));
        setBackColorHover(rt::CLng(read("BackColorHover", text("&H80C0FF"))));
        setBackColorDown(rt::CLng(read("BackColorDown", text("&H80FFFF"))));
        setBorderColorNormal(rt::CLng(read("BorderColorNormal", text("&H00FFFF80&"))));
        setBorderColorHover(rt::CLng(read("BorderColorHover", text("&H00FFFF80&"))));
        setBorderColorDown(rt::CLng(read("BorderColorDown", text("&H00FFFF80&"))));
        setFontSize(rt::CInt(read("FontSize", text("8"))));
        setFontBold(rt::CBool(read("FontBold", text("False"))));
        setSurfaceFontName(fontNameFrom(read("Font", text("MS Sans Serif"))));
        setEnabled(rt::CBool(read("Enabled", text("True"))));
        setBorderGotFocus(rt::CBool(read("BorderGotFocus", text("False"))));
        setBorderCustom(rt::CLng(read("BorderCustom", text("&H80FF80"))));
        setStyle(rt::CLng(read("Style", text("4"))));
        setGraphical(rt::CBool(read("Graphical", text("False"))));
        setForeColorNormal(rt::CLng(read("ForeColorNormal", text("&H8080FF"))));
        setForeColorHover(rt::CLng(read("ForeColorHover", text("&H8080FF"))));
        setForeColorDown(rt::CLng(read("ForeColorDown", text("&H8080FF"))));
        (void)read("List_Icons", QVariant::fromValue<rt::Integer>(1));
        setText_Visible(rt::CBool(read("Text_Visible", text("False"))));
        setStretchToText(rt::CBool(read("StretchToText", text("True"))));
    } catch (const rt::RuntimeError&) {
        // Loading stops at the first bad value; what came before stays.
    }
}

void N_Shape::UserControl_WriteProperties(rt::PropertyBag& bag) {
    const auto write = [&bag](const char* key, const QVariant& value, const QVariant& def) {
        bag.WriteProperty(QLatin1String(key), value, def);
    };
    const auto text = [](const char* t) { return QVariant(QLatin1String(t)); };
    const QVariant noPicture = QVariant::fromValue<rt::Integer>(0);
    try {
        write("Picture_Normal", pictureValue(Picture_Normal()), noPicture);
        write("Picture_Down", pictureValue(Picture_Down()), noPicture);
        write("Picture_Hover", pictureValue(Picture_Hover()), noPicture);
        write("Stretch", Stretch(), {});
        // Where the read default differs from the one the format writes
        // with, a value is stored whenever it differs from the read default,
        // so that it reloads as saved (an empty caption, 0xFF8080).
        write("Caption", Caption(), text("NShape1"));
        write("BackGround", BackGround(), text("&HFF8080"));
        // The normal members, not the colours on display: a button saved
        // while hovered, pressed or disabled keeps its normal look.
        write("BackColorNormal", backColorNormal_, text("&H8080FF"));
        write("BackColorHover", backColorHover_, text("&H80C0FF"));
        write("BackColorDown", backColorDown_, text("&H80FFFF"));
        write("BorderColorNormal", borderColorNormal_, text("&H00FFFF80&"));
        write("BorderColorHover", borderColorHover_, text("&H00FFFF80&"));
        write("BorderColorDown", borderColorDown_, text("&H00FFFF80&"));
        write("FontSize", QVariant::fromValue<rt::Integer>(FontSize()), text("8"));
        write("FontBold", FontBold(), text("False"));
        write("Font", Font(), text("MS Sans Serif"));
        write("Enabled", Enabled(), text("True"));
        write("BorderGotFocus", borderGotFocus_, text("False"));
        write("BorderCustom", borderCustom_, text("&H80FF80"));
        write("Style", Style(), text("4"));
        write("Graphical", graphical_, text("False"));
        write("ForeColorNormal", foreColorNormal_, text("&H8080FF"));
        write("ForeColorHover", foreColorHover_, text("&H8080FF"));
        write("ForeColorDown", foreColorDown_, text("&H8080FF"));
        write("List_Icons", QVariant(), QVariant::fromValue<rt::Integer>(1));
        write("Text_Visible", textVisible_, text("False"));
        write("StretchToText", stretchToText_, text("True"));
    } catch (const rt::RuntimeError&) {
        // Saving stops at the first failure; the keys written so far stay.
    }
}

}  // namespace controls
