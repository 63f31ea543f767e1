#include "Fault.h"

#include <QStringList>
#include <iterator>

namespace vela::sim {
namespace {

struct Named {
    FaultKind kind;
    const char* name;
};
constexpr Named kNames[] = {
    {FaultKind::NoReply, "no-reply"},       {FaultKind::LateReply, "late-reply"},
    {FaultKind::Noise, "noise"},            {FaultKind::WrongEcho, "wrong-echo"},
    {FaultKind::CutReply, "cut-reply"},     {FaultKind::DoubleReply, "double-reply"},
    {FaultKind::Replace, "replace"},        {FaultKind::Endless, "endless"},
    {FaultKind::SplitReply, "split-reply"}, {FaultKind::MemoryBusy, "memory-busy"},
    {FaultKind::Unplug, "unplug"},
};

} // namespace

QString faultName(FaultKind kind)
{
    for (const Named& n : kNames)
        if (n.kind == kind)
            return QString::fromLatin1(n.name);
    return {};
}

bool faultFromName(const QString& name, FaultKind& kind)
{
    for (const Named& n : kNames) {
        if (name.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0) {
            kind = n.kind;
            return true;
        }
    }
    return false;
}

std::optional<FaultRule> FaultSet::take(const QByteArray& mnemonic)
{
    for (auto it = m_rules.begin(); it != m_rules.end(); ++it) {
        const bool matches = it->mnemonic.isEmpty() || it->mnemonic == "*" || it->mnemonic == mnemonic;
        // The busy answer belongs to the guard command only.
        if (!matches || (it->kind == FaultKind::MemoryBusy && mnemonic != "LB"))
            continue;
        if (it->skip > 0) {
            --it->skip;
            continue;
        }
        FaultRule rule = *it;
        if (it->count > 0 && --it->count == 0)
            m_rules.erase(it);
        return rule;
    }
    return std::nullopt;
}

QByteArray unescapeText(const QString& text)
{
    const QByteArray in = text.toLatin1();
    QByteArray out;
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] != '\\' || i + 1 >= in.size()) {
            out.append(in[i]);
            continue;
        }
        const char c = in[++i];
        if (c == 'r')
            out.append('\r');
        else if (c == 'n')
            out.append('\n');
        else if (c == 'x' && i + 2 < in.size()) {
            out.append(char(in.mid(i + 1, 2).toInt(nullptr, 16)));
            i += 2;
        } else
            out.append(c);
    }
    return out;
}

bool parseFaultRule(const QString& line, FaultRule& rule, QString* error)
{
    const qsizetype textAt = line.indexOf(QLatin1String("text="));
    const QString head = textAt < 0 ? line : line.left(textAt);
    QStringList words = head.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    rule = FaultRule{};
    if (words.isEmpty() || !faultFromName(words.takeFirst(), rule.kind)) {
        if (error)
            *error = QStringLiteral("unknown fault: %1").arg(line);
        return false;
    }
    if (textAt >= 0)
        rule.text = unescapeText(line.mid(textAt + 5));
    for (const QString& w : std::as_const(words)) {
        const qsizetype eq = w.indexOf(QLatin1Char('='));
        if (eq < 0) {
            rule.mnemonic = w.toLatin1();
            continue;
        }
        const QString key = w.left(eq);
        bool ok = false;
        const int value = w.mid(eq + 1).toInt(&ok);
        if (ok && key == QLatin1String("count"))
            rule.count = value;
        else if (ok && key == QLatin1String("skip"))
            rule.skip = value;
        else if (ok && key == QLatin1String("delay"))
            rule.delayMs = value;
        else if (ok && key == QLatin1String("bytes"))
            rule.bytes = value;
        else {
            if (error)
                *error = QStringLiteral("bad fault option: %1").arg(w);
            return false;
        }
    }
    return true;
}

} // namespace vela::sim
