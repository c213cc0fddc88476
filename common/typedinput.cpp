#include "typedinput.h"

namespace common {

namespace {

// The interpreter ends a command line at its first line break; a pasted text
// keeps all of its lines when each break is a blank, as the box shows it.
QString onOneLine(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            out += u' ';
        } else if (text[i] == u'\n') {
            out += u' ';
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

QString typedText(const QString& typed) {
    static const QString operators = QStringLiteral("&|<>^()");
    const QString text = onOneLine(typed);
    // The interpreter replaces %NAME% by the variable's value before it reads
    // the line (operators, quotes and all) and leaves an undefined name as it
    // stands. Every "%" that a later "%" of the text could close gets a first
    // character after it that no variable's name begins with, and that the
    // interpreter removes again before the tool sees the text. The last "%"
    // is left alone: no caller puts a "%" behind typed text.
    const qsizetype lastPercent = text.lastIndexOf(u'%');
    QString out;
    out.reserve(text.size() + 8);
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'%' && i != lastPercent) {
            const QChar next = text[i + 1];
            // A name that begins with a quote is never defined, and "%%" is
            // no reference at all.
            if (next == u'"' || next == u'%') {
                out += c;
            } else if (!quoted) {
                // "^" comes off when the line is read; in front of an
                // operator it is there anyway.
                out += c;
                if (!operators.contains(next)) out += u'^';
            } else {
                // Between quotes "^" stays, so the quote closes around the
                // "%" and opens again behind it. The backslashes in front of
                // the closing quote are doubled, else the argument splitting
                // would take it as a quote of the text.
                qsizetype backslashes = 0;
                while (backslashes < out.size() && out[out.size() - 1 - backslashes] == u'\\')
                    ++backslashes;
                out += QString(backslashes, u'\\') + QStringLiteral("\"%\"");
            }
            continue;
        }
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
