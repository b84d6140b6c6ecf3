#include "store/sortorder.h"
#include "store/errors.h"

std::vector<SortKey> parseSortOrder(const QString& text)
{
    std::vector<SortKey> keys;
    for (const QString& part : text.split(u',')) {
        const QStringList words = part.simplified().split(u' ', Qt::SkipEmptyParts);
        if (words.isEmpty() || words.size() > 2)
            throw DatabaseError(QStringLiteral("无效的排序: %1").arg(text));
        SortKey k{words[0], false};
        if (words.size() == 2) {
            if (words[1].compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0) k.descending = true;
            else if (words[1].compare(QLatin1String("ASC"), Qt::CaseInsensitive) != 0)
                throw DatabaseError(QStringLiteral("无效的排序: %1").arg(text));
        }
        keys.push_back(k);
    }
    return keys;
}
