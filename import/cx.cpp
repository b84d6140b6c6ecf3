#include "import/cx.h"
#include "app/dialogs.h"
#include "app/gridview.h"
#include "app/session.h"
#include "import/archiveprint.h"
#include "store/datetexts.h"
#include <QCloseEvent>
#include <QDateEdit>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

DateTime toDateTime(const QDate& d) { return DateTime::fromParts(d.year(), d.month(), d.day()); }

} // namespace

Tfcx::Tfcx(Session& session, QWidget* parent) : QWidget(parent, Qt::Window), m_session(session)
{
    setObjectName(QStringLiteral("fcx"));
    setWindowTitle(QStringLiteral("考勤查询"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    resize(503, 341);
    move(275, 183);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildBar();

    const auto centred = Qt::AlignCenter;
    m_model = new DataSetModel(&m_query.dataSet(),
                               {{"bm", QStringLiteral("部门"), 47, true, centred},
                                {"xm", QStringLiteral("姓名"), 56, true, centred},
                                {"ygbh", QStringLiteral("编号"), 79, true, centred},
                                {"dksj", QStringLiteral("打卡时间"), 121, true, centred},
                                {"bz", QStringLiteral("备注"), 88, true, centred},
                                {"js", QStringLiteral("计数"), 64, true, centred}},
                               this);
    // The archive is only searched here; records enter it through the move-out alone.
    m_model->setReadOnly(true);
    m_grid = new GridView(m_model, this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->enableTitleSort(&m_session);
    layout->addWidget(m_grid, 1);
}

void Tfcx::buildBar()
{
    auto* bar = new QFrame(this);
    bar->setFixedHeight(50);
    layout()->addWidget(bar);

    auto dateEdit = [bar](const char* name, const char* hint, int left, int width) {
        auto* e = new QDateEdit(bar);
        e->setObjectName(QLatin1String(name));
        e->setCalendarPopup(true);
        e->setDisplayFormat(DateTexts::shortDateFormat());
        e->setToolTip(QString::fromUtf8(hint));
        e->setGeometry(left, 14, width, 21);
        return e;
    };
    m_start = dateEdit("DateTimePicker1", "起始日期", 8, 78);
    auto* arrows = new QLabel(QStringLiteral(">>>"), bar);
    arrows->setGeometry(94, 14, 24, 21);
    m_end = dateEdit("DateTimePicker2", "结束日期", 120, 79);

    auto patternEdit = [bar](const char* name, const char* hint, int left) {
        auto* e = new QLineEdit(QStringLiteral("%"), bar);
        e->setObjectName(QLatin1String(name));
        e->setToolTip(QString::fromUtf8(hint));
        e->setGeometry(left, 14, 57, 21);
        return e;
    };
    m_name = patternEdit("Edit3", "姓名", 205);
    m_number = patternEdit("Edit4", "员工编号", 269);

    auto button = [bar](const char* name, const char* caption, int left) {
        auto* b = new QPushButton(QString::fromUtf8(caption), bar);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(left, 11, 75, 28);
        return b;
    };
    m_refresh = button("Button1", "刷新", 331);
    m_print = button("Button2", "打印", 411);
    connect(m_refresh, &QPushButton::clicked, this, &Tfcx::Button1Click);
    connect(m_print, &QPushButton::clicked, this, &Tfcx::Button2Click);
}

ArchiveCriteria Tfcx::criteria() const
{
    return {toDateTime(m_start->date()), toDateTime(m_end->date()), m_name->text(), m_number->text()};
}

void Tfcx::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    // Restoring from the task bar is no new showing.
    if (!e->spontaneous()) FormShow();
}

void Tfcx::closeEvent(QCloseEvent* e)
{
    FormClose();
    QWidget::closeEvent(e);
}

void Tfcx::FormShow()
{
    const QDate today = QDate::currentDate();
    m_start->setDate(today.addDays(-30));
    m_end->setDate(today);
}

void Tfcx::FormClose() { m_query.close(); }

void Tfcx::Button1Click()
{
    guarded(this, [this] { m_query.run(m_session.db(), criteria()); });
}

void Tfcx::Button2Click()
{
    guarded(this, [this] { ArchivePrint::printToDefaultPrinter(m_query.dataSet()); });
}
