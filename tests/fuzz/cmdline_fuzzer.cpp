// The interpreter's reading of a line: the switches and the quote rule,
// %VARIABLE% expansion, the operator tree and the splitting of each
// command's arguments. Every line gives a tree or an error message.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "cmd/syntax.h"
#include "winrules/arguments.h"

namespace {

void walk(const cmd::Node& node) {
    switch (node.kind) {
        case cmd::Node::Kind::Command: {
            const cmd::CommandWord word = cmd::splitCommandWord(node.text);
            (void)winrules::splitArguments(word.rest);
            for (const cmd::Redirection& r : node.redirections)
                if (r.target.empty() && r.kind != cmd::Redirection::Kind::Duplicate) std::abort();
            break;
        }
        case cmd::Node::Kind::Group:
            if (node.body) walk(*node.body);
            break;
        default:
            if (node.operands.size() < 2) std::abort();
            for (const auto& operand : node.operands) {
                if (!operand || operand->kind == node.kind) std::abort();
                walk(*operand);
            }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const cmd::Invocation invocation = cmd::parseInvocation(input);
    const std::string line = cmd::expandVariables(
        invocation.line, [](std::string_view name) -> std::optional<std::string> {
            if (name == "A") return std::string("a&b|c");
            if (name == "Q") return std::string("\"");
            return std::nullopt;
        });
    const cmd::ParseResult result = cmd::parse(line);
    if (result.tree) {
        if (!result.error.empty()) std::abort();
        walk(*result.tree);
        (void)cmd::describe(*result.tree);
    }
    (void)winrules::splitArguments(line);
    return 0;
}
