#pragma once
// Placeholder until the process start lands.
#include <QProcessEnvironment>
#include <QStringList>
#include <optional>
namespace rt::shellstart {
enum class Failure { None, NoTerminal, NoProgram };
struct Plan { QString program; QStringList arguments; QProcessEnvironment environment; bool discardOutput = false; };
std::optional<Plan> plan(const QString& line, int style, const QString& appDir, const QProcessEnvironment& env, Failure* why);
qint64 start(const Plan& plan);
}
