#include "cmd/findstr.h"

#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>

#include "cmd/io.h"
#include "winrules/drivepath.h"

namespace cmd::findstr {
namespace {

char32_t fold(char32_t c) {
    return c < 0x80 ? static_cast<char32_t>(std::tolower(static_cast<int>(c))) : c;
}
char32_t raise(char32_t c) {
    return c < 0x80 ? static_cast<char32_t>(std::toupper(static_cast<int>(c))) : c;
}

bool isWordChar(char32_t c) {
    return c >= 0x80 || c == '_' || (c < 0x80 && std::isalnum(static_cast<int>(c)));
}

// Invalid bytes keep their identity as U+DC80..U+DCFF so that they match only themselves.
std::u32string decode(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        auto b = static_cast<unsigned char>(s[i]);
        size_t len = b < 0x80                   ? 1
                     : (b >= 0xC2 && b <= 0xDF) ? 2
                     : (b >= 0xE0 && b <= 0xEF) ? 3
                     : (b >= 0xF0 && b <= 0xF4) ? 4
                                                : 0;
        bool valid = len > 0 && i + len <= s.size();
        for (size_t k = 1; valid && k < len; ++k)
            valid = (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
        if (!valid) {
            out += static_cast<char32_t>(0xDC00 + b);
            ++i;
            continue;
        }
        char32_t c = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        for (size_t k = 1; k < len; ++k)
            c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        out += c;
        i += len;
    }
    return out;
}

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

Parsed parseArguments(const std::vector<std::string>& args) {
    Parsed parsed;
    Options& o = parsed.options;
    bool literal = false, regex = false, haveC = false;
    size_t i = 0;
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() < 2 || a[0] != '/') break;
        std::string rest = upper(a.substr(1));
        if (rest == "OFF" || rest == "OFFLINE") continue;
        for (size_t j = 0; j < rest.size(); ++j) {
            char ch = rest[j];
            bool valued = j + 1 < rest.size() && rest[j + 1] == ':';
            if (ch == 'C' && valued) {
                o.strings.push_back(a.substr(j + 3));
                haveC = true;
                break;
            }
            if (ch == 'A' && valued) break;  // colours for names: nothing to colour here
            if ((ch == 'G' || ch == 'F' || ch == 'D') && valued) {
                parsed.error = "FINDSTR: 不支持 /" + std::string(1, ch) + ":\n";
                return parsed;
            }
            switch (ch) {
                case 'B':
                    o.atBegin = true;
                    break;
                case 'E':
                    o.atEnd = true;
                    break;
                case 'X':
                    o.atBegin = o.atEnd = true;
                    break;
                case 'L':
                    literal = true;
                    break;
                case 'R':
                    regex = true;
                    break;
                case 'I':
                    o.ignoreCase = true;
                    break;
                case 'V':
                    o.invert = true;
                    break;
                case 'N':
                    o.numbers = true;
                    break;
                case 'M':
                    o.namesOnly = true;
                    break;
                case 'P':
                    break;
                case '?':
                    parsed.help = true;
                    break;
                case 'S':
                case 'O':
                    parsed.error = "FINDSTR: 不支持 /" + std::string(1, ch) + "\n";
                    return parsed;
                default:
                    parsed.warnings += "FINDSTR: 忽略 /" + std::string(1, a[j + 1]) + "\n";
            }
        }
    }
    if (!haveC && i < args.size()) {
        // A plain search string holds several, separated by blanks.
        const std::string& s = args[i++];
        size_t pos = 0;
        while (pos <= s.size()) {
            size_t end = s.find(' ', pos);
            if (end == std::string::npos) end = s.size();
            o.strings.push_back(s.substr(pos, end - pos));
            pos = end + 1;
        }
    }
    std::erase_if(o.strings, [](const std::string& s) { return s.empty(); });
    o.files.assign(args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
    o.regex = regex || (!literal && !haveC);
    if (o.strings.empty() && !parsed.help) parsed.error = "FINDSTR: 错误的命令行\n";
    return parsed;
}

Matcher::Matcher(std::string_view pattern, const Options& options)
    : literal_(!options.regex),
      ignoreCase_(options.ignoreCase),
      atBegin_(options.atBegin),
      atEnd_(options.atEnd) {
    std::u32string p = decode(pattern);
    if (literal_) {
        text_ = p;
        if (ignoreCase_)
            for (char32_t& c : text_) c = fold(c);
        return;
    }
    size_t i = 0;
    if (!p.empty() && p[0] == '^') {
        atBegin_ = true;
        i = 1;
    }
    size_t end = p.size();
    // A final '$' anchors unless escaped.
    if (end > i && p[end - 1] == '$' && !(end >= 2 && p[end - 2] == '\\' && end - 2 >= i)) {
        atEnd_ = true;
        --end;
    }
    while (i < end) {
        char32_t c = p[i];
        Element e;
        if (c == '*' && !elements_.empty() && !elements_.back().repeat &&
            elements_.back().kind != Element::Kind::WordStart &&
            elements_.back().kind != Element::Kind::WordEnd) {
            elements_.back().repeat = true;
            ++i;
            continue;
        }
        if (c == '.') {
            e.kind = Element::Kind::Any;
            ++i;
        } else if (c == '\\' && i + 1 < end) {
            char32_t n = p[i + 1];
            if (n == '<') {
                e.kind = Element::Kind::WordStart;
            } else if (n == '>') {
                e.kind = Element::Kind::WordEnd;
            } else {
                e.c = n;
            }
            i += 2;
        } else if (c == '[') {
            size_t j = i + 1;
            if (j < end && p[j] == '^') {
                e.negated = true;
                ++j;
            }
            size_t first = j;
            while (j < end && (p[j] != ']' || j == first)) {
                char32_t lo = p[j];
                if (j + 2 < end && p[j + 1] == '-' && p[j + 2] != ']') {
                    e.ranges.emplace_back(lo, p[j + 2]);
                    j += 3;
                } else {
                    e.ranges.emplace_back(lo, lo);
                    ++j;
                }
            }
            if (j >= end) {  // no closing bracket: an ordinary '['
                e = Element{};
                e.c = '[';
                ++i;
            } else {
                e.kind = Element::Kind::Class;
                i = j + 1;
            }
        } else {
            e.c = c;
            ++i;
        }
        elements_.push_back(std::move(e));
    }
}

bool Matcher::single(const Element& e, char32_t c) const {
    switch (e.kind) {
        case Element::Kind::Any:
            return true;
        case Element::Kind::Char:
            return ignoreCase_ ? fold(e.c) == fold(c) : e.c == c;
        case Element::Kind::Class: {
            auto inside = [&e](char32_t x) {
                for (auto [lo, hi] : e.ranges)
                    if (x >= lo && x <= hi) return true;
                return false;
            };
            bool hit = inside(c) || (ignoreCase_ && (inside(fold(c)) || inside(raise(c))));
            return hit != e.negated;
        }
        default:
            return false;
    }
}

bool Matcher::holds(const Element& e, const std::u32string& line, size_t pos) const {
    bool before = pos > 0 && isWordChar(line[pos - 1]);
    bool after = pos < line.size() && isWordChar(line[pos]);
    return e.kind == Element::Kind::WordStart ? !before && after : before && !after;
}

// All ways through the expression at once, one character at a time: state k
// means "elements before k matched up to here". A star keeps its state, an
// anchor passes where it holds, and a search may begin at every place. The
// cost is at most one try per element and character, whatever the stars: trying
// each way in turn and going back costs powers of the line's length.
bool Matcher::search(const std::u32string& line) const {
    const size_t n = elements_.size();
    std::vector<char> now(n + 1, 0), next(n + 1, 0);
    // Moves that take no character only go forward, so one sweep from the
    // front adds all of them.
    auto settle = [&](std::vector<char>& states, size_t pos) {
        for (size_t k = 0; k < n; ++k) {
            if (!states[k]) continue;
            const Element& e = elements_[k];
            bool assertion = e.kind == Element::Kind::WordStart || e.kind == Element::Kind::WordEnd;
            steps_ += assertion;
            if (e.repeat || (assertion && holds(e, line, pos))) states[k + 1] = 1;
        }
    };
    now[0] = 1;
    settle(now, 0);
    for (size_t pos = 0;; ++pos) {
        if (now[n] && (!atEnd_ || pos == line.size())) return true;
        if (pos == line.size()) return false;
        std::fill(next.begin(), next.end(), 0);
        bool alive = false;
        for (size_t k = 0; k < n; ++k) {
            if (!now[k]) continue;
            const Element& e = elements_[k];
            if (e.kind == Element::Kind::WordStart || e.kind == Element::Kind::WordEnd) continue;
            ++steps_;
            if (single(e, line[pos])) {
                next[e.repeat ? k : k + 1] = 1;
                alive = true;
            }
        }
        if (!atBegin_) {
            next[0] = 1;
            alive = true;
        }
        if (!alive) return false;
        settle(next, pos + 1);
        now.swap(next);
    }
}

bool Matcher::matches(std::string_view raw) const {
    std::u32string line = decode(raw);
    if (literal_) {
        if (ignoreCase_)
            for (char32_t& c : line) c = fold(c);
        if (text_.size() > line.size()) return false;
        if (atBegin_ && atEnd_) return line == text_;
        if (atBegin_) return line.starts_with(text_);
        if (atEnd_) return line.ends_with(text_);
        return line.find(text_) != std::u32string::npos;
    }
    return search(line);
}

int run(const std::vector<std::string>& args, int in, int out, int err) {
    Parsed parsed = parseArguments(args);
    if (parsed.help) {
        bool written =
            writeAll(out,
                     "在文件中寻找字符串。\n\n"
                     "FINDSTR [/B] [/E] [/L] [/R] [/I] [/X] [/V] [/N] [/M] [/C:string] [strings] "
                     "[files]\n");
        return written ? 0 : writeFailure(2);
    }
    writeAll(err, parsed.warnings);
    if (!parsed.error.empty()) {
        writeAll(err, parsed.error);
        return 2;
    }
    const Options& o = parsed.options;
    std::vector<Matcher> matchers;
    for (const std::string& s : o.strings) matchers.emplace_back(s, o);

    bool found = false;
    // Set when the output can no longer be written: reading on, of an endless
    // source perhaps, would only spin.
    int failed = 0;
    auto emit = [&](const std::string& text) {
        if (!writeAll(out, text)) failed = writeFailure(2);
        return failed == 0;
    };
    // Lines are handled as they arrive, so that an endless source such as a
    // log stream is filtered live.
    auto scan = [&](int fd, const std::string& name, bool prefixName) {
        std::string pending;
        long number = 0;
        char buffer[8192];
        bool done = false;
        auto handle = [&](std::string_view line) {
            ++number;
            std::string_view content = line;
            if (!content.empty() && content.back() == '\r') content.remove_suffix(1);
            bool hit = false;
            for (const Matcher& m : matchers)
                if ((hit = m.matches(content))) break;
            if (hit == o.invert) return;
            found = true;
            if (o.namesOnly) {
                emit(name + "\n");
                done = true;
                return;
            }
            std::string text = prefixName ? name + ":" : std::string();
            if (o.numbers) text += std::to_string(number) + ":";
            text += line;
            text += '\n';
            if (!emit(text)) done = true;
        };
        while (!done) {
            ssize_t n = read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            pending.append(buffer, static_cast<size_t>(n));
            size_t start = 0;
            for (size_t nl; !done && (nl = pending.find('\n', start)) != std::string::npos;
                 start = nl + 1)
                handle(std::string_view(pending).substr(start, nl - start));
            pending.erase(0, start);
        }
        if (!done && !pending.empty()) handle(pending);
    };

    if (o.files.empty()) {
        scan(in, "", false);
    } else {
        for (const std::string& file : o.files) {
            if (failed) break;
            int fd = open(winrules::mapDrivePath(file).c_str(), O_RDONLY | O_CLOEXEC);
            if (fd < 0) {
                writeAll(err, "FINDSTR: 无法打开 " + file + "\n");
                continue;
            }
            scan(fd, file, o.files.size() > 1);
            close(fd);
        }
    }
    if (failed) return failed;
    return found ? 0 : 1;
}

}  // namespace cmd::findstr
