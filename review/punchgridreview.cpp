#include "review/punchgridreview.h"
#include "app/dialogs.h"
#include "app/gridview.h"
#include "app/kq.h"
#include "app/session.h"
#include "review/bk.h"
#include "review/corrections.h"
#include "review/employeedeletion.h"
#include "review/punchgrid.h"
#include "store/datetexts.h"
#include <QMenu>

PunchGridReview* PunchGridReview::install(Tfkq& fkq) { return new PunchGridReview(fkq); }

PunchGridReview::PunchGridReview(Tfkq& fkq) : QObject(&fkq), m_fkq(fkq)
{
    colourRows();
    checkTypedTimes();
    fillMenu();
    connect(fkq.DBGrid1(), &GridView::cellClicked, this, &PunchGridReview::DBGrid1CellClick);
    for (QAction* a : fkq.employeeMenu()->actions())
        if (a->text() == QStringLiteral("删除人员"))
            connect(a, &QAction::triggered, this, &PunchGridReview::deleteEmployeeClick);
}

void PunchGridReview::colourRows()
{
    Session& session = m_fkq.session();
    m_fkq.DBGrid1()->setRowBackground([&session](int row) -> std::optional<QColor> {
        switch (PunchGrid::rowMark(session, row)) {
        case PunchGrid::RowMark::HandMarked: return QColor(255, 0, 0);
        case PunchGrid::RowMark::HighlightedDay: return QColor(0, 128, 128);
        case PunchGrid::RowMark::None: break;
        }
        return std::nullopt;
    });
}

void PunchGridReview::checkTypedTimes()
{
    // A punch time that does not read is refused before it reaches the row.
    m_fkq.DBGrid1()->gridModel()->setValidator([](const QString& field, const QString& text) {
        if (field.compare(QLatin1String("dksj"), Qt::CaseInsensitive) == 0) DateTexts::parseDateTime(text);
    });
}

void PunchGridReview::fillMenu()
{
    QMenu* menu = m_fkq.PopupMenu2();
    struct Item {
        const char* name;
        const char* caption;
        void (PunchGridReview::*handler)();
    };
    const Item items[] = {
        {"N01", "&0.取消本条分析", &PunchGridReview::N01Click},
        {"N11", "&1.正常", &PunchGridReview::N11Click},
        {"N21", "&2.迟到", &PunchGridReview::N21Click},
        {"N41", "&3.早退", &PunchGridReview::N41Click},
        {nullptr, nullptr, nullptr},
        {"N31", "&4.删除", &PunchGridReview::N31Click},
        {nullptr, nullptr, nullptr},
        {"N42", "&5.未打卡", &PunchGridReview::N42Click},
        {"N51", "&6.补卡", &PunchGridReview::N51Click},
        {nullptr, nullptr, nullptr},
        {"N71", "&7.本日分析不对", &PunchGridReview::N71Click},
        {"N81", "&8.本日打卡正常", &PunchGridReview::N81Click},
        {nullptr, nullptr, nullptr},
        {"N91", "&9.取消此人所有分析", &PunchGridReview::N91Click},
    };
    for (const Item& item : items) {
        if (!item.name) {
            menu->addSeparator();
            continue;
        }
        QAction* a = menu->addAction(QString::fromUtf8(item.caption));
        a->setObjectName(QLatin1String(item.name));
        connect(a, &QAction::triggered, this, item.handler);
    }
}

void PunchGridReview::DBGrid1CellClick()
{
    guarded(&m_fkq, [this] { PunchGrid::cellClick(m_fkq.session()); });
}

void PunchGridReview::correct(void (Corrections::*command)())
{
    guarded(&m_fkq, [&] { (Corrections(m_fkq.session()).*command)(); });
}

void PunchGridReview::N01Click() { correct(&Corrections::cancelRow); }
void PunchGridReview::N11Click() { correct(&Corrections::markNormal); }
void PunchGridReview::N21Click() { correct(&Corrections::markLate); }
void PunchGridReview::N41Click() { correct(&Corrections::markEarly); }
void PunchGridReview::N31Click() { correct(&Corrections::deleteRow); }
void PunchGridReview::N42Click() { correct(&Corrections::insertMissing); }
void PunchGridReview::N71Click() { correct(&Corrections::cancelDay); }
void PunchGridReview::N81Click() { correct(&Corrections::dayNormal); }
void PunchGridReview::N91Click() { correct(&Corrections::cancelPerson); }

void PunchGridReview::N51Click()
{
    guarded(&m_fkq, [this] {
        const DateTime day = Corrections(m_fkq.session()).makeupDate();
        if (auto* fbk = qobject_cast<Tfbk*>(m_fkq.windows().fbk)) fbk->setCalendarDate(day);
        showWindow(m_fkq.windows().fbk);
    });
}

void PunchGridReview::deleteEmployeeClick()
{
    guarded(&m_fkq, [this] {
        Session& session = m_fkq.session();
        const EmployeeDeletion::Target target = EmployeeDeletion::describe(session);
        if (Dialogs::confirm(&m_fkq, EmployeeDeletion::question(target))) EmployeeDeletion::remove(session, target);
    });
}
