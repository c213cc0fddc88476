#include "winrules/arguments.h"

namespace winrules {

std::vector<std::string> splitArguments(std::string_view s) {
    std::vector<std::string> args;
    std::string current;
    bool inArg = false;
    bool quoted = false;
    size_t i = 0;
    while (i < s.size()) {
        char c = s[i];
        if (!quoted && (c == ' ' || c == '\t')) {
            if (inArg) args.push_back(std::move(current));
            current.clear();
            inArg = false;
            ++i;
            continue;
        }
        inArg = true;
        if (c == '\\') {
            size_t count = 0;
            while (i + count < s.size() && s[i + count] == '\\') ++count;
            size_t next = i + count;
            if (next < s.size() && s[next] == '"') {
                current.append(count / 2, '\\');
                if (count % 2 == 1) {
                    current += '"';
                    i = next + 1;
                } else {
                    i = next;
                }
            } else {
                current.append(count, '\\');
                i = next;
            }
            continue;
        }
        if (c == '"') {
            if (quoted && i + 1 < s.size() && s[i + 1] == '"') {
                current += '"';
                i += 2;
            } else {
                quoted = !quoted;
                ++i;
            }
            continue;
        }
        current += c;
        ++i;
    }
    if (inArg) args.push_back(std::move(current));
    return args;
}

}  // namespace winrules
