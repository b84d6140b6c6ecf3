#include "help/helpfile.h"
#include "store/errors.h"
#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray gb18030(const QString& text) { return QStringEncoder("GB18030").encode(text); }

class HelpFileTest : public ::testing::Test {
protected:
    QString path() const { return dir.filePath(QStringLiteral("help.txt")); }
    QTemporaryDir dir;
};

TEST_F(HelpFileTest, LineBreaksReadAsLinesAndAreWrittenAsCrLf)
{
    struct Case {
        const char* name;
        QByteArray file;
        QString text;     // as the memo gets it
        QByteArray saved; // after saving that text back
    };
    const Case cases[] = {
        {"CR LF", "一\r\n二\r\n", "一\n二\n", "一\r\n二\r\n"},
        {"LF only", "a\nb\nc", "a\nb\nc", "a\r\nb\r\nc"},
        {"CR only", "a\rb", "a\nb", "a\r\nb"},
        {"mixed, blank lines kept", "a\r\n\nb\r\rc", "a\n\nb\n\nc", "a\r\n\r\nb\r\n\r\nc"},
        {"no break added after the last line", "x", "x", "x"},
        {"empty", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(path(), c.file);
        HelpFile f(path());
        EXPECT_EQ(f.load(), c.text);
        f.save(c.text);
        EXPECT_EQ(readBytes(path()), c.saved);
    }
}

TEST_F(HelpFileTest, KeepsTheEncodingItWasReadIn)
{
    const QString text = QStringLiteral("考勤帮助\n第二行 ok");
    struct Case {
        const char* name;
        QByteArray file;
        HelpFile::Encoding encoding;
    };
    const Case cases[] = {
        {"UTF-8", QStringLiteral("考勤帮助\r\n第二行 ok").toUtf8(), HelpFile::Encoding::Utf8},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + QStringLiteral("考勤帮助\r\n第二行 ok").toUtf8(),
         HelpFile::Encoding::Utf8WithBom},
        {"GB18030 from older systems", gb18030(QStringLiteral("考勤帮助\r\n第二行 ok")), HelpFile::Encoding::Gb18030},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(path(), c.file);
        HelpFile f(path());
        EXPECT_EQ(f.load(), text);
        EXPECT_EQ(f.encoding(), c.encoding);
        f.save(text);
        EXPECT_EQ(readBytes(path()), c.file);
    }
    // Text typed in a GB18030 file is written in GB18030, whatever it holds.
    writeBytes(path(), gb18030(QStringLiteral("旧")));
    HelpFile f(path());
    f.load();
    f.save(QStringLiteral("新增 €"));
    EXPECT_EQ(readBytes(path()), gb18030(QStringLiteral("新增 €")));
}

TEST_F(HelpFileTest, ANewFileIsWrittenInUtf8)
{
    writeBytes(path(), gb18030(QStringLiteral("旧文本")));
    HelpFile f(path());
    f.load();
    ASSERT_EQ(f.encoding(), HelpFile::Encoding::Gb18030);
    QFile::remove(path());
    f.save(QStringLiteral("新文本"));
    EXPECT_EQ(readBytes(path()), QStringLiteral("新文本").toUtf8());
}

TEST_F(HelpFileTest, FailuresNameTheFullPathAndTheReason)
{
    const QString full = QDir::toNativeSeparators(path());
    HelpFile missing(path());
    try {
        missing.load();
        FAIL() << "a missing file loaded";
    } catch (const TvError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("无法打开文件“") + full + QStringLiteral("”："))) << e.what();
        EXPECT_GT(e.message().size(), full.size() + 9); // the system's reason follows
    }

    // A directory in the file's place can be neither read nor replaced.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("help.txt")));
    HelpFile blocked(path());
    EXPECT_THROW(blocked.load(), TvError);
    try {
        blocked.save(QStringLiteral("text"));
        FAIL() << "saved over a directory";
    } catch (const TvError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("无法创建文件“") + full + QStringLiteral("”："))) << e.what();
    }
}

TEST_F(HelpFileTest, AReadOnlyFileIsNotReplaced)
{
    if (geteuid() == 0) GTEST_SKIP() << "root writes read-only files";
    writeBytes(path(), "old");
    QFile::setPermissions(path(), QFile::ReadOwner);
    HelpFile f(path());
    EXPECT_EQ(f.load(), QStringLiteral("old"));
    EXPECT_THROW(f.save(QStringLiteral("new")), TvError);
    EXPECT_EQ(readBytes(path()), QByteArray("old"));
}

} // namespace
