#include "help/KQ_JS.h"
#include "app/dialogs.h"
#include "help/weblinks.h"
#include <QCloseEvent>
#include <QDesktopServices>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QUrl>

namespace {

void openAddress(const char* address) { QDesktopServices::openUrl(QUrl(QString::fromUtf8(address).trimmed())); }

} // namespace

TFKQ_JS::TFKQ_JS(QWidget* parent, const QString& helpPath) : QWidget(parent, Qt::Window), m_file(helpPath)
{
    setObjectName(QStringLiteral("FKQ_JS"));
    setWindowTitle(QStringLiteral("帮助"));
    resize(696, 480);
    move(182, 184);

    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    m_memo->setStyleSheet(QStringLiteral("QPlainTextEdit { background-color: black; color: white; }"));
    m_memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_memo->setPlainText(QStringLiteral("Memo1"));

    // Both lie over the memo's lower right part, where the design put them.
    m_download = new QPushButton(QStringLiteral("新版下载"), this);
    m_download->setObjectName(QStringLiteral("BitBtn1"));
    m_download->setGeometry(608, 376, 68, 25);
    m_home = new QPushButton(QStringLiteral("官方网站"), this);
    m_home->setObjectName(QStringLiteral("BitBtn2"));
    m_home->setGeometry(608, 416, 68, 25);
    connect(m_download, &QPushButton::clicked, this, &TFKQ_JS::BitBtn1Click);
    connect(m_home, &QPushButton::clicked, this, &TFKQ_JS::BitBtn2Click);
}

QString TFKQ_JS::memoText() const
{
    // The raw text keeps what the user typed (no-break spaces included);
    // blocks and soft breaks are both lines of the memo.
    QString t = m_memo->document()->toRawText();
    t.replace(QChar::ParagraphSeparator, u'\n');
    t.replace(QChar::LineSeparator, u'\n');
    return t;
}

void TFKQ_JS::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    m_memo->setGeometry(rect());
}

void TFKQ_JS::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!e->spontaneous()) FormShow();
}

void TFKQ_JS::closeEvent(QCloseEvent* e)
{
    // Only closing a shown window saves; a failed save keeps it open with its text.
    if (!isVisible() || FormClose()) e->accept();
    else e->ignore();
}

void TFKQ_JS::FormShow()
{
    guarded(this, [this] { m_memo->setPlainText(m_file.load()); });
}

bool TFKQ_JS::FormClose()
{
    return guarded(this, [this] { m_file.save(memoText()); });
}

void TFKQ_JS::BitBtn1Click() { openAddress(WebLinks::DownloadPage); }

void TFKQ_JS::BitBtn2Click() { openAddress(WebLinks::HomePage); }
