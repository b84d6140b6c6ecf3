#include "reports/reportfonts.h"
#include <QFontDatabase>
#include <QStringList>

namespace {

QString firstInstalled(const QStringList& wanted, const QString& otherwise)
{
    const QStringList installed = QFontDatabase::families();
    for (const QString& w : wanted)
        for (const QString& f : installed)
            if (f.compare(w, Qt::CaseInsensitive) == 0) return f;
    return otherwise;
}

// Simplified Chinese bold-looking sans faces, nearest to 黑体 first.
const QStringList& cjkSansFaces()
{
    static const QStringList faces{QStringLiteral("黑体"), QStringLiteral("SimHei"),
                                   QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC"),
                                   QStringLiteral("Source Han Sans CN"),
                                   QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Droid Sans Fallback"),
                                   QStringLiteral("Noto Sans CJK TC"), QStringLiteral("Noto Sans CJK JP")};
    return faces;
}

} // namespace

namespace ReportFonts {

QString titleFamily()
{
    static const QString family = firstInstalled(cjkSansFaces(), QStringLiteral("sans-serif"));
    return family;
}

QString arialFamily()
{
    static const QString family = firstInstalled(
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
         QStringLiteral("Nimbus Sans"), QStringLiteral("Nimbus Sans L"), QStringLiteral("Helvetica")},
        QStringLiteral("sans-serif"));
    return family;
}

QString cjkFamily() { return titleFamily(); }

double pointSize(ReportLayouts::FontRole role)
{
    switch (role) {
    case ReportLayouts::FontRole::Title: return 16;
    case ReportLayouts::FontRole::Heading: return 14;
    case ReportLayouts::FontRole::Data: break;
    }
    return 10;
}

QFont font(ReportLayouts::FontRole role)
{
    QFont f;
    const QString primary = role == ReportLayouts::FontRole::Title ? titleFamily() : arialFamily();
    f.setFamilies({primary, cjkFamily()});
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(pointSize(role));
    return f;
}

} // namespace ReportFonts
