#include "app/session.h"
#include "store/errors.h"

Session::Session(const QString& databasePath, QObject* parent) : QObject(parent), m_path(databasePath)
{
    m_punchList = std::make_unique<DataSet>(nullptr, QStringLiteral("select * from kqk where ygbh=:dd "));
    m_punchList->setParam(QStringLiteral("dd"), Value(QStringLiteral("%")));
    m_employeeList = std::make_unique<DataSet>(nullptr, QStringLiteral("select bm,xm,ygbh from kqk group by bm,xm,ygbh"));
    m_slotSet = std::make_unique<DataSet>(nullptr, QStringLiteral("SELECT * FROM DKSJSZK"));
    m_switchSet = std::make_unique<DataSet>(nullptr, QStringLiteral("select * from bcmsz"));
    connect(m_employeeList.get(), &DataSet::afterScroll, this, &Session::onEmployeeScroll);
    // Another employee cannot be chosen while a run analyses the current one.
    m_employeeList->setMoveGuard([this] { requireIdle(); });
}

Session::~Session() = default;

Database& Session::db()
{
    if (!m_db) {
        m_db = Database::open(m_path);
        for (DataSet* ds : {m_punchList.get(), m_employeeList.get(), m_slotSet.get(), m_switchSet.get()})
            ds->setDatabase(m_db.get());
    }
    return *m_db;
}

void Session::execCommand(const QString& sql, const Params& params) { db().exec(sql, params); }

void Session::openOnShow()
{
    openLists();
    loadSettings();
}

void Session::openLists()
{
    db();
    m_employeeList->open();
    m_punchList->open();
}

void Session::closeLists()
{
    m_punchList->close();
    m_employeeList->close();
}

void Session::loadSettings()
{
    const QueryResult r = db().query(QStringLiteral("select * from qtszk"));
    int nameCol = -1, valCol = -1;
    for (size_t i = 0; i < r.columns.size(); ++i) {
        if (r.columns[i].name.compare(QLatin1String("name"), Qt::CaseInsensitive) == 0) nameCol = int(i);
        if (r.columns[i].name.compare(QLatin1String("val"), Qt::CaseInsensitive) == 0) valCol = int(i);
    }
    if (nameCol < 0 || valCol < 0) throw DatabaseError(QStringLiteral("qtszk 缺少 name 或 val 字段"));
    for (const auto& row : r.rows) {
        const QString name = row[nameCol].toText();
        if (name == QLatin1String("ys")) m_ctx.GraceMinutes = int(row[valCol].toInt());
        else if (name == QLatin1String("zwdk")) m_ctx.MissingMinutes = int(row[valCol].toInt());
    }
    emit settingsLoaded();
}

void Session::onEmployeeScroll()
{
    m_punchList->close();
    m_punchList->setParam(QStringLiteral("dd"), m_employeeList->value(QStringLiteral("ygbh")));
    m_punchList->open();
    m_ctx.CurrentEmployeeNo = m_punchList->isEmpty() ? QString() : m_punchList->text(QStringLiteral("ygbh"));
    m_punchList->sort(QStringLiteral("dksj ASC"));
}

void Session::refreshPunchList()
{
    db();
    m_punchList->close();
    m_punchList->open();
    m_punchList->sort(QStringLiteral("dksj ASC"));
}

void Session::titleSort(DataSet& ds, const QString& field)
{
    m_sortToggle = -m_sortToggle;
    ds.sort(field + (m_sortToggle == 1 ? QStringLiteral(" ASC") : QStringLiteral(" DESC")));
}

void Session::requireIdle() const
{
    if (m_ctx.AnalysisRunning)
        throw CommandRefused(QStringLiteral("正在分析数据，请先停止分析再执行此操作。"));
}
