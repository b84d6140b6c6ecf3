// The compound-file and record walk the .xls reader does in its own process
// before FreeXL, fuzzed in-process (fuzz_xls sees it only through the reader
// process, whose crashes read as damaged files).
#include "import/biffscan.h"
#include "import/compoundfile.h"
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const auto cf = CompoundFile::parse(bytes)) {
        (void)cf->streamNames();
        if (const auto workbook = cf->stream(QStringLiteral("Workbook"))) (void)BiffScan::of(*workbook, QStringLiteral("2010-11"));
    }
    // Inputs that are no compound file still walk as a workbook stream.
    (void)BiffScan::of(bytes, QStringLiteral("2010-11"));
    return 0;
}
