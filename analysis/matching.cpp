#include "analysis/analysisengine.h"
#include "store/datetexts.h"
#include "store/errors.h"
#include <QCollator>
#include <algorithm>
#include <map>

namespace {

const QString OnDutyList = QStringLiteral("1/2;1/4;3/4;");
const QString OffDutyList = QStringLiteral("2/2;4/4;2/4");

bool listed(const QString& code, const QString& list) { return !code.isEmpty() && list.contains(code); }

// "H:M" or "H:M:S", one or two digits a field.
bool readTimeOfDay(const QString& text, qint64& seconds)
{
    const QStringList parts = text.split(u':');
    if (parts.size() < 2 || parts.size() > 3) return false;
    int f[3] = {0, 0, 0};
    for (int i = 0; i < parts.size(); ++i) {
        const QString& p = parts[i];
        if (p.isEmpty() || p.size() > 2) return false;
        for (QChar c : p)
            if (c < u'0' || c > u'9') return false;
        f[i] = p.toInt();
    }
    if (f[0] > 23 || f[1] > 59 || f[2] > 59) return false;
    seconds = f[0] * 3600 + f[1] * 60 + f[2];
    return true;
}

// Shift summary of the day: hits per slot, slots, average accumulated score.
struct ShiftSummary {
    QString bcm;
    bool bcmNull = false;
    qint64 hits = 0, slotCount = 0, scores = 0;
};

// a DESC, b DESC, c ASC, with a and c compared as exact fractions.
bool ranksBefore(const ShiftSummary& x, const ShiftSummary& y)
{
    const qint64 a1 = x.hits * y.slotCount, a2 = y.hits * x.slotCount;
    if (a1 != a2) return a1 > a2;
    if (x.slotCount != y.slotCount) return x.slotCount > y.slotCount;
    return x.scores * y.slotCount < y.scores * x.slotCount;
}

// a rounded to four decimal places is above 0.6.
bool aboveThreshold(const ShiftSummary& s)
{
    if (s.slotCount == 0) return false;
    const qint64 scaled = (s.hits * 20000 + s.slotCount) / (2 * s.slotCount);
    return scaled > 6000;
}

} // namespace

qint64 AnalysisEngine::slotSeconds(SlotWork& s)
{
    if (s.seconds < 0 && !readTimeOfDay(s.timeText, s.seconds)) {
        s.seconds = -1;
        throw ConversionError(QStringLiteral("班次“%1”打卡序“%2”的打卡时间“%3”不是有效的时间")
                                  .arg(s.bcm, s.dkc, s.timeText));
    }
    return s.seconds;
}

DateTime AnalysisEngine::dayStart(const QString& nyr)
{
    for (const auto& [text, day] : m_dayCache)
        if (text == nyr) return day;
    DateTime day;
    if (!DateTexts::tryParseDateTime(nyr, day) || day.secondOfDay() != 0)
        throw ConversionError(QStringLiteral("日期“%1”不是有效的日期").arg(nyr));
    if (m_dayCache.size() > 8) m_dayCache.clear();
    m_dayCache.emplace_back(nyr, day);
    return day;
}

void AnalysisEngine::fx2()
{
    if (ctx.AnalysisRunning == 0) return;
    if (!m_slotsLoaded) loadSlots();
    qint64 running = 0;
    for (SlotWork& s : m_slots) s.bz = s.cz = s.cz1 = 0;

    // Ranks of the shift names in the locale's collation, nulls lowest.
    std::vector<int> bcmRank(m_slots.size());
    {
        QCollator collator(DateTexts::locale());
        std::vector<int> byName(m_slots.size());
        for (size_t i = 0; i < byName.size(); ++i) byName[i] = int(i);
        auto less = [&](int a, int b) {
            if (m_slots[a].bcmNull != m_slots[b].bcmNull) return m_slots[a].bcmNull;
            return collator.compare(m_slots[a].bcm, m_slots[b].bcm) < 0;
        };
        std::stable_sort(byName.begin(), byName.end(), less);
        for (size_t i = 0; i < byName.size(); ++i)
            bcmRank[byName[i]] = (i > 0 && !less(byName[i - 1], byName[i])) ? bcmRank[byName[i - 1]] : int(i);
    }

    Statement& punches = m_session.db().cached(QStringLiteral("select dksj, nyr from kqkday where ygbh=:bhbh order by rowid"));
    punches.bind({{":bhbh", ctx.CurrentEmployeeNo}});
    while (punches.step()) {
        const DateTime punch = punches.value(0).toDateTime();
        const QString nyr = punches.value(1).toText();
        std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) { return bcmRank[a] < bcmRank[b]; });
        for (int i : m_order) {
            SlotWork& s = m_slots[i];
            const DateTime slotTime = dayStart(nyr).addSeconds(slotSeconds(s));
            const qint64 minutes = wholeMinutesBetween(punch, slotTime);
            if (listed(s.dkc, OnDutyList) || s.dkc == QLatin1String("1/1"))
                running = slotTime >= punch ? minutes / 2 : minutes * 2;
            if (listed(s.dkc, OffDutyList)) running = slotTime <= punch ? minutes / 2 : minutes * 2;
            s.cz = running;
        }
        std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) { return m_slots[a].cz < m_slots[b].cz; });
        if (m_order.empty()) throw ConversionError(QStringLiteral("没有设置任何班次，无法分析打卡"));
        const qint64 minimum = m_slots[m_order.front()].cz;
        for (SlotWork& s : m_slots)
            if (s.cz < minimum + 60 && s.x != QLatin1String("X")) {
                ++s.bz;
                s.cz1 += s.cz;
            }
    }

    // ADOQuery_maxbcm: groups in the engine's order of the names, then ranked.
    std::map<std::pair<bool, QString>, ShiftSummary> groups;
    for (const SlotWork& s : m_slots) {
        ShiftSummary& g = groups[{!s.bcmNull, s.bcm}];
        g.bcm = s.bcm;
        g.bcmNull = s.bcmNull;
        g.hits += s.bz;
        g.scores += s.cz1;
        ++g.slotCount;
    }
    std::vector<ShiftSummary> summary;
    for (auto& [k, g] : groups) summary.push_back(g);
    std::stable_sort(summary.begin(), summary.end(), ranksBefore);
    ctx.ChosenShift = !summary.empty() && aboveThreshold(summary.front()) ? summary.front().bcm : QStringLiteral("no");
    m_session.progress().addLine(ctx.ChosenShift);
    m_session.pause();
}
