#pragma once
// The shape: a rectangle, square, oval, circle or rounded one.
#include "control.h"
#include "types.h"

namespace rt {

// A shape is drawn by its container and never takes the mouse.
class Shape : public Control {
    Q_OBJECT
public:
    explicit Shape(QWidget* container);
    // 0 rectangle, 1 square, 2 oval, 3 circle, 4 rounded rectangle, 5 rounded
    // square; any other value fails with error 380.
    Integer ShapeKind() const { return shape_; }
    void setShapeKind(Integer v);
    Long FillColor() const { return fillColor_; }
    void setFillColor(Long c);
    // 0 solid, 1 transparent.
    Integer FillStyle() const { return fillStyle_; }
    void setFillStyle(Integer v);
    Long BorderColor() const { return borderColor_; }
    void setBorderColor(Long c);
    // 0 transparent, 1 solid.
    void setBorderStyle(Integer v);
    void setBorderWidth(Integer v);
    void setBackStyle(Integer v);
    Long BackColor() const { return backColor_; }
    void setBackColor(Long c);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    Integer shape_ = 0;
    Long fillColor_ = 0;
    Integer fillStyle_ = 1;
    Long borderColor_ = 0;
    Integer borderStyle_ = 1;
    Integer borderWidth_ = 1;
    Integer backStyle_ = 0;
    Long backColor_ = 0xFFFFFF;
};

}  // namespace rt
