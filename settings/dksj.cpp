#include "settings/dksj.h"
#include "app/dialogs.h"
#include "app/gridview.h"
#include "app/session.h"
#include "settings/datasetnavigator.h"
#include "settings/slotrules.h"
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString MemoHint = QStringLiteral("例外\"部门\"或\"姓名+编号\"（用;分隔），如;导医组;张三213;");

bool isEvaluatedRow(const DataSet& ds, int row)
{
    const int col = ds.fieldIndex(QStringLiteral("dkc"));
    if (!ds.isOpen() || col < 0 || row < 0 || row >= ds.recordCount()) return true;
    return SlotRules::isEvaluatedCode(ds.valueAt(row, col).toText());
}

// The slot grid's model: a row with a code the evaluation never looks at
// says so when the pointer rests on it.
class SlotGridModel : public DataSetModel {
public:
    using DataSetModel::DataSetModel;
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::ToolTipRole && index.isValid() && !isEvaluatedRow(*dataSet(), index.row()))
            return QStringLiteral("打卡序 \"%1\" 不在 %2 之中：参与班次匹配，但从不判定考勤。")
                .arg(dataSet()->valueAt(index.row(), dataSet()->fieldIndex(QStringLiteral("dkc"))).toText(),
                     SlotRules::evaluatedCodes());
        return DataSetModel::data(index, role);
    }
};

// The designed widths go below the header's usual minimum (the "X" column is 13).
void applyDesignedWidths(GridView* grid)
{
    grid->horizontalHeader()->setMinimumSectionSize(8);
    const auto& columns = grid->gridModel()->columns();
    for (size_t i = 0; i < columns.size(); ++i) grid->setColumnWidth(int(i), columns[i].width);
}

QWidget* panel(QWidget* parent, const QColor& colour)
{
    auto* w = new QWidget(parent);
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, colour);
    w->setPalette(pal);
    return w;
}

} // namespace

Tfdksj::Tfdksj(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_session(session), m_commands(session), m_thresholds(session)
{
    setObjectName(QStringLiteral("fdksj"));
    setWindowTitle(QStringLiteral("设置"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    // The client area of the designed 577 x 590 window: both panels side by side.
    setFixedSize(566, 561);
    if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildSlotPanel());
    layout->addWidget(buildSwitchPanel());
}

QColor Tfdksj::unevaluatedColour() { return QColor(128, 64, 0); }

QWidget* Tfdksj::buildSlotPanel()
{
    auto* left = new QWidget(this);
    left->setFixedWidth(315);
    auto* v = new QVBoxLayout(left);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);

    DataSet& slotData = m_session.slotSet();
    m_slotModel = new SlotGridModel(&slotData,
                                    {{"id", QString(), 20, true},
                                     {"x", QStringLiteral("X"), 13, false},
                                     {"bcm", QStringLiteral("班次名"), 51, true},
                                     {"dkc", QStringLiteral("打卡序"), 52, true},
                                     {"dksj", QStringLiteral("打卡时间"), 58, true},
                                     {"bz", QString(), 25, true},
                                     {"cz", QString(), 29, false},
                                     {"cz1", QString(), 25, false}},
                                    this);
    // Refused as typed; the data set's own check catches every other post.
    m_slotModel->setValidator([this](const QString& field, const QString& text) {
        m_session.requireIdle();
        if (field.compare(QLatin1String("dksj"), Qt::CaseInsensitive) == 0) SlotRules::checkSlotTime(text);
    });
    m_slotGrid = new GridView(m_slotModel, left);
    m_slotGrid->setObjectName(QStringLiteral("DBGrid1"));
    applyDesignedWidths(m_slotGrid);
    m_slotGrid->enableTitleSort(&m_session);
    m_slotGrid->setRowBackground([&slotData](int row) -> std::optional<QColor> {
        if (isEvaluatedRow(slotData, row)) return std::nullopt;
        return unevaluatedColour();
    });

    m_slotMenu = new QMenu(this);
    m_slotMenu->setObjectName(QStringLiteral("PopupMenu1"));
    m_slotMenu->addAction(QStringLiteral("&1.停用本班"), this, &Tfdksj::N1Click);
    m_slotMenu->addSeparator();
    m_slotMenu->addAction(QStringLiteral("&2.起用本班"), this, &Tfdksj::N2Click);
    m_slotGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_slotGrid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { m_slotMenu->popup(m_slotGrid->viewport()->mapToGlobal(p)); });
    v->addWidget(m_slotGrid, 1);

    m_slotNavigator = new DataSetNavigator(&slotData, left);
    m_slotNavigator->setObjectName(QStringLiteral("DBNavigator1"));
    m_slotNavigator->setFixedHeight(25);
    m_slotNavigator->setChangeGuard([this] { m_session.requireIdle(); });
    v->addWidget(m_slotNavigator);
    return left;
}

