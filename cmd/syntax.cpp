#include "cmd/syntax.h"

#include <algorithm>
#include <cctype>

namespace cmd {
namespace {

bool isDelimiter(char c) {
    return isBlank(c) || c == ',' || c == ';' || c == '=';
}

char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// Groups nest by recursion; past this depth a line is refused rather than
// running the interpreter out of stack.
constexpr int kMaxGroupDepth = 200;

// Every stage of a pipe is a process of its own, all running at once, and a
// bracketed stage runs its own pipes inside it: a line that would have more
// stages running at once is refused rather than starting processes by the
// thousand.
constexpr size_t kMaxStagesAtOnce = 100;

size_t stagesAtOnce(const Node& node) {
    size_t most = 0;
    switch (node.kind) {
        case Node::Kind::Command:
            return 1;
        case Node::Kind::Group:
            return node.body ? stagesAtOnce(*node.body) : 1;
        case Node::Kind::Pipe:
            for (const auto& stage : node.operands) most += stagesAtOnce(*stage);
            return most;
        case Node::Kind::And:
        case Node::Kind::Or:
        case Node::Kind::Sequence:
            for (const auto& operand : node.operands) most = std::max(most, stagesAtOnce(*operand));
            return most;
    }
    return most;
}

std::string unexpected(std::string_view what) {
    return "此时不应有 " + std::string(what) + "。\n";
}

class Parser {
public:
    explicit Parser(std::string_view text) : s_(text) {}

    ParseResult run() {
        ParseResult result;
        skipDelimiters();
        if (atEnd()) return result;
        std::unique_ptr<Node> tree = sequence();
        if (!failed() && tree && stagesAtOnce(*tree) > kMaxStagesAtOnce)
            fail("命令语法不正确。\n", 1);
        if (!error_.empty()) {
            result.error = error_;
            result.errorCode = errorCode_;
            return result;
        }
        result.tree = std::move(tree);
        return result;
    }

private:
    bool atEnd() const { return i_ >= s_.size(); }
    char peek() const { return atEnd() ? '\0' : s_[i_]; }
    bool at(std::string_view op) const { return s_.substr(i_).starts_with(op); }
    bool failed() const { return !error_.empty(); }
    bool closesGroup() const { return depth_ > 0 && peek() == ')'; }

    void fail(std::string message, int code) {
        if (error_.empty()) {
            error_ = std::move(message);
            errorCode_ = code;
        }
    }

    void skipBlanks() {
        while (!atEnd() && isBlank(s_[i_])) ++i_;
    }
    void skipDelimiters() {
        while (!atEnd() && (isDelimiter(s_[i_]) || s_[i_] == '@')) ++i_;
    }

    // One operand is returned as it is; more become one node of `kind`.
    static std::unique_ptr<Node> chain(Node::Kind kind,
                                       std::vector<std::unique_ptr<Node>> operands) {
        if (operands.size() == 1) return std::move(operands.front());
        auto node = std::make_unique<Node>();
        node->kind = kind;
        node->operands = std::move(operands);
        return node;
    }

    // Loosest first: "&", then "||", then "&&", then "|".
    std::unique_ptr<Node> sequence() {
        std::vector<std::unique_ptr<Node>> operands;
        operands.push_back(either());
        while (!failed() && at("&") && !at("&&")) {
            ++i_;
            skipDelimiters();
            // A trailing "&" is accepted and ends the list.
            if (atEnd() || closesGroup()) break;
            operands.push_back(either());
        }
        return chain(Node::Kind::Sequence, std::move(operands));
    }

    std::unique_ptr<Node> either() {
        std::vector<std::unique_ptr<Node>> operands;
        operands.push_back(both(""));
        while (!failed() && at("||")) {
            i_ += 2;
            operands.push_back(both("||"));
        }
        return chain(Node::Kind::Or, std::move(operands));
    }

    std::unique_ptr<Node> both(std::string_view after) {
        std::vector<std::unique_ptr<Node>> operands;
        operands.push_back(pipeline(after));
        while (!failed() && at("&&")) {
            i_ += 2;
            operands.push_back(pipeline("&&"));
        }
        return chain(Node::Kind::And, std::move(operands));
    }

    std::unique_ptr<Node> pipeline(std::string_view after) {
        std::vector<std::unique_ptr<Node>> operands;
        operands.push_back(command(after));
        while (!failed() && at("|") && !at("||")) {
            ++i_;
            operands.push_back(command("|"));
        }
        return chain(Node::Kind::Pipe, std::move(operands));
    }

