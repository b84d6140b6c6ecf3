#include "pdftools.h"
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <stdexcept>

void ensureGuiApp()
{
    static int argc = 1;
    static char name[] = "test_reports";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) new QGuiApplication(argc, argv);
}

namespace {

QByteArray runTool(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        throw std::runtime_error((program + QStringLiteral(" failed: ") + QString::fromUtf8(p.readAllStandardError())).toStdString());
    return p.readAllStandardOutput();
}

} // namespace

int pdfPages(const QString& pdf)
{
    const QString info = QString::fromUtf8(runTool(QStringLiteral("pdfinfo"), {pdf}));
    const auto m = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString pdfText(const QString& pdf, int firstPage, int lastPage)
{
    QStringList args;
    if (firstPage > 0) args << QStringLiteral("-f") << QString::number(firstPage);
    if (lastPage > 0) args << QStringLiteral("-l") << QString::number(lastPage);
    args << QStringLiteral("-raw") << pdf << QStringLiteral("-");
    return QString::fromUtf8(runTool(QStringLiteral("pdftotext"), args));
}

std::vector<PdfWord> pdfWords(const QString& pdf)
{
    QXmlStreamReader xml(runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}));
    std::vector<PdfWord> words;
    int page = 0;
    while (!xml.atEnd()) {
        if (!xml.readNextStartElement()) continue;
        if (xml.name() == QLatin1String("page")) ++page;
        if (xml.name() != QLatin1String("word")) continue;
        const auto a = xml.attributes();
        PdfWord w{page, {}, a.value("xMin").toDouble(), a.value("yMin").toDouble(), a.value("xMax").toDouble(),
                  a.value("yMax").toDouble()};
        w.text = xml.readElementText();
        words.push_back(w);
    }
    return words;
}

QStringList keepPagesAsPng(const QString& pdf, const QString& name, int dpi)
{
    const QString prefix = QStringLiteral(TV_BINARY_DIR "/screenshots/") + name;
    QDir dir(QStringLiteral(TV_BINARY_DIR "/screenshots"));
    for (const QString& f : dir.entryList({name + QStringLiteral("-*.png")}, QDir::Files)) dir.remove(f);
    runTool(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi), pdf, prefix});
    QStringList files;
    for (const QString& f : dir.entryList({name + QStringLiteral("-*.png")}, QDir::Files, QDir::Name))
        files << dir.filePath(f);
    return files;
}
