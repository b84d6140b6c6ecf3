#include "app/kq.h"
#include "app/dialogs.h"
#include "app/gridview.h"
#include "app/session.h"
#include "analysis/analysisengine.h"
#include <QApplication>
#include <QProgressBar>
#include <QThread>
#include "import/moveoutaction.h"
#include "review/punchgridreview.h"
#include "import/importaction.h"
#include <QFrame>
#include <QHBoxLayout>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

void MemoPanel::showPanel()
{
    ProgressPanel::showPanel();
    m_memo->show();
    m_memo->raise();
}

void MemoPanel::hidePanel()
{
    ProgressPanel::hidePanel();
    m_memo->hide();
}

void MemoPanel::clear()
{
    ProgressPanel::clear();
    m_memo->clear();
}

void MemoPanel::addLine(const QString& line)
{
    ProgressPanel::addLine(line);
    m_memo->appendPlainText(line);
}

Tfkq::Tfkq(Session& session, QWidget* parent) : QWidget(parent), m_session(session)
{
    // FormCreate
    setObjectName(QStringLiteral("fkq"));
    setWindowTitle(QStringLiteral("Tallyvane Ver1.01 (build 7)"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    resize(833, 608);
    if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
    m_session.context().AnalysisRunning = 0;

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildToolbar();
    buildGrids();

    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setGeometry(280, 105, 281, 448);
    m_memo->setReadOnly(true);
    m_memo->setStyleSheet(QStringLiteral("QPlainTextEdit { background-color: black; color: white; }"));
    m_memo->hide();
    m_memoPanel = new MemoPanel(m_memo);
    m_session.setProgressPanel(m_memoPanel);
    // Punch grid colours and click, PopupMenu2, "删除人员".
    PunchGridReview::install(*this);

    m_windows.fkq = this;

    m_engine = new AnalysisEngine(m_session, this);
    connect(m_engine, &AnalysisEngine::captionChanged, m_buttons[1], &QToolButton::setText);
    connect(m_engine, &AnalysisEngine::runningChanged, this, [this](bool running) {
        m_employeeGrid->setEnabled(!running);
    });
    // The run's pause points: pending input (a stop click) runs, then 30 ms pass.
    m_session.setPauseHook([] {
        QApplication::processEvents();
        QThread::msleep(30);
    });
}

Tfkq::~Tfkq()
{
    m_session.setProgressPanel(nullptr);
    delete m_memoPanel;
}

void Tfkq::buildToolbar()
{
    auto* strip = new QFrame(this);
    strip->setFixedHeight(49);
    strip->setFrameShape(QFrame::StyledPanel);
    layout()->addWidget(strip);
    struct ButtonDef {
        const char* caption;
        const char* hint;
        int left;
        void (Tfkq::*slot)();
    };
    const ButtonDef defs[9] = {
        {"导入数据", "从电子表格导入打卡信息", 8, &Tfkq::SpeedButton1Click},
        {"班次设置", "班次设置与调整", 98, &Tfkq::SpeedButton4Click},
        {"补卡", "录入补卡信息", 189, &Tfkq::SpeedButton7Click},
        {"分析数据", "电脑分析单人打卡信息", 280, &Tfkq::SpeedButton2Click},
        {"刷新", nullptr, 371, &Tfkq::SpeedButton3Click},
        {"生成报表", nullptr, 461, &Tfkq::SpeedButton5Click},
        {"移出数据", nullptr, 552, &Tfkq::SpeedButton6Click},
        {"查询", nullptr, 643, &Tfkq::SpeedButton8Click},
        {"说明", nullptr, 734, &Tfkq::SpeedButton9Click},
    };
    const int numbers[9] = {1, 4, 7, 2, 3, 5, 6, 8, 9};
    for (int i = 0; i < 9; ++i) {
        auto* b = new QToolButton(strip);
        b->setObjectName(QStringLiteral("SpeedButton%1").arg(numbers[i]));
        b->setText(QString::fromUtf8(defs[i].caption));
        if (defs[i].hint) b->setToolTip(QString::fromUtf8(defs[i].hint));
        b->setGeometry(defs[i].left, 5, 80, 35);
        b->setAutoRaise(true);
        connect(b, &QToolButton::clicked, this, defs[i].slot);
        m_buttons[numbers[i] - 1] = b;
    }
    m_allProgress = new QProgressBar(strip);
    m_allProgress->setGeometry(8, 41, 806, 7);
    m_allProgress->setTextVisible(false);
    m_allProgress->hide();
}

void Tfkq::buildGrids()
{
    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    static_cast<QVBoxLayout*>(layout())->addLayout(body, 1);

    m_employeeModel = new DataSetModel(&m_session.employeeList(),
                                       {{"bm", QStringLiteral("部门"), 50},
                                        {"xm", QStringLiteral("姓名"), 52},
                                        {"ygbh", QStringLiteral("编号"), 50}},
                                       this);
    m_employeeModel->setReadOnly(true);
    m_employeeGrid = new GridView(m_employeeModel, this);
    m_employeeGrid->setObjectName(QStringLiteral("DBGrid2"));
    m_employeeGrid->setFixedWidth(192);
    m_employeeGrid->enableTitleSort(&m_session);
    m_employeeGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_employeeMenu = new QMenu(this);
    m_employeeMenu->addAction(QStringLiteral("删除人员"));
    connect(m_employeeMenu->addAction(QStringLiteral("分析全部人员")), &QAction::triggered, this,
            &Tfkq::analyseAllEmployees);
    m_employeeGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_employeeGrid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { m_employeeMenu->popup(m_employeeGrid->viewport()->mapToGlobal(p)); });
    body->addWidget(m_employeeGrid);

    m_punchModel = new DataSetModel(&m_session.punchList(),
                                    {{"bm", QStringLiteral("部门"), 50},
                                     {"xm", QStringLiteral("姓名"), 50},
                                     {"ygbh", QStringLiteral("编号"), 50},
                                     {"dksj", QStringLiteral("打卡时间"), 184},
                                     {"bz", QStringLiteral("备注"), 205},
                                     {"js", QStringLiteral("计数"), 56}},
                                    this);
    m_punchGrid = new GridView(m_punchModel, this);
    m_punchGrid->setObjectName(QStringLiteral("DBGrid1"));
    m_punchGrid->enableTitleSort(&m_session);
    m_punchMenu = new QMenu(this);
    m_punchGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_punchGrid, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        if (!m_punchMenu->isEmpty()) m_punchMenu->popup(m_punchGrid->viewport()->mapToGlobal(p));
    });
    body->addWidget(m_punchGrid, 1);
}

