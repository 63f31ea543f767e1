// velactl: the command-line companion of VelaSoft.
#include "Command.h"

#include <QCoreApplication>
#include <QMap>
#include <cstdio>

namespace vela::cli {
namespace {

struct Entry {
    QString usage;
    Handler handler;
};

QMap<QString, Entry>& registry()
{
    static QMap<QString, Entry> map;
    return map;
}

// Options that take no value.
const QStringList kFlags = {QStringLiteral("--help")};

} // namespace

Registration::Registration(const char* word, const char* usage, Handler handler)
{
    registry().insert(QString::fromLatin1(word), {QString::fromLatin1(usage), std::move(handler)});
}

QString option(const QStringList& args, const QString& name, const QString& def)
{
    const qsizetype i = args.indexOf(name);
    return i >= 0 && i + 1 < args.size() ? args[i + 1] : def;
}

bool hasFlag(const QStringList& args, const QString& name)
{
    return args.contains(name);
}

QStringList positional(const QStringList& args)
{
    QStringList out;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i].startsWith(QStringLiteral("--"))) {
            if (!kFlags.contains(args[i]))
                ++i;
            continue;
        }
        out << args[i];
    }
    return out;
}

int fail(const QString& reason, int code)
{
    std::fprintf(stderr, "velactl: %s\n", reason.toUtf8().constData());
    return code;
}

void out(const QString& text)
{
    std::fputs(text.toUtf8().constData(), stdout);
    std::fflush(stdout);
}

} // namespace vela::cli

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    auto& reg = vela::cli::registry();
    if (args.isEmpty() || !reg.contains(args.first())) {
        std::fprintf(stderr, "usage: velactl COMMAND [ARGS]\ncommands:\n");
        for (auto it = reg.cbegin(); it != reg.cend(); ++it)
            std::fprintf(stderr, "  %s\n", it->usage.toUtf8().constData());
        return args.isEmpty() ? 2 : vela::cli::fail(QStringLiteral("unknown command"), 2);
    }
    return reg.value(args.first()).handler(args);
}
