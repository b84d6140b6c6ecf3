#include "store/datetexts.h"
#include "store/errors.h"
#include <gtest/gtest.h>

namespace {

struct LocaleCase {
    const char* locale;
    const char* format;
    const char* nyr; // 2010-11-30
};

class DateTextsLocale : public ::testing::TestWithParam<LocaleCase> {
protected:
    void SetUp() override { DateTexts::setLocale(QLocale(QString::fromLatin1(GetParam().locale))); }
    void TearDown() override { DateTexts::setLocale(QLocale::system()); }
};

TEST_P(DateTextsLocale, FormatsAndReadsBackWithFourDigitYears)
{
    const auto& c = GetParam();
    EXPECT_EQ(DateTexts::shortDateFormat(), QString::fromLatin1(c.format));
    const DateTime d = DateTime::fromParts(2010, 11, 30, 8, 5, 7);
    EXPECT_EQ(DateTexts::formatDate(d), QString::fromLatin1(c.nyr));
    EXPECT_EQ(DateTexts::parseDateTime(QString::fromLatin1(c.nyr) + " 8:05:07"), d);
    EXPECT_EQ(DateTexts::parseDateTime(QString::fromLatin1(c.nyr) + " 8:5"), DateTime::fromParts(2010, 11, 30, 8, 5));
    EXPECT_EQ(DateTexts::parseDateTime(QString::fromLatin1(c.nyr)), d.datePart());
    EXPECT_EQ(DateTexts::parseDateTime(QString::fromLatin1(c.nyr) + "  0:00:01 "), d.datePart().addSeconds(1));
}

INSTANTIATE_TEST_SUITE_P(Locales, DateTextsLocale,
                         ::testing::Values(LocaleCase{"zh_CN", "yyyy/M/d", "2010/11/30"},
                                           LocaleCase{"en_US", "M/d/yyyy", "11/30/2010"},
                                           LocaleCase{"de_DE", "dd.MM.yyyy", "30.11.2010"},
                                           LocaleCase{"C", "yyyy-MM-dd", "2010-11-30"}));

TEST(DateTexts, RefusesTextsThatAreNoDateTime)
{
    DateTexts::setLocale(QLocale(QStringLiteral("zh_CN")));
    for (const char* bad : {"", "2010/11/31", "2010/13/1", "10/11/30", "2010/11/30 24:00", "2010/11/30 8",
                            "2010/11/30 8:60", "2010/11/30x8:00", "abc"}) {
        DateTime out;
        EXPECT_FALSE(DateTexts::tryParseDateTime(QString::fromLatin1(bad), out)) << bad;
    }
    try {
        DateTexts::parseDateTime(QStringLiteral("2010/11/30 25:00"));
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("2010/11/30 25:00")));
    }
    DateTexts::setLocale(QLocale::system());
}

TEST(DateTime, ExactArithmeticAndWholeMinutes)
{
    const DateTime zero;
    EXPECT_EQ(zero.toIso(), QStringLiteral("1899-12-30 00:00:00"));
    const DateTime t = DateTime::fromParts(2012, 2, 28, 23, 0);
    EXPECT_EQ(t.addHours(2).toIso(), QStringLiteral("2012-02-29 01:00:00"));
    EXPECT_EQ(t.addDays(2).toIso(), QStringLiteral("2012-03-01 23:00:00"));
    EXPECT_EQ(wholeMinutesBetween(t, t.addSeconds(179)), 2);
    EXPECT_EQ(wholeMinutesBetween(t.addSeconds(179), t), 2);
    EXPECT_EQ(wholeMinutesBetween(t, t.addSeconds(59)), 0);
    EXPECT_EQ(DateTime::fromIso(QStringLiteral("2010-11-01 07:52:11"))->toIso(), QStringLiteral("2010-11-01 07:52:11"));
    EXPECT_FALSE(DateTime::fromIso(QStringLiteral("2010-02-30 07:52:11")));
    EXPECT_EQ(DateTime::fromParts(1899, 12, 29).seconds(), -86400);
    EXPECT_EQ(DateTime::fromParts(1899, 12, 29, 6).toIso(), QStringLiteral("1899-12-29 06:00:00"));
}

} // namespace
