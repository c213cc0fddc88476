#include "image.h"

#include <QPainter>

namespace rt {

Image::Image(QWidget* container) : MouseControl(container, false), picture_(emptyPicture()) {}

void Image::setPicture(PicturePtr p) {
    if (!p) p = emptyPicture();
    const bool same = p == picture_;
    picture_ = std::move(p);
    if (!stretch_ && !picture_->isEmpty()) {
        QRectF r = twipsRect();
        r.setSize(
            QSizeF(picture_->widthPx() * kTwipsPerPixel, picture_->heightPx() * kTwipsPerPixel));
        setTwipsRect(r);
    }
    if (!same) update();
}

void Image::setStretch(bool v) {
    stretch_ = v;
    update();
}

void Image::paintEvent(QPaintEvent*) {
    if (!picture_ || picture_->isEmpty()) return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (stretch_)
        p.drawImage(rect(), picture_->image());
    else
        p.drawImage(QPoint(0, 0), picture_->image());
}

}  // namespace rt
