// A month of generated punches for several employees, analysed by the engine
// and, independently, by a plain in-memory reading of the rules; the two
// must agree row by row in status word and counter.
#include "bench/punchgen.h"
#include "enginefixture.h"
#include <algorithm>
#include <array>
#include <map>
#include <set>

namespace {

struct ModelRow {
    qint64 id;
    DateTime t;
    QString bz;
    bool js0; // counter 0
    qint64 js;
    QString nyr;
};

struct ModelSlot {
    QString bcm, dkc;
    qint64 seconds;
};

class ReferenceModel {
public:
    ReferenceModel(std::vector<ModelSlot> slotList, int grace, int missing) : m_slots(std::move(slotList)), G(grace), M(missing) {}

    void run(std::vector<ModelRow>& rows)
    {
        std::sort(rows.begin(), rows.end(), [](const ModelRow& a, const ModelRow& b) {
            return a.t != b.t ? a.t < b.t : a.id < b.id;
        });
        const std::vector<ModelRow> snapshot = rows;
        std::set<QString> processed;
        for (const ModelRow& r : snapshot) {
            if (!r.js0 || processed.count(r.nyr)) continue;
            analyseDay(rows, r);
            processed.insert(r.nyr);
        }
        for (ModelRow& r : rows)
            if (r.js0 && (r.bz.trimmed().isEmpty() || r.bz.trimmed() == QStringLiteral("补卡"))) {
                if (r.bz.trimmed().isEmpty()) r.bz = QStringLiteral("重复打卡");
                r.js0 = false;
                r.js = 1;
            }
    }

private:
    static DateTime day(const QString& nyr) { return *DateTime::fromIso(nyr); }

    void analyseDay(std::vector<ModelRow>& rows, const ModelRow& anchor)
    {
        std::vector<qint64> hits(m_slots.size(), 0), sums(m_slots.size(), 0);
        for (const ModelRow& p : rows) {
            if (!(p.t > anchor.t.addHours(-1) && p.t < anchor.t.addHours(16))) continue;
            std::vector<qint64> score(m_slots.size());
            for (size_t i = 0; i < m_slots.size(); ++i) {
                const DateTime s = day(p.nyr).addSeconds(m_slots[i].seconds);
                const qint64 m = wholeMinutesBetween(p.t, s);
                const bool on = m_slots[i].dkc.startsWith(u'1') || m_slots[i].dkc == QLatin1String("3/4");
                score[i] = on ? (s >= p.t ? m / 2 : m * 2) : (s <= p.t ? m / 2 : m * 2);
            }
            const qint64 least = *std::min_element(score.begin(), score.end());
            for (size_t i = 0; i < m_slots.size(); ++i)
                if (score[i] < least + 60) {
                    ++hits[i];
                    sums[i] += score[i];
                }
        }
        std::map<QString, std::array<qint64, 3>> shifts; // hits, slotList, sums
        for (size_t i = 0; i < m_slots.size(); ++i) {
            auto& s = shifts[m_slots[i].bcm];
            s[0] += hits[i];
            s[1] += 1;
            s[2] += sums[i];
        }
        QString best;
        std::array<qint64, 3> b{-1, 1, 0};
        for (const auto& [name, s] : shifts) {
            const bool better = s[0] * b[1] != b[0] * s[1] ? s[0] * b[1] > b[0] * s[1]
                                : s[1] != b[1]              ? s[1] > b[1]
                                                            : s[2] * b[1] < b[2] * s[1];
            if (b[0] < 0 || better) { best = name; b = s; }
        }
        const DateTime d = day(anchor.nyr);
        if (!(b[0] * 10 > b[1] * 6)) {
            for (ModelRow& r : rows)
                if (r.js0 && r.t > d.addSeconds(1) && r.t < d.addSeconds(86399)) { r.bz = "???"; r.js0 = false; r.js = 1; }
            return;
        }
        std::vector<ModelSlot> walk;
        for (const ModelSlot& s : m_slots)
            if (s.bcm == best) walk.push_back(s);
        std::sort(walk.begin(), walk.end(), [](const ModelSlot& x, const ModelSlot& y) { return x.dkc < y.dkc; });
        for (const ModelSlot& s : walk) evaluate(rows, s, d.addSeconds(s.seconds));
    }

