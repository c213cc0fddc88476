#include "label.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "color.h"

namespace rt {

Label::Label(QWidget* container)
    : MouseControl(container, false),
      backColor_(sysColor(0x0F)),
      foreColor_(sysColor(0x12)),
      font_(
          this, [this] { return font(); }, [this](const QFont& f) { applyFont(f); }) {}

void Label::setCaption(const QString& c) {
    if (c == caption_) return;
    caption_ = c;
    setAccessibleName(c);
    if (autoSize_) fitToCaption();
    update();
    Change();
}

void Label::setAutoSize(bool v) {
    autoSize_ = v;
    if (v) fitToCaption();
}

namespace {

// A caption's lines end at CR LF, a lone CR or a lone LF, as the Windows
// runtime draws them; Qt breaks lines only at LF.
QString shownLines(const QString& caption) {
    QString t = caption;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(u'\r', u'\n');
    return t;
}

}  // namespace

void Label::fitToCaption() {
    const QFontMetrics fm(font());
    const QString text = shownLines(caption_);
    // The advance is rounded up: a width a fraction short would wrap the
    // last character onto a line the label does not show. A caption of
    // several lines is as wide as its widest and shows every one.
    QSize s;
    if (wordWrap_) {
        s = fm.boundingRect(QRect(0, 0, width(), 10000), Qt::TextWordWrap, text).size();
    } else {
        double widest = 0;
        for (const QString& line : text.split(u'\n'))
            widest = std::max(widest, QFontMetricsF(font()).horizontalAdvance(line));
        s = QSize(static_cast<int>(std::ceil(widest)),
                  text.contains(u'\n') ? fm.boundingRect(QRect(), 0, text).height() : fm.height());
    }
    QRectF r = twipsRect();
    if (!wordWrap_) r.setWidth(s.width() * kTwipsPerPixel);
    r.setHeight(s.height() * kTwipsPerPixel);
    setTwipsRect(r);
}

void Label::setAlignment(int a) {
    if (a < 0 || a > 2) throw RuntimeError(380, QStringLiteral("Invalid property value"));
    alignment_ = a;
    update();
}
void Label::setBackStyle(int v) {
    backStyle_ = v;
    update();
}
void Label::setBackColor(Long c) {
    backColor_ = c;
    update();
}
void Label::setForeColor(Long c) {
    foreColor_ = c;
    update();
}
void Label::setWordWrap(bool v) {
    wordWrap_ = v;
    if (autoSize_) fitToCaption();
    update();
}
void Label::applyFont(const QFont& f) {
    QWidget::setFont(f);
    if (autoSize_) fitToCaption();
    update();
}
void Label::setFontSize(double pt) {
    QFont f = font();
    f.setPointSizeF(pt);
    setFont(f);
}
void Label::setFontBold(bool b) {
    QFont f = font();
    f.setBold(b);
    setFont(f);
}

void Label::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (backStyle_ == 1) p.fillRect(rect(), toQColor(backColor_));
    p.setPen(toQColor(foreColor_));
    p.setFont(font());
    int flags = alignment_ == 1   ? Qt::AlignRight
                : alignment_ == 2 ? Qt::AlignHCenter
                                  : Qt::AlignLeft;
    // A label that sizes itself to its caption keeps to the caption's lines.
    flags |= Qt::AlignTop;
    if (wordWrap_ || !autoSize_) flags |= Qt::TextWordWrap;
    p.drawText(rect(), flags, shownLines(caption_));
}

}  // namespace rt
