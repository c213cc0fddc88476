#include "typefaces.h"

namespace rt {

QFont runtimeFont(const QString& name, double sizePt, bool bold) {
    QFont f(name);
    // Typefaces of the Windows desktop the windows were designed on are
    // mostly absent here; keep the name and let the font system fall back to
    // one that has the glyphs.
    f.setStyleHint(QFont::SansSerif);
    if (sizePt > 0) f.setPointSizeF(sizePt);
    f.setBold(bold);
    return f;
}

void installTypefaceSubstitutes() {
    const QString sans = QStringLiteral("Noto Sans CJK SC");
    const QString serif = QStringLiteral("Noto Serif CJK SC");
    QFont::insertSubstitution(QStringLiteral("微软雅黑"), sans);
    QFont::insertSubstitution(QStringLiteral("Microsoft YaHei"), sans);
    QFont::insertSubstitution(QStringLiteral("宋体"), serif);
    QFont::insertSubstitution(QStringLiteral("SimSun"), serif);
}

}  // namespace rt
