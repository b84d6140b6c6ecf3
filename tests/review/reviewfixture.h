#pragma once
#include "app/session.h"
#include "review/punchgrid.h"
#include "store/datetexts.h"
#include "testsupport.h"
#include <gtest/gtest.h>
#include <optional>

// A session over a fresh database under a year-month-day locale (nyr like
// "2010/11/1"), with helpers to add analysed rows and read them back.
class ReviewTest : public ::testing::Test {
protected:
    struct Stored {
        QString bz;
        Value js;
        QString shi;
        QString nyr;
        QString dksj;
    };

    void SetUp() override
    {
        DateTexts::setLocale(QLocale(QStringLiteral("zh_CN")));
        session = std::make_unique<Session>(t.path());
    }
    void TearDown() override { DateTexts::setLocale(QLocale::system()); }

    Session& s() { return *session; }

    // One kqk row; js null stays null. Returns its id.
    qint64 add(const QString& ygbh, const QString& dksj, const QString& bz, const Value& js, const QString& shi = {},
               const QString& bm = QStringLiteral("行政部"), const QString& xm = QStringLiteral("张三"))
    {
        const DateTime when = *DateTime::fromIso(dksj);
        s().db().exec(QStringLiteral("insert into kqk (bm,xm,ygbh,dksj,bz,js,nyr,shi) "
                                     "values (:bm,:xm,:ygbh,:dksj,:bz,:js,:nyr,:shi)"),
                      {{":bm", bm}, {":xm", xm}, {":ygbh", ygbh}, {":dksj", Value(when)}, {":bz", bz}, {":js", js},
                       {":nyr", DateTexts::formatDate(when.datePart())},
                       {":shi", shi.isNull() ? Value() : Value(shi)}});
        return s().db().lastInsertRowId();
    }
    qint64 add213(const QString& dksj, const QString& bz, const Value& js, const QString& shi = {})
    {
        return add(QStringLiteral("213"), dksj, bz, js, shi);
    }

    std::optional<Stored> stored(qint64 id)
    {
        const QueryResult r = s().db().query(QStringLiteral("select bz,js,shi,nyr,dksj from kqk where id=:id"),
                                             {{":id", Value(id)}});
        if (r.rows.empty()) return std::nullopt;
        const auto& v = r.rows[0];
        return Stored{v[0].toText(), v[1], v[2].toText(), v[3].toText(), v[4].toStorageText()};
    }

    // Every row of kqk as text, to show that a refused command wrote nothing.
    QString dump()
    {
        QString out;
        for (const auto& row : s().db().query(QStringLiteral("select * from kqk order by id")).rows) {
            for (const Value& v : row) out += (v.isNull() ? QStringLiteral("\\N") : v.toStorageText()) + u'|';
            out += u'\n';
        }
        return out;
    }

    qint64 count() { return s().db().scalar(QStringLiteral("select count(*) from kqk")).toInt(); }

    // Opens the lists on employee 213 and clicks the row with that id.
    void click(qint64 id)
    {
        if (!s().employeeList().isOpen()) s().openLists();
        const Value no = s().db().scalar(QStringLiteral("select ygbh from kqk where id=:id"), {{":id", Value(id)}});
        ASSERT_TRUE(PunchGrid::selectEmployee(s(), no.toText()));
        ASSERT_TRUE(PunchGrid::selectPunch(s(), id));
        PunchGrid::cellClick(s());
    }

    TempDb t;
    std::unique_ptr<Session> session;
};
