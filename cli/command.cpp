#include "cli/command.h"
#include "app/session.h"
#include "store/value.h"

Session& CliContext::session()
{
    if (!sessionPtr) sessionPtr = std::make_unique<Session>(databasePath);
    return *sessionPtr;
}

CliContext::~CliContext() = default;

std::vector<std::unique_ptr<Command>>& commandRegistry()
{
    static std::vector<std::unique_ptr<Command>> registry;
    return registry;
}

QString tsvField(const Value& v)
{
    if (v.isNull()) return QStringLiteral("\\N");
    QString s = v.toStorageText();
    QString out;
    out.reserve(s.size());
    for (QChar c : s) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '\t': out += QLatin1String("\\t"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        default: out += c;
        }
    }
    return out;
}
