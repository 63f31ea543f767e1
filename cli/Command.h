#pragma once
// velactl subcommands register themselves here; each lives in its own Cmd*.cpp file.
#include <QString>
#include <QStringList>
#include <functional>

namespace vela::cli {

/// @brief Output of a command: exit code 0 on success; on failure a one-line reason goes to
/// standard error.
using Handler = std::function<int(const QStringList& args)>;

/// @brief Registers a command word (e.g. "probe", or "res" with its own sub-words).
struct Registration {
    Registration(const char* word, const char* usage, Handler handler);
};

/// Value of "--name VALUE" in args, or def.
[[nodiscard]] QString option(const QStringList& args, const QString& name, const QString& def = {});
[[nodiscard]] bool hasFlag(const QStringList& args, const QString& name);
/// Arguments that are neither options nor option values (the first is the command word).
[[nodiscard]] QStringList positional(const QStringList& args);
/// Prints "velactl: reason" to standard error and returns the exit code.
int fail(const QString& reason, int code = 1);
/// Writes text to standard output (UTF-8).
void out(const QString& text);

} // namespace vela::cli
