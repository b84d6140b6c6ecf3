#include "review/bk.h"
#include "app/dialogs.h"
#include "app/gridview.h"
#include "app/session.h"
#include "review/makeup.h"
#include "store/datetexts.h"
#include <QCalendarWidget>
#include <QDate>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QToolButton>

namespace {

QDate toQDate(DateTime d) { return QDate(d.year(), d.month(), d.day()); }

DateTime fromQDate(QDate d) { return DateTime::fromParts(d.year(), d.month(), d.day()); }

QString shownText(DataSet& ds, const char* field)
{
    return ds.isOpen() && ds.fieldIndex(QLatin1String(field)) >= 0 ? ds.text(QLatin1String(field)) : QString();
}

// Follows every way a data set's current row or its values can change.
template <class Slot> void followRows(DataSet& ds, QObject* receiver, Slot slot)
{
    QObject::connect(&ds, &DataSet::currentChanged, receiver, slot);
    QObject::connect(&ds, &DataSet::rowChanged, receiver, slot);
    QObject::connect(&ds, &DataSet::reset, receiver, slot);
    QObject::connect(&ds, &DataSet::closed, receiver, slot);
}

} // namespace

Tfbk::Tfbk(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_session(session)
{
    setObjectName(QStringLiteral("fbk"));
    setWindowTitle(QStringLiteral("补卡"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(492, 383);
    if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());

    m_calendar = new QCalendarWidget(this);
    m_calendar->setObjectName(QStringLiteral("MonthCalendar1"));
    m_calendar->setGeometry(0, 0, 267, 154);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setSelectedDate(QDate::currentDate());
    connect(m_calendar, &QCalendarWidget::clicked, this, &Tfbk::MonthCalendar1Click);

    auto* slotModel = new DataSetModel(&session.slotSet(),
                                       {{"bcm", QStringLiteral("班次名"), 74},
                                        {"dkc", QStringLiteral("打卡序"), 78},
                                        {"dksj", QStringLiteral("打卡时间"), 70}},
                                       this);
    slotModel->setReadOnly(true);
    m_slotGrid = new GridView(slotModel, this);
    m_slotGrid->setObjectName(QStringLiteral("DBGrid1"));
    m_slotGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_slotGrid->setGeometry(0, 160, 265, 149);

    auto* employeeModel = new DataSetModel(&session.employeeList(),
                                           {{"bm", QStringLiteral("部门"), 61},
                                            {"xm", QStringLiteral("姓名"), 58},
                                            {"ygbh", QStringLiteral("编号"), 50}},
                                           this);
    employeeModel->setReadOnly(true);
    m_employeeGrid = new GridView(employeeModel, this);
    m_employeeGrid->setObjectName(QStringLiteral("DBGrid2"));
    m_employeeGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_employeeGrid->setGeometry(272, 0, 209, 353);

    buildPanel();
    MonthCalendar1Click(m_calendar->selectedDate()); // label and calendar start on today
    followRows(session.slotSet(), this, [this] { updatePreview(); });
    followRows(session.employeeList(), this, [this] { updatePreview(); });
    updatePreview();
}

void Tfbk::buildPanel()
{
    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setFrameShape(QFrame::StyledPanel);
    m_panel->setGeometry(0, 312, 265, 41);
    auto label = [this](const char* name, QRect geometry) {
        auto* l = new QLabel(m_panel);
        l->setObjectName(QLatin1String(name));
        l->setGeometry(geometry);
        return l;
    };
    // The date label is a little wider than the old form's 54 pixels, so that
    // "2010/11/30" shows whole in today's fonts: the preview must not mislead.
    m_dateLabel = label("Label1", QRect(4, 12, 64, 17));
    m_slotTime = label("DBText1", QRect(70, 12, 32, 17));
    m_name = label("DBText2", QRect(103, 12, 44, 17));
    m_number = label("DBText3", QRect(148, 12, 23, 17));
    m_button = new QToolButton(m_panel);
    m_button->setObjectName(QStringLiteral("SpeedButton1"));
    m_button->setText(QStringLiteral("补卡"));
    m_button->setGeometry(172, 4, 87, 33);
    connect(m_button, &QToolButton::clicked, this, &Tfbk::SpeedButton1Click);
}

void Tfbk::updatePreview()
{
    m_slotTime->setText(shownText(m_session.slotSet(), "dksj"));
    m_name->setText(shownText(m_session.employeeList(), "xm"));
    m_number->setText(shownText(m_session.employeeList(), "ygbh"));
}

void Tfbk::setCalendarDate(DateTime day) { m_calendar->setSelectedDate(toQDate(day)); }

void Tfbk::MonthCalendar1Click(const QDate& day) { m_dateLabel->setText(DateTexts::formatDate(fromQDate(day))); }

void Tfbk::SpeedButton1Click()
{
    guarded(this, [this] { Makeup::enterFromSlotSet(m_session, m_dateLabel->text()); });
}

void Tfbk::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!m_session.slotSet().isOpen())
        guarded(this, [this] {
            m_session.db();
            m_session.slotSet().open();
        });
}
