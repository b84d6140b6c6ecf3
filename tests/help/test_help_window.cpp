#include "app/dialogs.h"
#include "app/windows.h"
#include "help/KQ_JS.h"
#include "help/weblinks.h"
#include <QDesktopServices>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

// Stands in for the browser.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

class TestHelpWindow : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        Dialogs::setScripted(true);
        Dialogs::clearRecorded();
        m_dir = std::make_unique<QTemporaryDir>();
        m_path = m_dir->filePath(QStringLiteral("help.txt"));
    }

    void firstShowWithoutAFileReportsItThenClosingCreatesIt()
    {
        TFKQ_JS w(nullptr, m_path);
        QCOMPARE(w.windowTitle(), QStringLiteral("帮助"));
        showAndWait(w);
        QCOMPARE(Dialogs::recordedMessages().size(), 1);
        const QString message = Dialogs::recordedMessages().first();
        QVERIFY(message.startsWith(QStringLiteral("无法打开文件")));
        QVERIFY(message.contains(QDir::toNativeSeparators(m_path)));
        QCOMPARE(w.Memo1()->toPlainText(), QStringLiteral("Memo1"));

        QVERIFY(w.close());
        QCOMPARE(fileBytes(), QByteArray("Memo1"));
        showAndWait(w);
        QCOMPARE(Dialogs::recordedMessages().size(), 1);
        QCOMPARE(w.Memo1()->toPlainText(), QStringLiteral("Memo1"));
    }

    void editedTextIsKeptOnDiskExactly()
    {
        writeFile("one\ntwo\nthree");
        TFKQ_JS w(nullptr, m_path);
        showAndWait(w);
        QCOMPARE(w.Memo1()->blockCount(), 3); // shown line by line
        QVERIFY(w.close());
        QCOMPARE(fileBytes(), QByteArray("one\r\ntwo\r\nthree"));

        showAndWait(w);
        w.Memo1()->setPlainText(QStringLiteral("考勤说明\n\n第三行\u00a0末尾"));
        QVERIFY(w.close());
        QCOMPARE(fileBytes(), QStringLiteral("考勤说明\r\n\r\n第三行\u00a0末尾").toUtf8());
        w.Memo1()->setPlainText(QStringLiteral("discarded"));
        showAndWait(w);
        QCOMPARE(w.memoText(), QStringLiteral("考勤说明\n\n第三行\u00a0末尾"));
        QVERIFY(Dialogs::recordedMessages().isEmpty());
    }

    void closingAWindowThatIsNotShownWritesNothing()
    {
        writeFile("kept");
        TFKQ_JS w(nullptr, m_path);
        w.close();
        QCOMPARE(fileBytes(), QByteArray("kept"));
    }

    void showingAVisibleWindowReloadsNothing()
    {
        writeFile("first");
        TFKQ_JS w(nullptr, m_path);
        showAndWait(w);
        writeFile("second");
        showWindow(&w);
        QCOMPARE(w.Memo1()->toPlainText(), QStringLiteral("first"));
    }

    void aFailedSaveKeepsTheWindowOpenWithItsText()
    {
        writeFile("text");
        TFKQ_JS w(nullptr, m_path);
        showAndWait(w);
        w.Memo1()->setPlainText(QStringLiteral("typed"));
        QVERIFY(QFile::remove(m_path));
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("help.txt"))); // nothing can be written there

        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QCOMPARE(w.Memo1()->toPlainText(), QStringLiteral("typed"));
        QCOMPARE(Dialogs::recordedMessages().size(), 1);
        QVERIFY(Dialogs::recordedMessages().first().startsWith(QStringLiteral("无法创建文件")));

        QVERIFY(QDir(m_dir->path()).rmdir(QStringLiteral("help.txt")));
        QVERIFY(w.close());
        QCOMPARE(fileBytes(), QByteArray("typed"));
    }

    void theButtonsOpenTheTwoAddresses()
    {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
        TFKQ_JS w(nullptr, m_path);
        w.BitBtn1()->click();
        w.BitBtn2()->click();
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(catcher.urls, (QList<QUrl>{QUrl(QString::fromUtf8(WebLinks::DownloadPage).trimmed()),
                                            QUrl(QString::fromUtf8(WebLinks::HomePage).trimmed())}));
        QCOMPARE(w.BitBtn1()->text(), QStringLiteral("新版下载"));
        QCOMPARE(w.BitBtn2()->text(), QStringLiteral("官方网站"));
        QCOMPARE(w.BitBtn1()->geometry(), QRect(608, 376, 68, 25));
        QCOMPARE(w.BitBtn2()->geometry(), QRect(608, 416, 68, 25));
    }

    void theShippedHelpTextLiesBesideTheExecutable()
    {
        TFKQ_JS w; // the default path; never shown here, so the shipped file stays as it is
        QCOMPARE(w.helpFile().path(), QCoreApplication::applicationDirPath() + QStringLiteral("/help.txt"));
        HelpFile shipped(w.helpFile().path());
        const QString text = shipped.load();
        QCOMPARE(shipped.encoding(), HelpFile::Encoding::Utf8);
        for (const char* topic : {"导入数据", "班次设置", "分析数据", "补卡", "生成报表", "移出数据", "查询"})
            QVERIFY2(text.contains(QString::fromUtf8(topic)), topic);

        // Its look, for the record, over a copy.
        QFile::copy(w.helpFile().path(), m_path);
        TFKQ_JS shown(nullptr, m_path);
        QCOMPARE(shown.Memo1()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(shown.Memo1()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(shown.Memo1()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        showAndWait(shown);
        QCOMPARE(shown.Memo1()->geometry(), shown.rect());
        shown.grab().save(QStringLiteral(TV_BINARY_DIR "/screenshots/help-window.png"));
        QVERIFY(Dialogs::recordedMessages().isEmpty());
    }

private:
    void showAndWait(QWidget& w)
    {
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }
    void writeFile(const QByteArray& bytes)
    {
        QFile f(m_path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray fileBytes() const
    {
        QFile f(m_path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

QTEST_MAIN(TestHelpWindow)
#include "test_help_window.moc"