    void evaluate(std::vector<ModelRow>& rows, const ModelSlot& s, DateTime T)
    {
        const qint64 n = s.dkc.left(1).toInt(), of = s.dkc.mid(2).toInt();
        const bool on = n % 2 == 1;
        if (on && n == 1) m_onDuty = T;
        if (s.dkc == QLatin1String("2/2") && m_onDuty.addHours(3) > T) T = T.addDays(1);
        const qint64 before = on ? (n == 1 ? 4 : 2) * 3600 : M * 60;
        const qint64 after = on ? M * 60 : (n == of ? 4 : 2) * 3600;
        const bool latest = !on && n == of;
        ModelRow* pick = nullptr;
        for (ModelRow& r : rows) {
            if (!r.js0 || !(r.t > T.addSeconds(-before) && r.t < T.addSeconds(after))) continue;
            if (!pick || (latest ? r.t > pick->t : r.t < pick->t)) pick = &r;
        }
        if (!pick) {
            rows.push_back({++m_inserted + 1000000, T, QStringLiteral("未打卡"), false, 1, DateTexts::formatDate(T)});
            return;
        }
        pick->js0 = false;
        if (pick->bz == QStringLiteral("补卡")) { pick->js = 1; return; }
        const bool normal = on ? pick->t <= T.addMinutes(G) : pick->t >= T.addSeconds(-60);
        pick->bz = normal ? QStringLiteral("正常") : on ? QStringLiteral("迟到") : QStringLiteral("早退");
        pick->js = normal ? 1 : std::max<qint64>(1, wholeMinutesBetween(pick->t, T));
    }

    std::vector<ModelSlot> m_slots;
    int G, M;
    DateTime m_onDuty;
    qint64 m_inserted = 0;
};

QStringList describe(std::vector<ModelRow> rows)
{
    QStringList out;
    for (const ModelRow& r : rows) out << r.t.toIso() + u' ' + r.bz + u' ' + QString::number(r.js);
    out.sort();
    return out;
}

TEST_F(EngineTest, MonthOfSeveralEmployeesAgreesWithTheRulesRowByRow)
{
    insertBenchShifts(db());
    PunchGenOptions o;
    o.employees = 6; // every shift pattern twice
    o.seed = 7;
    o.missingPercent = 6;
    o.repeatPercent = 5;
    insertPunches(db(), o);
    std::vector<ModelSlot> slotList;
    for (const auto& r : db().query("select bcm, dkc, dksj from dksjszk").rows) {
        const QStringList hm = r[2].toText().split(':');
        slotList.push_back({r[0].toText(), r[1].toText(), hm[0].toInt() * 3600 + hm[1].toInt() * 60});
    }
    ReferenceModel model(slotList, 3, 30);
    session->openOnShow();
    int checked = 0;
    for (int e = 0; e < o.employees; ++e) {
        const QString ygbh = QString::number(1000 + e);
        std::vector<ModelRow> rows;
        for (const auto& r : db().query("select id, dksj, bz, js, nyr from kqk where ygbh=:y", {{":y", ygbh}}).rows)
            rows.push_back({r[0].toInt(), r[1].toDateTime(), r[2].toText(), r[3].equalsInt(0), r[3].toInt(), r[4].toText()});
        model.run(rows);
        engine->analyseEmployee(ygbh);
        QStringList actual;
        for (const auto& r : db().query("select dksj, bz, js from kqk where ygbh=:y", {{":y", ygbh}}).rows)
            actual << r[0].toStorageText() + u' ' + r[1].toText() + u' ' + r[2].toStorageText();
        actual.sort();
        EXPECT_EQ(actual, describe(rows)) << "employee " << ygbh.toStdString();
        checked += actual.size();
        // Every punch ends with a word and a counter.
        EXPECT_EQ(db().scalar("select count(*) from kqk where ygbh=:y and (js=0 or ifnull(bz,'')='')", {{":y", ygbh}}).toInt(), 0);
    }
    EXPECT_GT(checked, 400);
    EXPECT_GT(db().scalar("select count(*) from kqk where bz='未打卡'").toInt(), 0);
    EXPECT_GT(db().scalar("select count(*) from kqk where bz='重复打卡'").toInt(), 0);
    EXPECT_GT(db().scalar("select count(*) from kqk where bz in ('迟到','早退')").toInt(), 0);
}

} // namespace
