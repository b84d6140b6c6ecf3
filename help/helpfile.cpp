#include "help/helpfile.h"
#include "store/errors.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

const QByteArray Utf8Bom("\xEF\xBB\xBF");

QString fullPath(const QString& path) { return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()); }

QString normaliseBreaks(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

} // namespace

HelpFile::HelpFile(QString path) : m_path(std::move(path)) {}

QString HelpFile::defaultPath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("help.txt"));
}

QString HelpFile::decode(const QByteArray& bytes, Encoding& encoding)
{
    const bool bom = bytes.startsWith(Utf8Bom);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bom ? bytes.mid(Utf8Bom.size()) : bytes);
    if (!utf8.hasError()) {
        encoding = bom ? Encoding::Utf8WithBom : Encoding::Utf8;
        return normaliseBreaks(text);
    }
    QStringDecoder gb("GB18030");
    if (!gb.isValid()) throw TvError(QStringLiteral("无法读取 GB18030 编码的文本。"));
    encoding = Encoding::Gb18030;
    return normaliseBreaks(gb.decode(bytes));
}

QByteArray HelpFile::encode(const QString& text, Encoding encoding)
{
    QString crlf = normaliseBreaks(text);
    crlf.replace(u'\n', QLatin1String("\r\n"));
    if (encoding == Encoding::Gb18030) {
        QStringEncoder gb("GB18030");
        if (!gb.isValid()) throw TvError(QStringLiteral("无法写出 GB18030 编码的文本。"));
        return gb.encode(crlf);
    }
    const QByteArray utf8 = crlf.toUtf8();
    return encoding == Encoding::Utf8WithBom ? Utf8Bom + utf8 : utf8;
}

QString HelpFile::load()
{
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly))
        throw TvError(QStringLiteral("无法打开文件“%1”：%2").arg(fullPath(m_path), f.errorString()));
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw TvError(QStringLiteral("无法打开文件“%1”：%2").arg(fullPath(m_path), f.errorString()));
    Encoding enc = Encoding::Utf8;
    QString text = decode(bytes, enc);
    m_encoding = enc;
    return text;
}

void HelpFile::save(const QString& text)
{
    // A missing file is created in UTF-8; an existing one keeps the encoding it was read in.
    if (!QFileInfo::exists(m_path)) m_encoding = Encoding::Utf8;
    const QByteArray bytes = encode(text, m_encoding);
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        throw TvError(QStringLiteral("无法创建文件“%1”：%2").arg(fullPath(m_path), f.errorString()));
}
