#include "settings/datasetnavigator.h"
#include "app/dialogs.h"
#include "store/dataset.h"
#include <QHBoxLayout>
#include <QToolButton>

DataSetNavigator::DataSetNavigator(DataSet* ds, QWidget* parent) : QWidget(parent), m_ds(ds)
{
    struct ButtonText {
        const char* glyph;
        const char* hint;
    };
    const ButtonText texts[ButtonCount] = {
        {"|◀", "第一条"}, {"◀", "上一条"}, {"▶", "下一条"}, {"▶|", "最后一条"}, {"+", "插入"}, {"−", "删除"},
    };
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < ButtonCount; ++i) {
        auto* b = new QToolButton(this);
        b->setText(QString::fromUtf8(texts[i].glyph));
        b->setToolTip(QString::fromUtf8(texts[i].hint));
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        // Taking the focus lets an editor hand its text over before the move.
        b->setFocusPolicy(Qt::StrongFocus);
        connect(b, &QToolButton::clicked, this, [this, i] { click(Button(i)); });
        layout->addWidget(b);
        m_buttons[i] = b;
    }
    for (auto signal : {&DataSet::opened, &DataSet::closed, &DataSet::reset})
        connect(ds, signal, this, &DataSetNavigator::updateButtons);
    connect(ds, &DataSet::currentChanged, this, &DataSetNavigator::updateButtons);
    connect(ds, &DataSet::rowInserted, this, &DataSetNavigator::updateButtons);
    connect(ds, &DataSet::rowRemoved, this, &DataSetNavigator::updateButtons);
    updateButtons();
}

void DataSetNavigator::click(Button b)
{
    guarded(this, [&] {
        if (m_beforeAction) m_beforeAction();
        switch (b) {
        case First: m_ds->first(); break;
        case Prior: m_ds->prior(); break;
        case Next: m_ds->next(); break;
        case Last: m_ds->last(); break;
        case Insert:
            if (m_changeGuard) m_changeGuard();
            m_ds->append();
            break;
        case Delete:
            if (m_changeGuard) m_changeGuard();
            if (Dialogs::confirm(this, QStringLiteral("删除记录吗？"))) m_ds->remove();
            break;
        default: break;
        }
    });
    updateButtons();
}

void DataSetNavigator::updateButtons()
{
    const bool open = m_ds->isOpen();
    const bool any = open && !m_ds->isEmpty();
    const int row = m_ds->currentRow();
    const int last = m_ds->recordCount() - 1;
    m_buttons[First]->setEnabled(any && row > 0);
    m_buttons[Prior]->setEnabled(any && row > 0);
    m_buttons[Next]->setEnabled(any && row < last);
    m_buttons[Last]->setEnabled(any && row < last);
    m_buttons[Insert]->setEnabled(open && m_ds->isUpdatable());
    m_buttons[Delete]->setEnabled(any && m_ds->isUpdatable());
}
