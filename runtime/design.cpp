#include "design.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <cmath>
#include <limits>
#include <map>

#include "convert.h"
#include "form.h"
#include "frame.h"
#include "image.h"
#include "label.h"
#include "picture.h"
#include "picturebox.h"
#include "shape.h"
#include "textbox.h"
#include "timer.h"
#include "typefaces.h"
#include "usercontrol.h"

namespace rt::design {

namespace {

std::map<QString, Factory>& factories() {
    static std::map<QString, Factory> f = {
        {QStringLiteral("TextBox"), [](QWidget* c) -> QObject* { return new TextBox(c); }},
        {QStringLiteral("Label"), [](QWidget* c) -> QObject* { return new Label(c); }},
        {QStringLiteral("Frame"), [](QWidget* c) -> QObject* { return new Frame(c); }},
        {QStringLiteral("Image"), [](QWidget* c) -> QObject* { return new Image(c); }},
        {QStringLiteral("PictureBox"), [](QWidget* c) -> QObject* { return new PictureBox(c); }},
        {QStringLiteral("Shape"), [](QWidget* c) -> QObject* { return new Shape(c); }},
    };
    return f;
}

QVariant jsonValue(const QJsonValue& v) {
    if (v.isObject()) {
        const QJsonObject o = v.toObject();
        if (o.contains(QStringLiteral("picture")))
            return QVariant::fromValue(LoadPicture(o.value(QStringLiteral("picture")).toString()));
        if (o.contains(QStringLiteral("font"))) {
            QFont f(o.value(QStringLiteral("font")).toString());
            if (o.contains(QStringLiteral("size")))
                f.setPointSizeF(o.value(QStringLiteral("size")).toDouble());
            f.setBold(o.value(QStringLiteral("bold")).toBool());
            return f;
        }
        return {};
    }
    if (v.isBool()) return v.toBool();
    if (v.isDouble()) {
        const double d = v.toDouble();
        if (std::trunc(d) == d && d >= std::numeric_limits<Long>::min() &&
            d <= std::numeric_limits<Long>::max())
            return static_cast<int>(d);
        return d;
    }
    if (v.isString()) return v.toString();
    return {};
}

// A whole-number setting (alignment, a style) as an int, held within
// the int range: the setter then refuses what it cannot take.
int whole(double d) {
    if (std::isnan(d)) return 0;
    constexpr double lo = std::numeric_limits<int>::min(), hi = std::numeric_limits<int>::max();
    return static_cast<int>(d < lo ? lo : d > hi ? hi : d);
}

Long colour(const QJsonValue& v) {
    return CLng(jsonValue(v));
}

QFont fontOf(const QJsonObject& o, const QFont& base) {
    QFont f = base;
    if (o.contains(QStringLiteral("name")))
        f = runtimeFont(o.value(QStringLiteral("name")).toString(), base.pointSizeF(), base.bold());
    if (o.contains(QStringLiteral("size")))
        f.setPointSizeF(o.value(QStringLiteral("size")).toDouble());
    if (o.contains(QStringLiteral("bold"))) f.setBold(o.value(QStringLiteral("bold")).toBool());
    return f;
}

[[noreturn]] void bad(const QString& path, const QString& what) {
    throw RuntimeError(75, QStringLiteral("Design data %1: %2").arg(path, what));
}

void applyCommon(Control* c, const QJsonObject& o) {
    if (o.contains(QStringLiteral("index"))) c->setIndex(o.value(QStringLiteral("index")).toInt());
    if (o.contains(QStringLiteral("font")))
        c->setFont(fontOf(o.value(QStringLiteral("font")).toObject(), c->font()));
    c->setTwipsRect(QRectF(
        o.value(QStringLiteral("left")).toDouble(), o.value(QStringLiteral("top")).toDouble(),
        o.value(QStringLiteral("width")).toDouble(), o.value(QStringLiteral("height")).toDouble()));
    if (o.contains(QStringLiteral("enabled")))
        c->setEnabled(o.value(QStringLiteral("enabled")).toBool());
    if (o.contains(QStringLiteral("toolTip")))
        c->setToolTip(o.value(QStringLiteral("toolTip")).toString());
}

void applySpecific(QObject* obj, const QJsonObject& o) {
    auto has = [&](const char* k) { return o.contains(QLatin1String(k)); };
    auto str = [&](const char* k) { return o.value(QLatin1String(k)).toString(); };
    auto num = [&](const char* k) { return whole(o.value(QLatin1String(k)).toDouble()); };
    if (auto* t = dynamic_cast<TextBox*>(obj)) {
        if (has("font")) {
            const QFont f = t->font();
            t->setFontSpec(f.family(), f.pointSizeF(), f.bold());
        }
        if (has("text")) t->setText(str("text"));
        if (has("locked")) t->setLocked(o.value(QStringLiteral("locked")).toBool());
        if (has("alignment")) t->setAlignment(static_cast<int>(num("alignment")));
        if (has("foreColor")) t->setForeColor(colour(o.value(QStringLiteral("foreColor"))));
        if (has("backColor")) t->setBackColor(colour(o.value(QStringLiteral("backColor"))));
    } else if (auto* l = dynamic_cast<Label*>(obj)) {
        if (has("backStyle")) l->setBackStyle(static_cast<int>(num("backStyle")));
        if (has("backColor")) l->setBackColor(colour(o.value(QStringLiteral("backColor"))));
        if (has("foreColor")) l->setForeColor(colour(o.value(QStringLiteral("foreColor"))));
        if (has("alignment")) l->setAlignment(static_cast<int>(num("alignment")));
        if (has("wordWrap")) l->setWordWrap(o.value(QStringLiteral("wordWrap")).toBool());
        if (has("autoSize")) l->setAutoSize(o.value(QStringLiteral("autoSize")).toBool());
        l->setCaption(str("caption"));
    } else if (auto* f = dynamic_cast<Frame*>(obj)) {
        f->setCaption(str("caption"));
        if (has("backColor")) f->setBackColor(colour(o.value(QStringLiteral("backColor"))));
        if (has("foreColor")) f->setForeColor(colour(o.value(QStringLiteral("foreColor"))));
        if (has("oleDropMode")) f->setOLEDropMode(static_cast<int>(num("oleDropMode")));
        if (has("borderStyle")) f->setBorderStyle(static_cast<int>(num("borderStyle")));
    } else if (auto* i = dynamic_cast<Image*>(obj)) {
        if (has("stretch")) i->setStretch(o.value(QStringLiteral("stretch")).toBool());
        if (has("picture")) i->setPicture(LoadPicture(str("picture")));
    } else if (auto* p = dynamic_cast<PictureBox*>(obj)) {
        if (has("backColor")) p->setBackColor(colour(o.value(QStringLiteral("backColor"))));
        if (has("borderStyle")) p->setBorderStyle(static_cast<int>(num("borderStyle")));
        if (has("autoSize")) p->setAutoSize(o.value(QStringLiteral("autoSize")).toBool());
        if (has("picture")) p->setPicture(LoadPicture(str("picture")));
    } else if (auto* s = dynamic_cast<Shape*>(obj)) {
        if (has("shape")) s->setShapeKind(static_cast<Integer>(num("shape")));
        if (has("fillColor")) s->setFillColor(colour(o.value(QStringLiteral("fillColor"))));
        if (has("fillStyle")) s->setFillStyle(static_cast<Integer>(num("fillStyle")));
        if (has("borderColor")) s->setBorderColor(colour(o.value(QStringLiteral("borderColor"))));
        if (has("borderStyle")) s->setBorderStyle(static_cast<Integer>(num("borderStyle")));
        if (has("borderWidth")) s->setBorderWidth(static_cast<Integer>(num("borderWidth")));
        if (has("backStyle")) s->setBackStyle(static_cast<Integer>(num("backStyle")));
        if (has("backColor")) s->setBackColor(colour(o.value(QStringLiteral("backColor"))));
    }
}

}  // namespace

void registerType(const QString& type, Factory factory) {
    factories()[type] = std::move(factory);
}

PropertyBag bagFromJson(const QJsonObject& o) {
    PropertyBag bag;
    for (auto it = o.begin(); it != o.end(); ++it)
        bag.WriteProperty(it.key(), jsonValue(it.value()));
    return bag;
}

void load(Form& form, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) bad(path, QStringLiteral("cannot be read"));
    QJsonParseError err{};
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &err);
    if (doc.isNull()) bad(path, err.errorString());
    const QJsonObject root = doc.object();

    form.setObjectName(root.value(QStringLiteral("name")).toString());
    form.setCaption(root.value(QStringLiteral("caption")).toString());
    if (root.contains(QStringLiteral("font")))
        form.setFont(fontOf(root.value(QStringLiteral("font")).toObject(), form.font()));
    if (root.contains(QStringLiteral("backColor")))
        form.setBackColor(colour(root.value(QStringLiteral("backColor"))));
    form.setClientSize(root.value(QStringLiteral("clientWidth")).toDouble(),
                       root.value(QStringLiteral("clientHeight")).toDouble());
    if (root.contains(QStringLiteral("borderStyle")))
        form.setBorderStyle(root.value(QStringLiteral("borderStyle")).toInt());

    const QJsonArray controls = root.value(QStringLiteral("controls")).toArray();
    for (const QJsonValue& cv : controls) {
        const QJsonObject o = cv.toObject();
        const QString type = o.value(QStringLiteral("type")).toString();
        const QString name = o.value(QStringLiteral("name")).toString();
        if (type == QStringLiteral("Timer")) {
            auto* t = new Timer(&form);
            t->setObjectName(name);
            if (o.contains(QStringLiteral("index")))
                t->setIndex(o.value(QStringLiteral("index")).toInt());
            t->setEnabled(o.value(QStringLiteral("enabled")).toBool(true));
            t->setInterval(o.value(QStringLiteral("interval")).toInt());
            form.addControl(t);
            continue;
        }
        QWidget* container = &form;
        if (o.contains(QStringLiteral("container"))) {
            container = form.ctl<QWidget>(o.value(QStringLiteral("container")).toString());
            if (!container) bad(path, QStringLiteral("%1: unknown container").arg(name));
        }
        auto it = factories().find(type);
        if (it == factories().end())
            bad(path, QStringLiteral("%1: unknown type %2").arg(name, type));
        QObject* obj = it->second(container);
        obj->setObjectName(name);
        form.addControl(obj);
        if (auto* c = dynamic_cast<Control*>(obj)) {
            applyCommon(c, o);
            applySpecific(obj, o);
            if (auto* uc = dynamic_cast<UserControl*>(c)) {
                PropertyBag bag = bagFromJson(o.value(QStringLiteral("bag")).toObject());
                uc->placeStored(bag);
            }
            c->setAccessibleName(c->accessibleName().isEmpty() ? name : c->accessibleName());
            c->setVisible(o.value(QStringLiteral("visible")).toBool(true));
        }
    }
}

}  // namespace rt::design
