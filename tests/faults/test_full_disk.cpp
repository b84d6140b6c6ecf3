// An import that runs out of room: the disk fills up, or the file reaches the
// size the process may write. The import is wholly out, the database intact,
// and the next import with room succeeds.
#include "faults/faultfixture.h"
#include "testsupport.h"
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>

namespace {

QString integrity(const QString& path)
{
    auto db = Database::open(path, Database::OpenMode::OpenExisting);
    return db->scalar("PRAGMA integrity_check").toText();
}

qint64 rowCount(const QString& path)
{
    auto db = Database::open(path, Database::OpenMode::OpenExisting);
    return db->scalar("select count(*) from kqk").toInt();
}

CliResult importUnderFileSizeLimit(const QString& dir, const QString& file, rlim_t limit)
{
    QProcess p;
    p.setWorkingDirectory(dir);
    p.setChildProcessModifier([limit] {
        const rlimit r{limit, limit};
        setrlimit(RLIMIT_FSIZE, &r);
    });
    p.start(QStringLiteral(TV_CLI), {QStringLiteral("import"), file});
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

// A small file system of its own; needs the right to mount (root in CI).
class SmallDisk {
public:
    explicit SmallDisk(const QString& where, qint64 bytes) : m_where(where)
    {
        const QByteArray options = "size=" + QByteArray::number(bytes);
        m_mounted = mount("tmpfs", where.toUtf8().constData(), "tmpfs", 0, options.constData()) == 0;
    }
    ~SmallDisk() { if (m_mounted) umount2(m_where.toUtf8().constData(), MNT_DETACH); }
    bool mounted() const { return m_mounted; }
    bool grow(qint64 bytes)
    {
        const QByteArray options = "size=" + QByteArray::number(bytes);
        return mount("tmpfs", m_where.toUtf8().constData(), "tmpfs", MS_REMOUNT, options.constData()) == 0;
    }

private:
    QString m_where;
    bool m_mounted = false;
};

TEST(FullDisk, ImportOnAFullDiskIsWhollyOut)
{
    QTemporaryDir outside;
    const QString disk = outside.filePath(QStringLiteral("disk"));
    QDir().mkpath(disk);
    const QString path = disk + QStringLiteral("/kq.mdb");
    const QString seed = outside.filePath(QStringLiteral("seed.mdb"));
    faults::makeMonth(seed, 20);
    const qint64 seedSize = QFileInfo(seed).size();
    SmallDisk small(disk, seedSize + 512 * 1024);
    if (!small.mounted()) GTEST_SKIP() << "no right to mount a file system here";
    ASSERT_TRUE(QFile::copy(seed, path));
    const QString file = outside.filePath(QStringLiteral("2010-12.csv"));
    faults::writeExport(file, 200);
    const QByteArray before = faults::contentDigest(path);

    const CliResult r = runCli(disk, {QStringLiteral("import"), file});
    EXPECT_EQ(r.status, 1) << r.out.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("磁盘已满")) || r.err.contains(QStringLiteral("读写数据库")))
        << r.err.toStdString();
    EXPECT_EQ(integrity(path), QStringLiteral("ok"));
    EXPECT_EQ(faults::contentDigest(path), before);

    ASSERT_TRUE(small.grow(seedSize * 8 + 64 * 1024 * 1024));
    const CliResult again = runCli(disk, {QStringLiteral("import"), file});
    EXPECT_EQ(again.status, 0) << again.err.toStdString();
    EXPECT_GT(rowCount(path), 0);
    EXPECT_EQ(integrity(path), QStringLiteral("ok"));
}

TEST(FullDisk, ImportPastTheFileSizeLimitIsWhollyOut)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kq.mdb"));
    faults::makeMonth(path, 20);
    const QString file = dir.filePath(QStringLiteral("2010-12.csv"));
    faults::writeExport(file, 200);
    const QByteArray before = faults::contentDigest(path);
    const qint64 rowsBefore = rowCount(path);

    const CliResult r = importUnderFileSizeLimit(dir.path(), file, rlim_t(QFileInfo(path).size() + 256 * 1024));
    EXPECT_EQ(r.status, 1) << "a signal ended it, or it succeeded: " << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("文件超出大小限制")) || r.err.contains(QStringLiteral("磁盘已满")))
        << r.err.toStdString();
    EXPECT_EQ(integrity(path), QStringLiteral("ok"));
    EXPECT_EQ(faults::contentDigest(path), before);

    const CliResult again = runCli(dir.path(), {QStringLiteral("import"), file});
    EXPECT_EQ(again.status, 0) << again.err.toStdString();
    EXPECT_GT(rowCount(path), rowsBefore);
}

} // namespace
