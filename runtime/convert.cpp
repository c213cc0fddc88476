#include "convert.h"

#include <QFont>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "picture.h"

namespace rt {
namespace {

int digitValue(QChar c, int base) {
    int d = -1;
    if (c >= u'0' && c <= u'9')
        d = c.unicode() - u'0';
    else if (c >= u'a' && c <= u'f')
        d = c.unicode() - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        d = c.unicode() - u'A' + 10;
    return d < base ? d : -1;
}

// "&H"/"&O" literal at the start of s. Four hex digits or fewer (or six octal)
// make a 16-bit value, more make a 32-bit one, a trailing "&" forces 32 bits.
std::optional<double> radixLiteral(const QString& s, qsizetype* used) {
    if (s.size() < 2 || s[0] != u'&') return std::nullopt;
    const QChar k = s[1].toUpper();
    const int base = k == u'H' ? 16 : k == u'O' ? 8 : 0;
    if (base == 0) return std::nullopt;
    quint64 v = 0;
    qsizetype i = 2;
    int digits = 0;
    for (; i < s.size(); ++i) {
        const int d = digitValue(s[i], base);
        if (d < 0) break;
        v = v * base + d;
        ++digits;
        if (v > 0xFFFFFFFFull) v &= 0xFFFFFFFFull;  // the runtime wraps into 32 bits
    }
    bool forceLong = false;
    if (i < s.size() && s[i] == u'&') {
        forceLong = true;
        ++i;
    }
    if (used) *used = i;
    if (digits == 0) return 0.0;
    const bool shortForm = !forceLong && v <= 0xFFFF;
    if (shortForm)
        return static_cast<double>(static_cast<std::int16_t>(static_cast<std::uint16_t>(v)));
    return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
}

// Decimal number at the start of s (sign, digits, one point, exponent E or D).
// Returns the characters used; 0 when s holds no number.
qsizetype decimalPrefix(const QString& s, QString* out) {
    qsizetype i = 0;
    QString t;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) t += s[i++];
    bool digits = false;
    while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128) {
        t += s[i++];
        digits = true;
    }
    if (i < s.size() && s[i] == u'.') {
        t += s[i++];
        while (i < s.size() && s[i].unicode() < 128 && s[i].isDigit()) {
            t += s[i++];
            digits = true;
        }
    }
    if (!digits) return 0;
    if (i < s.size() && (s[i].toUpper() == u'E' || s[i].toUpper() == u'D')) {
        qsizetype j = i + 1;
        QString e = QStringLiteral("e");
        if (j < s.size() && (s[j] == u'+' || s[j] == u'-')) e += s[j++];
        bool expDigits = false;
        while (j < s.size() && s[j].unicode() < 128 && s[j].isDigit()) {
            e += s[j++];
            expDigits = true;
        }
        if (expDigits) {
            t += e;
            i = j;
        }
    }
    *out = t;
    return i;
}

double clampFinite(double v) {
    if (std::isinf(v)) return std::copysign(std::numeric_limits<double>::max(), v);
    return v;
}

[[noreturn]] void typeMismatch() {
    throw RuntimeError(13, QStringLiteral("Type mismatch"));
}
[[noreturn]] void overflow() {
    throw RuntimeError(6, QStringLiteral("Overflow"));
}

// A text as a number, the whole text (trimmed) being the number.
double textToNumber(const QString& text) {
    const QString s = text.trimmed();
    if (s.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0) return -1;
    if (s.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0) return 0;
    qsizetype used = 0;
    if (auto r = radixLiteral(s, &used)) {
        if (used != s.size()) typeMismatch();
        return *r;
    }
    QString t;
    used = decimalPrefix(s, &t);
    if (used == 0 || used != s.size()) typeMismatch();
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok && !std::isinf(v)) typeMismatch();
    return v;
}

}  // namespace

double Val(const QString& text) {
    QString s;
    s.reserve(text.size());
    for (QChar c : text)
        if (c != u' ' && c != u'\t' && c != u'\n') s += c;
    if (auto r = radixLiteral(s, nullptr)) return *r;
    QString t;
    if (decimalPrefix(s, &t) == 0) return 0;
    return clampFinite(t.toDouble());
}

QString numberText(double value) {
    if (value == 0 || std::isnan(value)) return QStringLiteral("0");
    // to_chars formats as printf does in the "C" locale, whatever locale the
    // process took on at start-up: the phone reads "." as the decimal point.
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    QString text = QString::fromLatin1(buf, r.ptr - buf);
    return text.replace(u'e', u'E');
}

double roundHalfEven(double value) {
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(value);
    std::fesetround(saved);
    return r;
}

double CDbl(const QVariant& v) {
    switch (v.typeId()) {
        case QMetaType::UnknownType:
            return 0;
        case QMetaType::Bool:
            return v.toBool() ? -1 : 0;
        case QMetaType::QString:
            return textToNumber(v.toString());
        default:
            if (v.canConvert<double>()) return v.toDouble();
            typeMismatch();
    }
}

Long CLng(const QVariant& v) {
    const double r = roundHalfEven(CDbl(v));
    if (r < std::numeric_limits<Long>::min() || r > std::numeric_limits<Long>::max()) overflow();
    return static_cast<Long>(r);
}

Integer CInt(const QVariant& v) {
    const double r = roundHalfEven(CDbl(v));
    if (r < std::numeric_limits<Integer>::min() || r > std::numeric_limits<Integer>::max())
        overflow();
    return static_cast<Integer>(r);
}

Byte CByte(const QVariant& v) {
    const double r = roundHalfEven(CDbl(v));
    if (r < 0 || r > 255) overflow();
    return static_cast<Byte>(r);
}

bool CBool(const QVariant& v) {
    if (v.typeId() == QMetaType::Bool) return v.toBool();
    return CDbl(v) != 0;
}

QString CStr(const QVariant& v) {
    switch (v.typeId()) {
        case QMetaType::UnknownType:
            return {};
        case QMetaType::Bool:
            return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
        case QMetaType::QString:
            return v.toString();
        case QMetaType::Double:
        case QMetaType::Float:
            return numberText(v.toDouble());
        default:
            return v.toString();
    }
}

bool sameValue(const QVariant& value, const QVariant& def) {
    if (!def.isValid()) return false;
    // A font equals a text default that names its typeface.
    if (value.typeId() == QMetaType::QFont && def.typeId() == QMetaType::QString)
        return value.value<QFont>().family().compare(def.toString(), Qt::CaseInsensitive) == 0;
    if (value.typeId() == qMetaTypeId<PicturePtr>()) {
        const PicturePtr p = value.value<PicturePtr>();
        const double h = p ? static_cast<double>(p->Handle()) : 0;
        try {
            return h == CDbl(def);
        } catch (const RuntimeError&) {
            return false;
        }
    }
    try {
        switch (value.typeId()) {
            case QMetaType::Bool:
                return value.toBool() == CBool(def);
            case QMetaType::QString:
                return value.toString() == CStr(def);
            case QMetaType::UnknownType:
                return !def.isValid();
            default:
                return CDbl(value) == CDbl(def);
        }
    } catch (const RuntimeError&) {
        return false;
    }
}

}  // namespace rt
