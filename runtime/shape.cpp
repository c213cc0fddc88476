#include "shape.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "color.h"

namespace rt {

Shape::Shape(QWidget* container) : Control(container, false) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::setShapeKind(Integer v) {
    if (v < 0 || v > 5) throw RuntimeError(380, QStringLiteral("Invalid property value"));
    shape_ = v;
    update();
}
void Shape::setFillColor(Long c) {
    fillColor_ = c;
    update();
}
void Shape::setFillStyle(Integer v) {
    fillStyle_ = v;
    update();
}
void Shape::setBorderColor(Long c) {
    borderColor_ = c;
    update();
}
void Shape::setBorderStyle(Integer v) {
    borderStyle_ = v;
    update();
}
void Shape::setBorderWidth(Integer v) {
    borderWidth_ = v;
    update();
}
void Shape::setBackStyle(Integer v) {
    backStyle_ = v;
    update();
}
void Shape::setBackColor(Long c) {
    backColor_ = c;
    update();
}

void Shape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, shape_ >= 2);
    QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (shape_ == 1 || shape_ == 3 || shape_ == 5) {
        const double side = std::min(r.width(), r.height());
        r = QRectF(r.center().x() - side / 2, r.center().y() - side / 2, side, side);
    }
    QPainterPath path;
    if (shape_ == 2 || shape_ == 3)
        path.addEllipse(r);
    else if (shape_ == 4 || shape_ == 5) {
        const double rad = std::min(r.width(), r.height()) / 8;
        path.addRoundedRect(r, rad, rad);
    } else
        path.addRect(r);
    if (backStyle_ == 1) p.fillPath(path, toQColor(backColor_));
    if (fillStyle_ == 0) p.fillPath(path, toQColor(fillColor_));
    if (borderStyle_ != 0) {
        QPen pen(toQColor(borderColor_));
        pen.setWidth(borderWidth_);
        p.setPen(pen);
        p.drawPath(path);
    }
}

}  // namespace rt
