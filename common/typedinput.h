#pragma once
// What the user typed or dropped, made safe to append to a command line that
// the interpreter runs: nothing the user gives may start a second program on
// this computer or split a path into several arguments.
#include <QString>
#include <optional>

namespace common {

// Typed text keeps its blanks and double quotes (users type extra arguments
// on purpose), but the interpreter's operators & | < > ^ ( ) outside double
// quotes get a "^" in front, so that they reach the tool as text, and a
// %NAME% reaches it as typed whatever the environment holds. Each line break
// (CR, LF, CR LF) becomes one blank: the interpreter would end the line there.
QString typedText(const QString& text);

// A dropped path between double quotes, so that it reaches the tool as one
// argument. A run of backslashes that ends the path is doubled, else the
// argument splitting would take the closing quote as text. A path holding a
// double quote, a "%" (expanded even between quotes), CR or LF cannot be
// carried: no value, and the caller tells the user.
std::optional<QString> quotedPath(const QString& path);

}  // namespace common
