#pragma once
#include "analysis/analysisengine.h"
#include "store/datetexts.h"
#include "store/errors.h"
#include "testsupport.h"
#include <gtest/gtest.h>

// A session on a fresh database with nyr written yyyy-MM-dd.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DateTexts::setLocale(QLocale::c());
        t.db();
        session = std::make_unique<Session>(t.path());
        engine = std::make_unique<AnalysisEngine>(*session);
    }
    Database& db() { return session->db(); }
    void slot(const char* bcm, const char* dkc, const char* time)
    {
        db().exec("insert into dksjszk (bcm,dkc,dksj,bz,cz,cz1) values (:b,:c,:t,0,0,0)",
                  {{":b", QString::fromUtf8(bcm)}, {":c", dkc}, {":t", time}});
    }
    void switchRow(const char* bcm, Value mrk, const char* but)
    {
        db().exec("insert into bcmsz (k_g,bcm,kd,mrk_g,but_) values (0,:b,'',:m,:u)",
                  {{":b", QString::fromUtf8(bcm)}, {":m", mrk}, {":u", QString::fromUtf8(but)}});
    }
    void punch(const char* when, const char* ygbh = "1", Value bz = Value(), Value js = Value(0))
    {
        const DateTime d = *DateTime::fromIso(QString::fromLatin1(when));
        db().exec("insert into kqk (bm,xm,ygbh,dksj,bz,js,nyr) values ('d','n',:y,:t,:bz,:js,:nyr)",
                  {{":y", ygbh}, {":t", Value(d)}, {":bz", bz}, {":js", js}, {":nyr", DateTexts::formatDate(d)}});
    }
    // "time bz js" of the employee's rows by time, e.g. "07:52:00 正常 1".
    QStringList rows(const char* ygbh = "1")
    {
        QStringList out;
        for (const auto& r : db().query("select dksj,bz,js from kqk where ygbh=:y order by dksj, id", {{":y", ygbh}}).rows)
            out << r[0].toStorageText().mid(11) + u' ' + r[1].toText() + u' ' + r[2].toStorageText();
        return out;
    }
    QString slotColumn(const char* column)
    {
        return db().scalar(QStringLiteral("select group_concat(%1, ',') from (select %1 from dksjszk order by id)")
                               .arg(QLatin1String(column)))
            .toText();
    }
    void analyse(const char* ygbh = "1")
    {
        session->openOnShow();
        engine->analyseEmployee(QString::fromLatin1(ygbh));
    }
    // A context for calling one evaluator directly.
    void atSlot(const char* when, int grace = 3, int missing = 30)
    {
        AnalysisContext& c = session->context();
        c.AnalysisRunning = 1;
        c.CurrentEmployeeNo = "1";
        c.CurrentDept = "d";
        c.CurrentName = "n";
        c.DayAnchor = *DateTime::fromIso(QString::fromLatin1(when));
        c.CurrentDay = DateTexts::formatDate(c.DayAnchor);
        c.GraceMinutes = grace;
        c.MissingMinutes = missing;
    }
    void workedDayShifts()
    {
        slot("A", "1/4", "8:00");
        slot("A", "2/4", "12:00");
        slot("A", "3/4", "13:30");
        slot("A", "4/4", "17:30");
        slot("B", "1/2", "9:00");
        slot("B", "2/2", "18:00");
    }

    TempDb t;
    std::unique_ptr<Session> session;
    std::unique_ptr<AnalysisEngine> engine;
};
