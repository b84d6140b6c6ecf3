#include <QtTest>
class TestReviewGui : public QObject {
    Q_OBJECT
};
QTEST_MAIN(TestReviewGui)
#include "test_review_gui.moc"