    std::unique_ptr<Node> command(std::string_view after) {
        if (failed()) return nullptr;
        skipDelimiters();
        if (atEnd()) {  // only after an operator: blank lines never get here
            fail(unexpected(after), 255);
            return nullptr;
        }
        if (peek() == '&' || peek() == '|' || closesGroup()) {
            std::string_view op = at("&&") ? "&&" : at("||") ? "||" : s_.substr(i_, 1);
            fail(unexpected(op), 255);
            return nullptr;
        }
        if (peek() == '(') return group();
        return simple();
    }

    std::unique_ptr<Node> group() {
        if (depth_ >= kMaxGroupDepth) {
            fail("命令语法不正确。\n", 1);
            return nullptr;
        }
        ++i_;
        ++depth_;
        auto node = std::make_unique<Node>();
        node->kind = Node::Kind::Group;
        skipDelimiters();
        if (!atEnd() && peek() != ')') node->body = sequence();
        // An unclosed group ends with the line.
        if (!failed() && peek() == ')') ++i_;
        --depth_;
        while (!failed()) {
            skipBlanks();
            bool handle = std::isdigit(static_cast<unsigned char>(peek())) && i_ + 1 < s_.size() &&
                          (s_[i_ + 1] == '>' || s_[i_ + 1] == '<');
            if (handle) {
                std::string digit(1, s_[i_++]);
                redirection(node->redirections, digit, true);
            } else if (peek() == '>' || peek() == '<') {
                std::string none;
                redirection(node->redirections, none, false);
            } else {
                break;
            }
        }
        if (!failed() && !atEnd() && peek() != '&' && peek() != '|' && !closesGroup()) {
            size_t end = i_;
            while (end < s_.size() && !isBlank(s_[end])) ++end;
            fail(unexpected(s_.substr(i_, end - i_)), 255);
        }
        return node;
    }

    std::unique_ptr<Node> simple() {
        auto node = std::make_unique<Node>();
        std::string& text = node->text;
        bool quoted = false;
        // A lone digit right before ">" or "<" names a handle ("2>x"), but not
        // a digit glued to a word ("abc2>x") nor one that was escaped.
        bool handleDigit = false;
        while (!atEnd() && !failed()) {
            char c = s_[i_];
            if (quoted) {
                text += c;
                if (c == '"') quoted = false;
                ++i_;
                handleDigit = false;
                continue;
            }
            if (c == '"') {
                quoted = true;
                text += c;
                ++i_;
                handleDigit = false;
            } else if (c == '^') {
                if (i_ + 1 < s_.size()) text += s_[i_ + 1];
                i_ += 2;
                handleDigit = false;
            } else if (c == '&' || c == '|' || closesGroup()) {
                break;
            } else if (c == '>' || c == '<') {
                redirection(node->redirections, text, handleDigit);
                handleDigit = false;
            } else if (text.empty() && isBlank(c)) {
                ++i_;  // blanks after a leading redirection
            } else {
                handleDigit = std::isdigit(static_cast<unsigned char>(c)) &&
                              (text.empty() || isBlank(text.back()));
                text += c;
                ++i_;
            }
        }
        if (i_ > s_.size()) i_ = s_.size();
        return node;
    }

    // At '<' or '>'. When `useDigit`, the last character of `text` is the handle.
    void redirection(std::vector<Redirection>& into, std::string& text, bool useDigit) {
        Redirection r;
        char op = s_[i_++];
        r.handle = op == '<' ? 0 : 1;
        if (useDigit) {
            r.handle = text.back() - '0';
            text.pop_back();
        }
        if (op == '<') {
            r.kind = Redirection::Kind::Read;
        } else if (peek() == '>') {
            r.kind = Redirection::Kind::Append;
            ++i_;
        } else {
            r.kind = Redirection::Kind::Write;
        }
        if (peek() == '&') {
            ++i_;
            skipBlanks();
            if (!std::isdigit(static_cast<unsigned char>(peek()))) {
                fail(unexpected("&"), 255);
                return;
            }
            r.kind = Redirection::Kind::Duplicate;
            r.source = s_[i_++] - '0';
            into.push_back(std::move(r));
            return;
        }
        skipBlanks();
        bool quoted = false;
        bool any = false;
        while (!atEnd()) {
            char c = s_[i_];
            if (c == '"') {
                quoted = !quoted;
                any = true;
                ++i_;
                continue;
            }
            if (!quoted) {
                if (isBlank(c) || c == '&' || c == '|' || c == '<' || c == '>' || closesGroup())
                    break;
                if (c == '^') {
                    if (i_ + 1 < s_.size()) r.target += s_[i_ + 1];
                    i_ += 2;
                    any = true;
                    continue;
                }
            }
            r.target += c;
            any = true;
            ++i_;
        }
        if (i_ > s_.size()) i_ = s_.size();
        if (!any || r.target.empty()) {
            fail("命令语法不正确。\n", 1);
            return;
        }
        into.push_back(std::move(r));
    }