QWidget* Tfdksj::buildSwitchPanel()
{
    QWidget* right = panel(this, Qt::black);
    right->setFixedWidth(251);
    auto* v = new QVBoxLayout(right);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);

    DataSet& switches = m_session.switchSet();
    const auto centred = Qt::AlignCenter;
    m_switchModel = new DataSetModel(&switches,
                                     {{"id", QString(), 16, true, Qt::AlignLeft | Qt::AlignVCenter},
                                      {"k_g", QStringLiteral("开关"), 29, true, centred},
                                      {"bcm", QStringLiteral("班次名"), 54, true, centred},
                                      {"kd", QStringLiteral("时间跨度"), 57, true, centred},
                                      {"mrk_g", QStringLiteral("默认开关"), 53, true, centred}},
                                     this);
    m_switchModel->setValidator([this](const QString&, const QString&) { m_session.requireIdle(); });
    m_switchGrid = new GridView(m_switchModel, right);
    m_switchGrid->setObjectName(QStringLiteral("DBGrid2"));
    applyDesignedWidths(m_switchGrid);
    m_switchGrid->setFixedHeight(229);
    m_switchGrid->enableTitleSort(&m_session);
    v->addWidget(m_switchGrid);
    v->addWidget(buildControlPanel(), 1);

    for (auto signal : {&DataSet::opened, &DataSet::closed, &DataSet::reset})
        connect(&switches, signal, this, &Tfdksj::loadMemo);
    connect(&switches, &DataSet::currentChanged, this, &Tfdksj::loadMemo);
    connect(&switches, &DataSet::rowChanged, this, [this, &switches](int row) {
        if (row == switches.currentRow()) loadMemo();
    });
    return right;
}

QWidget* Tfdksj::buildControlPanel()
{
    QWidget* grey = panel(this, QColor(128, 128, 128));
    grey->setMinimumHeight(332);
    auto* v = new QVBoxLayout(grey);
    v->setContentsMargins(5, 6, 6, 6);
    v->setSpacing(4);

    m_memo = new QPlainTextEdit(grey);
    m_memo->setObjectName(QStringLiteral("DBMemo1"));
    m_memo->setFixedSize(240, 156);
    m_memo->setToolTip(MemoHint);
    m_memo->installEventFilter(this);
    connect(m_memo, &QPlainTextEdit::textChanged, this, &Tfdksj::memoEdited);
    v->addWidget(m_memo);

    m_switchNavigator = new DataSetNavigator(&m_session.switchSet(), grey);
    m_switchNavigator->setObjectName(QStringLiteral("DBNavigator2"));
    m_switchNavigator->setFixedSize(240, 25);
    m_switchNavigator->setChangeGuard([this] { m_session.requireIdle(); });
    v->addWidget(m_switchNavigator);

    v->addWidget(buildThresholdRow(m_graceEdit, Thresholds::Kind::Grace, QString(), QStringLiteral("分钟内不计迟到")));
    v->addWidget(buildThresholdRow(m_missingEdit, Thresholds::Kind::Missing, QStringLiteral("迟到或早退"),
                                   QStringLiteral("分钟记未打卡")));
    m_graceEdit->setObjectName(QStringLiteral("Edit2"));
    m_missingEdit->setObjectName(QStringLiteral("Edit1"));

    m_emptyButton = new QToolButton(grey);
    m_emptyButton->setObjectName(QStringLiteral("SpeedButton1"));
    m_emptyButton->setText(QStringLiteral("清空考勤库数据"));
    m_emptyButton->setFixedSize(208, 33);
    m_emptyButton->setStyleSheet(QStringLiteral("color: red;"));
    connect(m_emptyButton, &QToolButton::clicked, this, &Tfdksj::SpeedButton1Click);
    v->addSpacing(6);
    v->addWidget(m_emptyButton, 0, Qt::AlignHCenter);
    v->addStretch(1);
    return grey;
}

