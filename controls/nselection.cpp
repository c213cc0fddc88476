#include "nselection.h"

#include <QColor>
#include <QImage>
#include <QVariant>

#include "runtime/convert.h"
#include "runtime/typefaces.h"

namespace controls {

namespace {

constexpr rt::Long kDesignFace = 0xEFF1F2;
constexpr rt::Long kDescriptionGrey = 0x808080;
constexpr double kTextLeft = 35;
constexpr const char* kCaptionText = "NSelection1";
const QString kDescriptionText = QStringLiteral(u"Descri\u73A2o");

// The strip at the item's left, 14 x 41 pixels of one dark grey; its height
// is the item's height. One picture serves every item.
rt::PicturePtr stripPicture() {
    static const rt::PicturePtr strip = [] {
        QImage img(14, 41, QImage::Format_RGB32);
        img.fill(QColor(0x2D, 0x2D, 0x2D));
        return std::make_shared<rt::Picture>(img);
    }();
    return strip;
}

}  // namespace

N_Selection::N_Selection(QWidget* container)
    : HoverItem(container), label1_(nullptr), labelDescricao_(nullptr), image1_(nullptr) {
    setBackColor(kDesignFace);

    label1_ = new rt::Label(this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setBackStyle(0);
    label1_->setForeColor(0);
    label1_->setFont(rt::runtimeFont(QStringLiteral("Verdana"), 9.75, false));
    label1_->setAutoSize(true);
    label1_->setCaption(QLatin1String(kCaptionText));

    labelDescricao_ = new rt::Label(this);
    labelDescricao_->setObjectName(QStringLiteral("Label_Descricao"));
    labelDescricao_->setBackStyle(0);
    labelDescricao_->setForeColor(kDescriptionGrey);
    labelDescricao_->setFont(rt::runtimeFont(QStringLiteral("Verdana"), 6.75, false));
    labelDescricao_->setAutoSize(true);
    labelDescricao_->setCaption(QStringLiteral("NDescricao1"));

    // The strip has no handlers: the pointer over it raises nothing.
    image1_ = new rt::Image(this);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setPicture(stripPicture());
    image1_->Move(0, 0);

    followsPointer(label1_);
    followsPointer(labelDescricao_);
}

void N_Selection::followsPointer(rt::Label* part) {
    part->MouseMove.handle([this](rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y) {
        movedOver(b, s, x, y);
    });
    part->MouseDown.handle([this](rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y) {
        pressedOn(b, s, x, y);
    });
    part->MouseUp.handle([this](rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y) {
        releasedOn(b, s, x, y);
    });
    part->DblClick.handle([this] { DblClick(); });
}

// ---------------------------------------------------------------- properties

QString N_Selection::Caption() const {
    return label1_->Caption();
}

void N_Selection::setCaption(const QString& caption) {
    label1_->setCaption(caption);
    setAccessibleName(caption);
    PropertyChanged(QStringLiteral("Caption"));
}

QString N_Selection::Description() const {
    return labelDescricao_->Caption();
}

void N_Selection::setDescription(const QString& description) {
    labelDescricao_->setCaption(description);
    PropertyChanged(QStringLiteral("Description"));
}

rt::Integer N_Selection::FontSize() const {
    return rt::CInt(QVariant(label1_->FontSize()));
}

void N_Selection::setFontSize(rt::Integer points) {
    label1_->setFontSize(points);
    PropertyChanged(QStringLiteral("FontSize"));
}

bool N_Selection::FontBold() const {
    return label1_->FontBold();
}

void N_Selection::setFontBold(bool bold) {
    label1_->setFontBold(bold);
    PropertyChanged(QStringLiteral("FontBold"));
}

void N_Selection::setEnabled(bool enabled) {
    rt::UserControl::setEnabled(enabled);
    PropertyChanged(QStringLiteral("Enabled"));
}

rt::Long N_Selection::ForeColorNormal() const {
    return label1_->ForeColor();
}

void N_Selection::setForeColorNormal(rt::Long c) {
    foreColorNormal_ = c;
    label1_->setForeColor(c);
    PropertyChanged(QStringLiteral("ForeColorNormal"));
}

void N_Selection::setForeColorHover(rt::Long c) {
    foreColorHover_ = c;
    PropertyChanged(QStringLiteral("ForeColorHover"));
}

void N_Selection::setForeColorDown(rt::Long c) {
    foreColorDown_ = c;
    PropertyChanged(QStringLiteral("ForeColorDown"));
}

void N_Selection::setBackColorNormal(rt::Long c) {
    backColorNormal_ = c;
    setBackColor(c);
    PropertyChanged(QStringLiteral("BackColorNormal"));
}

void N_Selection::setBackColorHover(rt::Long c) {
    backColorHover_ = c;
    PropertyChanged(QStringLiteral("BackColorHover"));
}

void N_Selection::setBackColorDown(rt::Long c) {
    backColorDown_ = c;
    PropertyChanged(QStringLiteral("BackColorDown"));
}

rt::Long N_Selection::ForeColorNormal_2() const {
    return labelDescricao_->ForeColor();
}

void N_Selection::setForeColorNormal_2(rt::Long c) {
    foreColorNormal2_ = c;
    labelDescricao_->setForeColor(c);
    PropertyChanged(QStringLiteral("ForeColorNormal_2"));
}

void N_Selection::setForeColorHover_2(rt::Long c) {
    foreColorHover2_ = c;
    PropertyChanged(QStringLiteral("ForeColorHover_2"));
}

void N_Selection::setForeColorDown_2(rt::Long c) {
    foreColorDown2_ = c;
    PropertyChanged(QStringLiteral("ForeColorDown_2"));
}

// ---------------------------------------------------------------- layout and state

void N_Selection::Ajustar_Botao() {
    // As high as the strip; a change of height lays the item out once more
    // from the nested Resize. The width stays as the host set it.
    skipOnError([this] {
        QRectF r = twipsRect();
        r.setHeight(image1_->Height() * rt::kTwipsPerPixel);
        setTwipsRect(r);
    });
    const double middle = ScaleHeight() / 2;
    skipOnError([&] { label1_->setTop(middle - label1_->Height()); });
    skipOnError([&] { label1_->setLeft(kTextLeft); });
    skipOnError([&] { labelDescricao_->setTop(middle); });
    skipOnError([&] { labelDescricao_->setLeft(label1_->Left()); });
}

void N_Selection::ApplyStateColors() {
    const rt::Long back = ofState(backColorNormal_, backColorHover_, backColorDown_);
    const rt::Long fore = ofState(foreColorNormal_, foreColorHover_, foreColorDown_);
    const rt::Long fore2 = ofState(foreColorNormal2_, foreColorHover2_, foreColorDown2_);
    skipOnError([&] { setBackColor(back); });
    skipOnError([&] { label1_->setForeColor(fore); });
    skipOnError([&] { labelDescricao_->setForeColor(fore2); });
}

// ---------------------------------------------------------------- mouse

void N_Selection::UserControl_MouseDown(rt::Integer& button, rt::Integer& shift, rt::Single& x,
                                        rt::Single& y) {
    pressedOn(button, shift, x, y);
}

void N_Selection::UserControl_MouseMove(rt::Integer& button, rt::Integer& shift, rt::Single& x,
                                        rt::Single& y) {
    movedOver(button, shift, x, y);
}

void N_Selection::UserControl_MouseUp(rt::Integer& button, rt::Integer& shift, rt::Single& x,
                                      rt::Single& y) {
    releasedOn(button, shift, x, y);
}

// ---------------------------------------------------------------- stored settings

void N_Selection::UserControl_InitProperties() {
    try {
        setCaption(ExtenderName());
        setDescription(kDescriptionText);
        setEnabled(true);
        setBackColorNormal(0x000000);
        setBackColorHover(0x2D2D2D);
        setBackColorDown(0xFFFFFF);
        setFontSize(8);
        setFontBold(false);
        setSurfaceFontName(QStringLiteral("Verdana"));
        setForeColorNormal(0xFFFFFF);
        setForeColorHover(0xFFFFFF);
        setForeColorDown(0x000000);
        setForeColorNormal_2(0xFFFFFF);
        setForeColorHover_2(0xFFFFFF);
        setForeColorDown_2(0x000000);
        Ajustar_Botao();
    } catch (const rt::RuntimeError&) {
        // A new item keeps whatever was set before the failing step.
    }
}

void N_Selection::UserControl_ReadProperties(rt::PropertyBag& bag) {
    const auto read = [&bag](const char* key, const QVariant& def) {
        return bag.ReadProperty(QLatin1String(key), def);
    };
    const auto text = [](const char* t) { return QVariant(QLatin1String(t)); };
    try {
        setCaption(rt::CStr(read("Caption", text(kCaptionText))));
        setDescription(rt::CStr(read("Description", kDescriptionText)));
        setBackColorNormal(rt::CLng(read("BackColorNormal", text("&H00000000&"))));
        setBackColorHover(rt::CLng(read("BackColorHover", text("&H002D2D2D&"))));
        setBackColorDown(rt::CLng(read("BackColorDown", text("&H80FFFF"))));
        setFontSize(rt::CInt(read("FontSize", text("8"))));
        setFontBold(rt::CBool(read("FontBold", text("False"))));
        setSurfaceFontName(fontNameFrom(read("Font", text("MS Sans Serif"))));
        setEnabled(rt::CBool(read("Enabled", text("True"))));
        setForeColorNormal(rt::CLng(read("ForeColorNormal", text("&H00000000&"))));
        setForeColorHover(rt::CLng(read("ForeColorHover", text("&H00000000&"))));
        setForeColorDown(rt::CLng(read("ForeColorDown", text("&H00FFFFFF&"))));
        setForeColorNormal_2(rt::CLng(read("ForeColorNormal_2", text("&H00000000&"))));
        setForeColorHover_2(rt::CLng(read("ForeColorHover_2", text("&H00000000&"))));
        setForeColorDown_2(rt::CLng(read("ForeColorDown_2", text("&H00FFFFFF&"))));
    } catch (const rt::RuntimeError&) {
        // Loading stops at the first bad value; what came before stays.
    }
}

void N_Selection::UserControl_WriteProperties(rt::PropertyBag& bag) {
    const auto write = [&bag](const char* key, const QVariant& value, const QVariant& def) {
        bag.WriteProperty(QLatin1String(key), value, def);
    };
    const auto text = [](const char* t) { return QVariant(QLatin1String(t)); };
    try {
        // Every value is left out only when it equals the default it is read
        // back with, so that it reloads as saved (an empty caption, 0xFF8080
        // as a caption colour).
        write("Caption", Caption(), text(kCaptionText));
        write("Description", Description(), kDescriptionText);
        // The normal members, not the colours on display: an item saved while
        // hovered or pressed keeps its normal look.
        write("BackColorNormal", backColorNormal_, text("&H00000000&"));
        write("BackColorHover", backColorHover_, text("&H002D2D2D&"));
        write("BackColorDown", backColorDown_, text("&H80FFFF"));
        write("FontSize", QVariant::fromValue<rt::Integer>(FontSize()), text("8"));
        write("FontBold", FontBold(), text("False"));
        write("Font", Font(), text("MS Sans Serif"));
        write("Enabled", Enabled(), text("True"));
        write("ForeColorNormal", foreColorNormal_, text("&H00000000&"));
        write("ForeColorHover", foreColorHover_, text("&H00000000&"));
        write("ForeColorDown", foreColorDown_, text("&H00FFFFFF&"));
        write("ForeColorNormal_2", foreColorNormal2_, text("&H00000000&"));
        write("ForeColorHover_2", foreColorHover2_, text("&H00000000&"));
        write("ForeColorDown_2", foreColorDown2_, text("&H00FFFFFF&"));
    } catch (const rt::RuntimeError&) {
        // Saving stops at the first failure; the keys written so far stay.
    }
}

}  // namespace controls
