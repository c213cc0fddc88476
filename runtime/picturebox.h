#pragma once
// The picture box: a window of its own that shows a picture and has a scale.
#include "control.h"
#include "picture.h"

namespace rt {

class PictureBox : public InputControl, public Scalable {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* container);
    PicturePtr Picture() const { return picture_; }
    void setPicture(PicturePtr p);
    Long BackColor() const { return backColor_; }
    void setBackColor(Long c);
    // 0 none, 1 fixed single.
    void setBorderStyle(int v);
    void setAutoSize(bool v);
    double eventUnitTwips() const override { return unitTwips(); }

protected:
    const QWidget* scaleWidget() const override { return this; }
    void paintEvent(QPaintEvent*) override;

private:
    PicturePtr picture_;
    Long backColor_;
    int borderStyle_ = 1;
    bool autoSize_ = false;
};

}  // namespace rt