QWidget* Tfdksj::buildThresholdRow(QLineEdit*& edit, Thresholds::Kind kind, const QString& before,
                                   const QString& after)
{
    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setFixedSize(240, 33);
    auto* h = new QHBoxLayout(frame);
    h->setContentsMargins(6, 3, 6, 3);
    h->setSpacing(4);
    if (!before.isEmpty()) h->addWidget(new QLabel(before, frame));
    edit = new QLineEdit(frame);
    edit->setFixedWidth(40);
    edit->setAlignment(Qt::AlignRight);
    edit->setStyleSheet(QStringLiteral("QLineEdit { background-color: lime; color: black; }"));
    h->addWidget(edit);
    h->addWidget(new QLabel(after, frame));
    h->addStretch(1);
    connect(edit, &QLineEdit::editingFinished, this, [this, kind] { storeThreshold(kind); });
    return frame;
}

void Tfdksj::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    FormShow();
}

void Tfdksj::FormShow()
{
    guarded(this, [this] { m_commands.openDataSets(); });
    loadThreshold(Thresholds::Kind::Grace);
    loadThreshold(Thresholds::Kind::Missing);
}

void Tfdksj::N1Click()
{
    guarded(this, [this] { m_commands.switchShiftOff(); });
}

void Tfdksj::N2Click()
{
    guarded(this, [this] { m_commands.switchShiftOn(); });
}

void Tfdksj::SpeedButton1Click()
{
    guarded(this, [this] { m_commands.emptyAttendanceTables(); });
}

// DBMemo1 follows but_ of the switch grid's current row.
void Tfdksj::loadMemo()
{
    DataSet& ds = m_session.switchSet();
    const bool bound = ds.isOpen() && ds.currentRow() >= 0 && ds.fieldIndex(QStringLiteral("but_")) >= 0;
    const QString text = bound ? ds.text(QStringLiteral("but_")) : QString();
    m_memo->setReadOnly(!bound);
    if (m_memo->toPlainText() == text) return;
    m_loadingMemo = true;
    m_memo->setPlainText(text);
    m_loadingMemo = false;
}

// Typing edits the row at once, so whoever posts next (leaving the row, the
// memo losing the focus, the analysis) writes the list.
void Tfdksj::memoEdited()
{
    if (m_loadingMemo || m_memo->isReadOnly()) return;
    DataSet& ds = m_session.switchSet();
    const bool ok = guarded(this, [&] {
        m_session.requireIdle();
        ds.setValue(QStringLiteral("but_"), Value(m_memo->toPlainText()));
    });
    if (!ok) loadMemo();
}

bool Tfdksj::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_memo && event->type() == QEvent::FocusOut) {
        DataSet& ds = m_session.switchSet();
        if (ds.isOpen() && ds.hasPendingChanges()) guarded(this, [&] { ds.post(); });
    }
    return QWidget::eventFilter(watched, event);
}

QLineEdit* Tfdksj::thresholdEdit(Thresholds::Kind kind) const
{
    return kind == Thresholds::Kind::Grace ? m_graceEdit : m_missingEdit;
}

void Tfdksj::loadThreshold(Thresholds::Kind kind)
{
    QLineEdit* edit = thresholdEdit(kind);
    if (!guarded(this, [&] { edit->setText(m_thresholds.storedText(kind)); })) edit->clear();
}

void Tfdksj::storeThreshold(Thresholds::Kind kind)
{
    QLineEdit* edit = thresholdEdit(kind);
    // The message box of a refusal takes the focus and finishes the edit again.
    if (m_storingThreshold || !edit->isModified()) return;
    m_storingThreshold = true;
    guarded(this, [&] { m_thresholds.store(kind, edit->text()); });
    loadThreshold(kind); // the stored value, whether stored now or kept
    m_storingThreshold = false;
}