    std::string_view s_;
    size_t i_ = 0;
    int depth_ = 0;
    std::string error_;
    int errorCode_ = 0;
};

}  // namespace

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

Invocation parseInvocation(std::string_view tail) {
    Invocation result;
    size_t i = 0;
    while (i < tail.size()) {
        while (i < tail.size() && isBlank(tail[i])) ++i;
        if (i >= tail.size() || tail[i] != '/') break;
        char sw = i + 1 < tail.size() ? lower(tail[i + 1]) : '\0';
        if (sw == 'c' || sw == 'k') {
            i += 2;
            while (i < tail.size() && isDelimiter(tail[i])) ++i;
            result.mode = sw == 'c' ? Invocation::Mode::RunAndExit : Invocation::Mode::RunAndStay;
            result.line = stripOuterQuotes(tail.substr(i));
            return result;
        }
        if (sw == 'q') result.echoOff = true;
        // Other switches (/d, /s, /u, /a, /e:on, /v:off, /f:..., /t:..) change
        // nothing here; skip them with their values.
        while (i < tail.size() && !isBlank(tail[i])) ++i;
    }
    return result;
}

std::string stripOuterQuotes(std::string_view line) {
    std::string out(line);
    if (out.empty() || out.front() != '"') return out;
    out.erase(0, 1);
    if (size_t last = out.rfind('"'); last != std::string::npos) out.erase(last, 1);
    return out;
}

std::string expandVariables(std::string_view line, const VariableLookup& lookup) {
    std::string out;
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == '%') {
            size_t close = line.find('%', i + 1);
            if (close != std::string_view::npos && close > i + 1) {
                if (std::optional<std::string> value = lookup(line.substr(i + 1, close - i - 1))) {
                    out += *value;
                    i = close + 1;
                    continue;
                }
            }
        }
        out += line[i++];
    }
    return out;
}

ParseResult parse(std::string_view line) {
    // The line ends at a line break, as when typed.
    if (size_t nl = line.find_first_of("\r\n"); nl != std::string_view::npos)
        line = line.substr(0, nl);
    return Parser(line).run();
}

std::string describe(const Node& node) {
    auto redirections = [&node] {
        std::string out;
        for (const Redirection& r : node.redirections) {
            out += ' ' + std::to_string(r.handle);
            switch (r.kind) {
                case Redirection::Kind::Read:
                    out += "<" + r.target;
                    break;
                case Redirection::Kind::Write:
                    out += ">" + r.target;
                    break;
                case Redirection::Kind::Append:
                    out += ">>" + r.target;
                    break;
                case Redirection::Kind::Duplicate:
                    out += ">&" + std::to_string(r.source);
                    break;
            }
        }
        return out;
    };
    auto operators = [&node](std::string_view op) {
        std::string out(node.operands.size() - 1, '(');
        for (size_t i = 0; i < node.operands.size(); ++i) {
            if (i > 0) out += " " + std::string(op) + " ";
            out += describe(*node.operands[i]);
            if (i > 0) out += ")";
        }
        return out;
    };
    switch (node.kind) {
        case Node::Kind::Command:
            return "[" + node.text + "]" + redirections();
        case Node::Kind::Group:
            return "{" + (node.body ? describe(*node.body) : std::string()) + "}" + redirections();
        case Node::Kind::Pipe:
            return operators("|");
        case Node::Kind::And:
            return operators("&&");
        case Node::Kind::Or:
            return operators("||");
        case Node::Kind::Sequence:
            return operators("&");
    }
    return {};
}

CommandWord splitCommandWord(std::string_view text) {
    CommandWord word;
    size_t i = 0;
    while (i < text.size() && (isDelimiter(text[i]) || text[i] == '@')) ++i;
    size_t start = i;
    bool quoted = false;
    while (i < text.size()) {
        char c = text[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && isDelimiter(c)) {
            break;
        } else {
            word.name += c;
        }
        ++i;
    }
    word.rawName = std::string(text.substr(start, i - start));
    word.rest = std::string(text.substr(i));
    return word;
}

}  // namespace cmd
