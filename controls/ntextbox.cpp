#include "ntextbox.h"

#include <QFont>
#include <QLineEdit>
#include <QStringList>
#include <QVariant>
#include <algorithm>

#include "runtime/color.h"
#include "runtime/convert.h"
#include "runtime/services.h"
#include "runtime/typefaces.h"

namespace controls {

namespace {

constexpr rt::Long kBlue = 0xD05C28;
constexpr rt::Long kWhite = 0xFFFFFF;
constexpr const char* kCredit = "Halvern";

// Alignments above the last one are taken as the last; negative ones are
// left for the child to refuse.
rt::Long atMostTwo(rt::Long v) {
    return v > 2 ? 2 : v;
}

// A stored font: none keeps the current one; anything but a font fails.
rt::FontPtr storedFont(const QVariant& v, const rt::FontPtr& current) {
    if (!v.isValid()) return current;
    if (v.typeId() != QMetaType::QFont)
        throw rt::RuntimeError(424, QStringLiteral("Object required"));
    return rt::newFont(v.value<QFont>());
}

}  // namespace

N_TextBox::N_TextBox(QWidget* container)
    : rt::UserControl(container),
      shpBorder_(new rt::Shape(this)),
      lblHeader_(new rt::Label(this)),
      lbl_(new rt::Label(this)),
      txt_(new rt::TextBox(this)) {
    // The surface takes no focus of its own: the box does.
    setFocusPolicy(Qt::NoFocus);
    rt::UserControl::setFont(rt::runtimeFont(QStringLiteral("Arial"), 9, false));
    setTwipsRect(QRectF(0, 0, 2610, 1020));

    shpBorder_->setObjectName(QStringLiteral("shpBorder"));
    shpBorder_->setShapeKind(0);
    shpBorder_->setBackStyle(1);
    shpBorder_->setBackColor(kWhite);
    shpBorder_->setBorderColor(kBlue);
    shpBorder_->setTwipsRect(QRectF(0, 0, 2535, 615));

    lblHeader_->setObjectName(QStringLiteral("lblHeader"));
    lblHeader_->setVisible(false);
    lblHeader_->setCaption(QStringLiteral("Header"));
    lblHeader_->setTwipsRect(QRectF(0, 720, 2535, 255));
    lblHeader_->setForeColor(rt::sysColor(0x08));
    lblHeader_->setAlignment(2);
    lblHeader_->setFont(rt::runtimeFont(QStringLiteral("Verdana"), 6.75, false));

    lbl_->setObjectName(QStringLiteral("lbl"));
    lbl_->setVisible(false);
    lbl_->setTwipsRect(QRectF(45, 30, 1575, 375));
    lbl_->setCaption(QLatin1String(kTitle));
    lbl_->setForeColor(kBlue);
    lbl_->setAlignment(2);
    lbl_->setFont(rt::runtimeFont(QStringLiteral("Arial"), 8.25, true));

    txt_->setObjectName(QStringLiteral("txt"));
    txt_->setFontSpec(QStringLiteral("Arial"), 9, false);
    txt_->setTwipsRect(QRectF(45, 30, 2295, 375));
    txt_->setBorderStyle(0);
    txt_->setBackColor(kWhite);
    txt_->setForeColor(kBlue);
    txt_->setAlignment(2);
    txt_->setText(QLatin1String(kTitle));
    // Only the focus handler selects, and only with SelOnFocus.
    txt_->setTabSelectsAll(false);
    // Nothing typed reaches the box past KeyPress: it takes no drops.
    txt_->editor()->setAcceptDrops(false);

    txt_->DblClick.handle([this] { DblClick(); });
    txt_->MouseDown.handle([this](rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y) {
        MouseDown(b, s, x, y);
    });
    txt_->MouseMove.handle([this](rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y) {
        MouseMove(b, s, x, y);
    });
    txt_->MouseUp.handle([this](rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y) {
        MouseUp(b, s, x, y);
    });
    txt_->Change.handle([this] {
        lbl_->setCaption(txt_->Text());
        Change();
    });
    txt_->Click.handle([this] { Click(); });
    txt_->KeyUp.handle([this](rt::Integer& k, rt::Integer& s) { KeyUp(k, s); });
    txt_->KeyDown.handle([this](rt::Integer& k, rt::Integer& s) { KeyDown(k, s); });
    txt_->KeyPress.handle([this](rt::Integer& k) { txtKeyPress(k); });
    txt_->GotFocus.handle([this] { txtGotFocus(); });
    built_ = true;
}

// ---------------------------------------------------------------- properties

rt::FontPtr N_TextBox::Font() const {
    return txt_->Font();
}
void N_TextBox::setFont(rt::FontPtr f) {
    txt_->setFont(std::move(f));
    lbl_->setFont(txt_->Font());
    LayoutVertical(alignV_);
    PropertyChanged(QStringLiteral("FONT"));
}

rt::Long N_TextBox::ForeColor() const {
    return txt_->ForeColor();
}
void N_TextBox::setForeColor(rt::Long c) {
    txt_->setForeColor(c);
    lbl_->setForeColor(c);
    PropertyChanged(QStringLiteral("ForeColor"));
}

rt::Long N_TextBox::BorderColor() const {
    return shpBorder_->BorderColor();
}
void N_TextBox::setBorderColor(rt::Long c) {
    shpBorder_->setBorderColor(c);
    PropertyChanged(QStringLiteral("BorderColor"));
}

rt::Long N_TextBox::BackColor() const {
    return shpBorder_->BackColor();
}
void N_TextBox::setBackColor(rt::Long c) {
    shpBorder_->setBackColor(c);
    txt_->setBackColor(c);
    PropertyChanged(QStringLiteral("BackColor"));
}

QString N_TextBox::Text() const {
    return txt_->Text();
}
void N_TextBox::setText(const QString& text) {
    txt_->setText(text);
    lbl_->setCaption(text);
    PropertyChanged(QStringLiteral("Text"));
}

rt::Long N_TextBox::AlignementHorizontal() const {
    return txt_->Alignment();
}
void N_TextBox::setAlignementHorizontal(rt::Long a) {
    txt_->setAlignment(static_cast<int>(atMostTwo(a)));
    lbl_->setAlignment(txt_->Alignment());
    PropertyChanged(QStringLiteral("AlignementHorizontal"));
}

void N_TextBox::setAlignementVertical(rt::Long a) {
    alignV_ = rt::CByte(QVariant(atMostTwo(a)));
    LayoutVertical(alignV_);
    PropertyChanged(QStringLiteral("AlignementVertical"));
}

void N_TextBox::setNumberBox(bool on) {
    numberBox_ = on;
    PropertyChanged(QStringLiteral("NumberBox"));
}

void N_TextBox::setSelOnFocus(bool on) {
    selOnFocus_ = on;
    PropertyChanged(QStringLiteral("SelOnFocus"));
}

bool N_TextBox::LabelBox() const {
    return lbl_->Visible();
}
void N_TextBox::setLabelBox(bool on) {
    lbl_->setVisible(on);
    txt_->setVisible(!on);
    PropertyChanged(QStringLiteral("LabelBox"));
}

bool N_TextBox::Enabled() const {
    return txt_->Enabled();
}
void N_TextBox::setEnabled(bool on) {
    txt_->setEnabled(on);
    lbl_->setEnabled(on);
    PropertyChanged(QStringLiteral("Enabled"));
}

bool N_TextBox::Locked() const {
    return txt_->Locked();
}
void N_TextBox::setLocked(bool on) {
    txt_->setLocked(on);
    PropertyChanged(QStringLiteral("Locked"));
}

QString N_TextBox::PasswordChar() const {
    return txt_->PasswordChar();
}
void N_TextBox::setPasswordChar(const QString& c) {
    txt_->setPasswordChar(c.left(1));
    PropertyChanged(QStringLiteral("PasswordChar"));
}

bool N_TextBox::Header() const {
    return lblHeader_->Visible();
}
void N_TextBox::setHeader(bool on) {
    lblHeader_->setVisible(on);
    LayoutVertical(alignV_);
    PropertyChanged(QStringLiteral("Header"));
}

rt::Long N_TextBox::HeaderAlignement() const {
    return lblHeader_->Alignment();
}
void N_TextBox::setHeaderAlignement(rt::Long a) {
    lblHeader_->setAlignment(static_cast<int>(atMostTwo(a)));
    PropertyChanged(QStringLiteral("HeaderAlignement"));
}

rt::Long N_TextBox::HeaderForeColor() const {
    return lblHeader_->ForeColor();
}
void N_TextBox::setHeaderForeColor(rt::Long c) {
    lblHeader_->setForeColor(c);
    PropertyChanged(QStringLiteral("HeaderForeColor"));
}

rt::Long N_TextBox::HeaderBackColor() const {
    return lblHeader_->BackColor();
}
void N_TextBox::setHeaderBackColor(rt::Long c) {
    lblHeader_->setBackColor(c);
    rt::UserControl::setBackColor(c);
    PropertyChanged(QStringLiteral("HeaderBackColor"));
}

rt::FontPtr N_TextBox::HeaderFont() const {
    return lblHeader_->Font();
}
void N_TextBox::setHeaderFont(rt::FontPtr f) {
    lblHeader_->setFont(std::move(f));
    LayoutVertical(alignV_);
    PropertyChanged(QStringLiteral("HeaderFont"));
}

QString N_TextBox::HeaderCaption() const {
    return lblHeader_->Caption();
}
void N_TextBox::setHeaderCaption(const QString& caption) {
    lblHeader_->setCaption(caption);
    PropertyChanged(QStringLiteral("HeaderCaption"));
}

void N_TextBox::About() {
    try {
        const QStringList lines = {QLatin1String(kTitle),
                                   QString(),
                                   QStringLiteral("Written by:"),
                                   QLatin1String(kCredit),
                                   QString(),
                                   QStringLiteral("You can freely use this control as you want!")};
        rt::MsgBox(lines.join(QStringLiteral("\r\n")), rt::vbInformation);
    } catch (const rt::RuntimeError&) {
    }
}

// ---------------------------------------------------------------- the box

void N_TextBox::txtKeyPress(rt::Integer& keyAscii) {
    KeyPress(keyAscii);
    // Only what non-negative whole numbers are typed with: digits, Backspace.
    if (numberBox_ && !(keyAscii >= 48 && keyAscii <= 57) && keyAscii != 8) keyAscii = 0;
}

void N_TextBox::txtGotFocus() {
    if (!selOnFocus_) return;
    txt_->setSelStart(0);
    txt_->setSelLength(static_cast<int>(txt_->Text().size()));
}

// ---------------------------------------------------------------- layout

void N_TextBox::UserControl_Resize() {
    if (!built_) return;
    // Setting the size here resizes the control again: that nested pass
    // lays out with the corrected size, then this one goes on.
    if (twipsRect().width() < 300)
        setTwipsRect(QRectF(twipsRect().topLeft(), QSizeF(300, twipsRect().height())));
    if (twipsRect().height() < 60)
        setTwipsRect(QRectF(twipsRect().topLeft(), QSizeF(twipsRect().width(), 60)));
    shpBorder_->setWidth(twipsRect().width());
    txt_->setWidth(shpBorder_->Width() - 90);
    LayoutVertical(alignV_);
}

void N_TextBox::LayoutVertical(rt::Byte placement) {
    // The header takes the natural size of its caption and keeps it.
    lblHeader_->setAutoSize(true);
    lblHeader_->setAutoSize(false);
    const double band = lblHeader_->Visible() ? rt::roundHalfEven(lblHeader_->Height() + 15) : 0.0;
    lblHeader_->setLeft(0);
    lblHeader_->setTop(0);
    lblHeader_->setWidth(shpBorder_->Width());
    shpBorder_->setTop(band);
    // A control lower than the header band keeps an empty frame.
    shpBorder_->setHeight(std::max(0.0, twipsRect().height() - band));
    lbl_->setAutoSize(true);
    lbl_->setAutoSize(false);
    const double frameTop = shpBorder_->Top();
    const double frameHeight = shpBorder_->Height();
    switch (placement) {
        case 0:
            txt_->setTop(frameTop + 15);
            lbl_->setTop(frameTop + 15);
            break;
        case 1:
            lbl_->setTop((frameHeight - lbl_->Height()) / 2 + frameTop);
            txt_->setTop(lbl_->Top());
            break;
        case 2:
            lbl_->setTop(frameHeight - lbl_->Height() + frameTop - 15);
            txt_->setTop(lbl_->Top());
            break;
        default:
            break;
    }
    lbl_->setWidth(txt_->Width());
    lbl_->setLeft(txt_->Left());
    // The smallest height the box takes: one line of its font.
    txt_->setHeight(0);
}

// ---------------------------------------------------------------- settings

void N_TextBox::UserControl_InitProperties() {
    numberBox_ = false;
    selOnFocus_ = true;
    alignV_ = 1;
}

void N_TextBox::UserControl_ReadProperties(rt::PropertyBag& bag) {
    auto read = [&](const char* key, const QVariant& def) {
        return bag.ReadProperty(QLatin1String(key), def);
    };
    txt_->setText(rt::CStr(read("Text", QString())));
    lbl_->setCaption(txt_->Text());
    txt_->setAlignment(rt::CInt(read("AlignementHorizontal", 1)));
    lbl_->setAlignment(txt_->Alignment());
    numberBox_ = rt::CBool(read("NumberBox", false));
    alignV_ = rt::CByte(read("AlignementVertical", 1));
    LayoutVertical(alignV_);
    txt_->setLocked(rt::CBool(read("Locked", false)));
    txt_->setEnabled(rt::CBool(read("Enabled", true)));
    lbl_->setEnabled(txt_->Enabled());
    txt_->setForeColor(rt::CLng(read("ForeColor", kBlue)));
    lbl_->setForeColor(txt_->ForeColor());
    shpBorder_->setBorderColor(rt::CLng(read("BorderColor", kBlue)));
    shpBorder_->setBackColor(rt::CLng(read("BackColor", kWhite)));
    txt_->setBackColor(shpBorder_->BackColor());
    lbl_->setBackColor(shpBorder_->BackColor());
    // The font is saved, so it comes back before the label takes it.
    txt_->setFont(storedFont(read("FONT", QVariant()), txt_->Font()));
    lbl_->setFont(txt_->Font());
    txt_->setPasswordChar(rt::CStr(read("PasswordChar", QString())));
    lbl_->setVisible(rt::CBool(read("LabelBox", false)));
    txt_->setVisible(!lbl_->Visible());
    selOnFocus_ = rt::CBool(read("SelOnFocus", true));
    // Shown after the layout above: the frame makes room at the next one.
    lblHeader_->setVisible(rt::CBool(read("Header", false)));
    lblHeader_->setAlignment(rt::CInt(read("HeaderAlignement", 1)));
    lblHeader_->setForeColor(rt::CLng(read("HeaderForeColor", kBlue)));
    lblHeader_->setBackColor(rt::CLng(read("HeaderBackColor", kWhite)));
    rt::UserControl::setBackColor(lblHeader_->BackColor());
    lblHeader_->setFont(storedFont(read("HeaderFont", QVariant()), lblHeader_->Font()));
    lblHeader_->setCaption(rt::CStr(read("HeaderCaption", lblHeader_->Caption())));
}

void N_TextBox::UserControl_WriteProperties(rt::PropertyBag& bag) {
    auto write = [&](const char* key, const QVariant& v) {
        bag.WriteProperty(QLatin1String(key), v);
    };
    auto integer = [](int v) { return QVariant::fromValue(static_cast<rt::Integer>(v)); };
    write("Text", txt_->Text());
    write("AlignementHorizontal", integer(txt_->Alignment()));
    write("NumberBox", numberBox_);
    write("AlignementVertical", QVariant::fromValue(alignV_));
    write("Locked", txt_->Locked());
    write("Enabled", txt_->Enabled());
    write("ForeColor", txt_->ForeColor());
    write("BorderColor", shpBorder_->BorderColor());
    write("BackColor", shpBorder_->BackColor());
    write("FONT", txt_->Font()->qfont());
    write("PasswordChar", txt_->PasswordChar());
    write("LabelBox", lbl_->Visible());
    write("SelOnFocus", selOnFocus_);
    write("Header", lblHeader_->Visible());
    write("HeaderAlignement", integer(lblHeader_->Alignment()));
    write("HeaderForeColor", lblHeader_->ForeColor());
    write("HeaderBackColor", lblHeader_->BackColor());
    write("HeaderFont", lblHeader_->Font()->qfont());
    write("HeaderCaption", lblHeader_->Caption());
}

}  // namespace controls
