#include "bench/punchgen.h"
#include "store/database.h"
#include "store/datetexts.h"
#include <random>
#include <vector>

namespace {

struct Pattern {
    const char* shift;
    std::vector<std::pair<int, int>> slotTimes; // minutes after midnight, +1 day for next-day slots counted >= 1440
};

const std::vector<Pattern>& patterns()
{
    static const std::vector<Pattern> p = {
        {"白班", {{8 * 60, 0}, {12 * 60, 1}, {13 * 60 + 30, 0}, {17 * 60 + 30, 1}}},
        {"中班", {{9 * 60, 0}, {18 * 60, 1}}},
        {"夜班", {{20 * 60, 0}, {24 * 60 + 8 * 60, 1}}},
    };
    return p;
}

const char* const Departments[] = {"行政部", "导医组", "财务部", "后勤部", "护理部"};
const char* const Surnames[] = {"张", "王", "李", "赵", "刘", "陈", "杨", "黄", "周", "吴"};
const char* const Given[] = {"伟", "芳", "娜", "敏", "静", "强", "磊", "洋", "艳", "杰", "军", "勇"};

} // namespace

void generatePunches(const PunchGenOptions& o, const std::function<void(const GeneratedPunch&)>& sink)
{
    std::mt19937 rng(o.seed);
    std::normal_distribution<double> early(-6.0, 4.0); // minutes around on-duty slots
    std::normal_distribution<double> late(7.0, 6.0);   // minutes around off-duty slots
    std::uniform_int_distribution<int> pct(0, 99), sec(0, 59);
    for (int e = 0; e < o.employees; ++e) {
        const int n = o.employeeOffset + e;
        GeneratedPunch p;
        p.bm = QString::fromUtf8(Departments[n % 5]);
        p.xm = QString::fromUtf8(Surnames[n % 10]) + QString::fromUtf8(Given[(n / 10) % 12]) + QString::number(n / 120);
        p.ygbh = QString::number(1000 + n);
        const Pattern& pat = patterns()[n % 3];
        for (int d = 0; d < o.days; ++d) {
            const DateTime day = o.firstDay.addDays(d);
            for (const auto& [minute, offDuty] : pat.slotTimes) {
                if (pct(rng) < o.missingPercent) continue;
                const double jitter = offDuty ? late(rng) : early(rng);
                p.dksj = day.addMinutes(minute).addSeconds(qint64(jitter * 60) + sec(rng));
                sink(p);
                if (pct(rng) < o.repeatPercent) {
                    p.dksj = p.dksj.addSeconds(20 + sec(rng));
                    sink(p);
                }
            }
        }
    }
}

qint64 insertPunches(Database& db, const PunchGenOptions& o)
{
    Transaction tx(db);
    Statement st(db, QStringLiteral("insert into kqk (bm,xm,ygbh,dksj,nyr) values (?,?,?,?,?)"));
    qint64 n = 0;
    generatePunches(o, [&](const GeneratedPunch& p) {
        st.reset();
        st.bind(1, Value(p.bm));
        st.bind(2, Value(p.xm));
        st.bind(3, Value(p.ygbh));
        st.bind(4, Value(p.dksj));
        st.bind(5, Value(DateTexts::formatDate(p.dksj)));
        st.step();
        ++n;
    });
    tx.commit();
    return n;
}

void insertBenchShifts(Database& db)
{
    Transaction tx(db);
    const char* rows[][3] = {{"白班", "1/4", "8:00"}, {"白班", "2/4", "12:00"}, {"白班", "3/4", "13:30"},
                             {"白班", "4/4", "17:30"}, {"中班", "1/2", "9:00"},  {"中班", "2/2", "18:00"},
                             {"夜班", "1/2", "20:00"}, {"夜班", "2/2", "8:00"}};
    for (auto& r : rows)
        db.exec(QStringLiteral("insert into dksjszk (bcm,dkc,dksj,bz,cz,cz1) values (:b,:c,:t,0,0,0)"),
                {{":b", QString::fromUtf8(r[0])}, {":c", r[1]}, {":t", r[2]}});
    for (const char* s : {"白班", "中班", "夜班"})
        db.exec(QStringLiteral("insert into bcmsz (k_g,bcm,kd,mrk_g,but_) values (1,:b,'',1,'')"),
                {{":b", QString::fromUtf8(s)}});
    tx.commit();
}
