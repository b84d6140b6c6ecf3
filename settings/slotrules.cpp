#include "settings/slotrules.h"
#include "store/dataset.h"
#include "store/errors.h"
#include <QRegularExpression>
#include <QStringList>

namespace SlotRules {

namespace {
const QStringList& codes()
{
    static const QStringList list{QStringLiteral("1/1"), QStringLiteral("1/2"), QStringLiteral("2/2"),
                                  QStringLiteral("1/4"), QStringLiteral("2/4"), QStringLiteral("3/4"),
                                  QStringLiteral("4/4")};
    return list;
}
} // namespace

bool isSlotTime(const QString& text)
{
    // ASCII digits only: the date-time parser reads no others.
    static const QRegularExpression re(QStringLiteral("^([0-9]{1,2}):([0-9]{2})$"));
    const auto m = re.match(text.trimmed());
    return m.hasMatch() && m.captured(1).toInt() <= 23 && m.captured(2).toInt() <= 59;
}

void checkSlotTime(const QString& text)
{
    if (!isSlotTime(text))
        throw CommandRefused(
            QStringLiteral("打卡时间 \"%1\" 无效：应为 时:分（如 8:00），时 0–23，分 0–59。").arg(text));
}

bool isEvaluatedCode(const QString& code) { return codes().contains(code); }

QString evaluatedCodes() { return codes().join(u','); }

void installSlotTimeCheck(DataSet& slotSet)
{
    slotSet.setBeforePost([](const DataSet& ds) {
        const QString field = QStringLiteral("dksj");
        if (ds.state() == DataSet::State::Insert || ds.isModified(field)) checkSlotTime(ds.text(field));
    });
}

} // namespace SlotRules
