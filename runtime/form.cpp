#include "form.h"

#include <QCloseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "color.h"
#include "host.h"
#include "timer.h"

namespace rt {

Form::Form() : QWidget(nullptr), backColor_(sysColor(0x0F)) {
    setAttribute(Qt::WA_DeleteOnClose, false);
}

Form::~Form() {
    if (registered_) registry().erase(key_);
}

std::map<std::type_index, Form*>& Form::registry() {
    static std::map<std::type_index, Form*> r;
    return r;
}

void Form::registerAs(std::type_index key) {
    key_ = key;
    registered_ = true;
    registry()[key] = this;
}

void Form::load() {
    loaded_ = true;
    Form_Load();
}

QObject* Form::findControl(const QString& name, int index) const {
    for (QObject* c : controls_) {
        if (c->objectName().compare(name, Qt::CaseInsensitive) != 0) continue;
        if (index < 0) return c;
        if (auto* ctl = dynamic_cast<Control*>(c); ctl && ctl->Index() == index) return c;
        if (auto* t = dynamic_cast<Timer*>(c); t && t->Index() == index) return c;
    }
    return nullptr;
}

void Form::missingControl(const QString& name) const {
    throw RuntimeError(
        75,
        QStringLiteral("Design data of %1: no control %2 of the expected type").arg(Name(), name));
}

void Form::setBackColor(Long c) {
    backColor_ = c;
    update();
}

void Form::setClientSize(double widthTwips, double heightTwips) {
    keptWidth_ = {};
    keptHeight_ = {};
    applySize(static_cast<int>(withinPixelRange(widthTwips / kTwipsPerPixel)),
              static_cast<int>(withinPixelRange(heightTwips / kTwipsPerPixel)));
}

void Form::setBorderStyle(Integer style) {
    borderStyle_ = style;
    if (style == 2) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        setFixedSize(size());
    }
}

void Form::applySize(int widthPx, int heightPx) {
    if (borderStyle_ == 2)
        resize(widthPx, heightPx);
    else
        setFixedSize(widthPx, heightPx);
}

namespace {
int shownPixels(double twips) {
    return std::max(1, static_cast<int>(std::lround(withinPixelRange(twips / kTwipsPerPixel))));
}
}  // namespace

double Form::twipsOf(const KeptSize& kept, int pixels) {
    // Once the window has another size (the user, a layout), the pixels tell.
    return kept.pixels == pixels ? kept.twips : pixels * static_cast<double>(kTwipsPerPixel);
}

double Form::Width() const {
    return twipsOf(keptWidth_, width());
}

double Form::Height() const {
    return twipsOf(keptHeight_, height());
}

void Form::setWidth(double twips) {
    keptWidth_ = {twips, shownPixels(twips)};
    applySize(keptWidth_.pixels, height());
}

void Form::setHeight(double twips) {
    keptHeight_ = {twips, shownPixels(twips)};
    applySize(width(), keptHeight_.pixels);
}

void Form::Show() {
    show();
    raise();
    activateWindow();
}

void Form::discard() {
    loaded_ = false;
    if (registered_) {
        registry().erase(key_);
        registered_ = false;
    }
    hide();
    deleteLater();
    if (registry().empty()) host().lastFormUnloaded();
}

void Form::Unload() {
    if (!registered_) return;
    Integer cancel = 0;
    Form_Unload(cancel);
    if (cancel != 0) return;
    discard();
}

void Form::closeEvent(QCloseEvent* e) {
    if (!registered_) {
        e->accept();
        return;
    }
    Integer cancel = 0;
    Form_Unload(cancel);
    if (cancel != 0) {
        e->ignore();
        return;
    }
    e->accept();
    discard();
}

void Form::unloadAll() {
    auto all = registry();
    registry().clear();
    for (auto& [k, f] : all) {
        f->registered_ = false;
        f->loaded_ = false;
        f->hide();
        delete f;
    }
}

void Form::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), toQColor(backColor_));
}

}  // namespace rt