void Tfkq::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void Tfkq::FormShow()
{
    // Each step may fail on its own; the window opens all the same.
    if (!guarded(this, [this] { m_session.db(); m_session.employeeList().open(); })) return;
    if (!guarded(this, [this] { m_session.punchList().open(); })) return;
    guarded(this, [this] { m_session.loadSettings(); });
}

void Tfkq::SpeedButton1Click() { importFromDialog(this, m_session); }

void Tfkq::SpeedButton2Click() { guarded(this, [this] { m_engine->SpeedButton2Click(); }); }

void Tfkq::analyseAllEmployees()
{
    guarded(this, [this] {
        m_allProgress->show();
        struct Hide {
            QProgressBar* bar;
            ~Hide() { bar->hide(); }
        } hide{m_allProgress};
        m_engine->analyseAll([this](int n, int total) {
            m_allProgress->setRange(0, total);
            m_allProgress->setValue(n);
            m_allProgress->setToolTip(QStringLiteral("%1 / %2").arg(n).arg(total));
        });
    });
}

void Tfkq::SpeedButton3Click() { guarded(this, [this] { m_session.refreshPunchList(); }); }

void Tfkq::SpeedButton4Click() { showWindow(m_windows.fdksj); }

void Tfkq::SpeedButton5Click() { showWindow(m_windows.ftj); }

void Tfkq::SpeedButton6Click() { moveOutAction(this, m_session); }

void Tfkq::SpeedButton7Click() { showWindow(m_windows.fbk); }

void Tfkq::SpeedButton8Click() { showWindow(m_windows.fcx); }

void Tfkq::SpeedButton9Click() { showWindow(m_windows.FKQ_JS); }
