// tallyvane-xls-reader FILE SHEET: reads one sheet of an Excel 97-2003
// workbook and writes it, or the reason it cannot, to standard output.
#include "import/sheetreader.h"
#include "import/sheetstream.h"
#include "store/errors.h"
#include <QString>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: tallyvane-xls-reader FILE SHEET\n");
        return 2;
    }
    QByteArray out;
    try {
        out = SheetStream::encode(SheetReader::readXlsHere(QString::fromLocal8Bit(argv[1]), QString::fromUtf8(argv[2])));
    } catch (const TvError& e) {
        out = SheetStream::encodeRefusal(e.message());
    }
    for (qsizetype done = 0; done < out.size();) {
        const ssize_t n = write(STDOUT_FILENO, out.constData() + done, size_t(out.size() - done));
        if (n <= 0) return 1;
        done += n;
    }
    return 0;
}
