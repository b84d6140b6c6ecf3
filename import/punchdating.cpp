#include "import/punchdating.h"
#include "store/database.h"
#include "store/datetexts.h"
#include "store/errors.h"
#include "store/value.h"
#include <QHash>
#define SQLITE_HAS_CODEC 1
#include <sqlcipher/sqlite3.h>

namespace {

// nyr of a stored dksj. Texts in storage form are keyed by their date part, so
// a month of punches costs some thirty conversions.
class NyrCache {
public:
    bool nyrOf(const char* text, int size, QByteArray& out)
    {
        const bool storageForm = size == 19 && text[4] == '-' && text[7] == '-' && text[10] == ' ';
        const QByteArray key = storageForm ? QByteArray::fromRawData(text, 10) : QByteArray(text, size);
        auto it = m_nyr.constFind(key);
        if (it != m_nyr.constEnd()) {
            out = *it;
            return true;
        }
        DateTime dt;
        try {
            dt = Value(QString::fromUtf8(text, size)).toDateTime();
        } catch (const ConversionError&) {
            return false;
        }
        out = DateTexts::formatDate(dt).toUtf8();
        m_nyr.insert(QByteArray(key.constData(), key.size()), out);
        return true;
    }

private:
    QHash<QByteArray, QByteArray> m_nyr;
};

void nyrFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    auto* cache = static_cast<NyrCache*>(sqlite3_user_data(ctx));
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const int size = sqlite3_value_bytes(argv[0]);
    QByteArray nyr;
    if (!cache->nyrOf(text, size, nyr)) {
        const QByteArray msg = QStringLiteral("打卡时间“%1”不是有效的日期时间").arg(QString::fromUtf8(text, size)).toUtf8();
        sqlite3_result_error(ctx, msg.constData(), msg.size());
        return;
    }
    sqlite3_result_text(ctx, nyr.constData(), nyr.size(), SQLITE_TRANSIENT);
}

// Registered for one statement, removed again whatever happens.
class ScopedFunction {
public:
    ScopedFunction(Database& db, NyrCache& cache) : m_db(db.handle())
    {
        if (sqlite3_create_function(m_db, "tv_nyr", 1, SQLITE_UTF8, &cache, nyrFunction, nullptr, nullptr) != SQLITE_OK)
            throw DatabaseError(db.lastError());
    }
    ~ScopedFunction() { sqlite3_create_function(m_db, "tv_nyr", 1, SQLITE_UTF8, nullptr, nullptr, nullptr, nullptr); }

private:
    sqlite3* m_db;
};

} // namespace

void PunchDating::dateUnmarkedRows(Database& db)
{
    NyrCache cache;
    ScopedFunction fn(db, cache);
    db.exec(QStringLiteral("UPDATE kqk SET nyr = tv_nyr(dksj) "
                           "WHERE ((nyr IS NULL) OR (shi IS NULL)) AND dksj IS NOT NULL AND nyr IS NOT tv_nyr(dksj)"));
}
