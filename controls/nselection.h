#pragma once
// The two-line list item: a caption line above a smaller description line,
// a dark picture strip at the left, on a surface whose back colour follows
// the pointer and the mouse button. It follows the pointer with the leave
// poll only: no capture, no pictures per state, no focus border.
#include <QString>

#include "hoveritem.h"
#include "runtime/image.h"
#include "runtime/label.h"

namespace controls {

//
// Caption and description sit at Left 35 and meet on the middle line; the
// 14 x 41 strip (drawn in code) sets the height, the width is the host's.
// Saving writes every key against the default it is read back with and
// stores the Normal members, not the colours shown, so an item saved while
// hovered reloads as set.
class N_Selection : public HoverItem {
    Q_OBJECT
public:
    explicit N_Selection(QWidget* container);

    // ---- properties, in their published order
    QString Caption() const;
    void setCaption(const QString& caption);
    QString Description() const;
    void setDescription(const QString& description);
    // The caption line's font; the description keeps its own.
    rt::Integer FontSize() const;
    void setFontSize(rt::Integer points);
    bool FontBold() const;
    void setFontBold(bool bold);
    // Enabled() comes from HoverItem; setting it changes no colour.
    void setEnabled(bool enabled);
    bool MouseInside() const { return mouseInside_; }
    void Ajustar_Botao() override;
    // The Normal getters report what is shown now, not the stored member.
    rt::Long ForeColorNormal() const;
    void setForeColorNormal(rt::Long c);
    rt::Long ForeColorHover() const { return foreColorHover_; }
    void setForeColorHover(rt::Long c);
    rt::Long ForeColorDown() const { return foreColorDown_; }
    void setForeColorDown(rt::Long c);
    rt::Long BackColorNormal() const { return BackColor(); }
    void setBackColorNormal(rt::Long c);
    rt::Long BackColorHover() const { return backColorHover_; }
    void setBackColorHover(rt::Long c);
    rt::Long BackColorDown() const { return backColorDown_; }
    void setBackColorDown(rt::Long c);
    rt::Long ForeColorNormal_2() const;
    void setForeColorNormal_2(rt::Long c);
    rt::Long ForeColorHover_2() const { return foreColorHover2_; }
    void setForeColorHover_2(rt::Long c);
    rt::Long ForeColorDown_2() const { return foreColorDown2_; }
    void setForeColorDown_2(rt::Long c);

    // ---- constituents, for the host and for tests
    rt::Label* label1() const { return label1_; }
    rt::Label* labelDescricao() const { return labelDescricao_; }
    rt::Image* image1() const { return image1_; }

protected:
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(rt::PropertyBag& bag) override;
    void UserControl_WriteProperties(rt::PropertyBag& bag) override;
    void UserControl_MouseDown(rt::Integer& button, rt::Integer& shift, rt::Single& x,
                               rt::Single& y) override;
    void UserControl_MouseMove(rt::Integer& button, rt::Integer& shift, rt::Single& x,
                               rt::Single& y) override;
    void UserControl_MouseUp(rt::Integer& button, rt::Integer& shift, rt::Single& x,
                             rt::Single& y) override;

private:
    void ApplyStateColors() override;
    // The caption and the description take the pointer like the surface.
    void followsPointer(rt::Label* part);

    rt::Label* label1_;
    rt::Label* labelDescricao_;
    rt::Image* image1_;

    bool mouseInside_ = false;  // never set: there is no capture
    rt::Long backColorNormal_ = 0;
    rt::Long backColorHover_ = 0;
    rt::Long backColorDown_ = 0;
    rt::Long foreColorNormal_ = 0;
    rt::Long foreColorHover_ = 0;
    rt::Long foreColorDown_ = 0;
    rt::Long foreColorNormal2_ = 0;
    rt::Long foreColorHover2_ = 0;
    rt::Long foreColorDown2_ = 0;
};

}  // namespace controls
