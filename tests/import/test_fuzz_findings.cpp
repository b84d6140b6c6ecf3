// Inputs the fuzz targets once found a fault with, read again the way the
// targets read them. In the sanitizer build a leak or a bad access fails here.
#include "fuzz/fuzzfile.h"
#include <QDir>
#include <QDirIterator>
#include <gtest/gtest.h>

namespace {

TEST(FuzzFindings, EveryFoundInputIsReadWithoutFault)
{
    const QDir root(QStringLiteral(TV_SOURCE_DIR "/tests/data/fuzz"));
    int inputs = 0;
    for (const QString& target : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        // fuzz_xlsx -> ".xlsx"; the date-time target has no file suffix.
        const QByteArray suffix = "." + target.mid(5).toLatin1();
        QDirIterator it(root.filePath(target), QDir::Files);
        while (it.hasNext()) {
            QFile f(it.next());
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            const QByteArray data = f.readAll();
            SCOPED_TRACE(it.filePath().toStdString());
            fuzzing::readAsExport(reinterpret_cast<const uint8_t*>(data.constData()), size_t(data.size()),
                                  suffix.constData());
            ++inputs;
        }
    }
    EXPECT_GT(inputs, 0);
}

} // namespace
