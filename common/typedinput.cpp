#include "typedinput.h"

namespace common {

QString typedText(const QString& text) {
    static const QString operators = QStringLiteral("&|<>^()");
    QString out;
    out.reserve(text.size() + 8);
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && operators.contains(c))
            out += u'^';
        out += c;
    }
    return out;
}

std::optional<QString> quotedPath(const QString& path) {
    for (const QChar c : path)
        if (c == u'"' || c == u'%' || c == u'\r' || c == u'\n') return std::nullopt;
    qsizetype trailing = 0;
    while (trailing < path.size() && path[path.size() - 1 - trailing] == u'\\') ++trailing;
    return u'"' + path + QString(trailing, u'\\') + u'"';
}

}  // namespace common
