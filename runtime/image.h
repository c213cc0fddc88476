#pragma once
// The image: a picture drawn by its container.
#include "control.h"
#include "picture.h"

namespace rt {

class Image : public MouseControl {
    Q_OBJECT
public:
    explicit Image(QWidget* container);
    PicturePtr Picture() const { return picture_; }
    // Without Stretch the image takes the picture's size.
    void setPicture(PicturePtr p);
    bool Stretch() const { return stretch_; }
    void setStretch(bool v);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    PicturePtr picture_;
    bool stretch_ = false;
};

}  // namespace rt
