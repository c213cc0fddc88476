#pragma once
// The label: a caption drawn by its container.
#include <QFont>
#include <QString>

#include "control.h"
#include "font.h"

namespace rt {

class Label : public MouseControl {
    Q_OBJECT
public:
    explicit Label(QWidget* container);

    QString Caption() const { return caption_; }
    // Raises Change when the caption differs.
    void setCaption(const QString& c);
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool v);
    int Alignment() const { return alignment_; }
    // 0 left, 1 right, 2 centre; others fail with error 380.
    void setAlignment(int a);
    // 0 transparent, 1 opaque.
    int BackStyle() const { return backStyle_; }
    void setBackStyle(int v);
    Long BackColor() const { return backColor_; }
    void setBackColor(Long c);
    Long ForeColor() const { return foreColor_; }
    void setForeColor(Long c);
    bool WordWrap() const { return wordWrap_; }
    void setWordWrap(bool v);
    // The font object the label holds; changing it restyles the label at once.
    FontPtr Font() const { return font_.get(); }
    void setFont(FontPtr f) { font_.set(std::move(f)); }
    // New settings for the held font (every control holding it follows).
    void setFont(const QFont& f) { font_.change(f); }
    double FontSize() const { return font().pointSizeF(); }
    void setFontSize(double pt);
    bool FontBold() const { return font().bold(); }
    void setFontBold(bool b);

    Event<> Change;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void fitToCaption();
    void applyFont(const QFont& f);
    QString caption_;
    bool autoSize_ = false;
    int alignment_ = 0;
    int backStyle_ = 1;
    Long backColor_;
    Long foreColor_;
    bool wordWrap_ = false;
    HeldFont font_;
};

}  // namespace rt
