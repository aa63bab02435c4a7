// The Home page's paper column as laid out: long texts take the room they
// need without running into the rows, and every mark stands against its own
// "%" sign whatever its width.

#include "main_window_harness.h"

#include "chrome/ClickLabel.h"
#include "chrome/Twips.h"
#include "main_window/ui/HomePage.h"

#include <QLabel>

class TestHomePage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { REQUIRE_CONTENT(); }
    void init() {
        m_main = std::make_unique<MainWindow>();
        QVERIFY(m_main->start());
        m_main->contents->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main->contents.get()));
    }
    void cleanup() { m_main.reset(); }

    void longTopicNameTakesMoreLinesAndTheRowsGiveWay();
    void marksStandAgainstTheirPercentSigns();

private:
    HomePage* home() const { return m_main->child<HomePage>("Body_Home"); }
    // The page after its layout has run.
    HomePage* laidOut() const {
        QCoreApplication::sendPostedEvents();
        return home();
    }
    std::unique_ptr<MainWindow> m_main;
};

void TestHomePage::longTopicNameTakesMoreLinesAndTheRowsGiveWay() {
    // A teacher's topic name of the longest length a definition allows (60).
    const QString name =
        QStringLiteral("Adding and taking away two-digit numbers, crossing the tens!");
    AppState& state = m_main->contents->state();
    state.definition.modules[state.LChose - 1].topicNames[0] = name;
    home()->LoadModuleResults();
    HomePage* page = laidOut();

    auto* heading = m_main->child<QLabel>("SubH1");
    QCOMPARE(heading->text(), name);
    // Whole: as high as its words need at its width, and more than two lines.
    QVERIFY(heading->height() >= heading->heightForWidth(heading->width()));
    QVERIFY(heading->height() > 2 * heading->fontMetrics().lineSpacing() + 2);

    int above = heading->geometry().bottom();
    for (int row = 1; row <= HomePage::Rows; ++row) {
        QWidget* box = m_main->child(qPrintable(QStringLiteral("PaperRow%1").arg(row)));
        QVERIFY2(box->y() > above, qPrintable(box->objectName()));
        above = box->geometry().bottom();
        // The row's second button still lies inside it.
        QWidget* second = m_main->child(qPrintable(QStringLiteral("P%1b").arg(row)));
        QVERIFY(box->rect().contains(second->geometry()));
    }
    QVERIFY(above < page->height());

    // The topic list: the long name shows whole on its three lines, in its
    // own entry. Every entry lies where it always has, one slot every 31
    // pixels under the column head, pushed down by the longer ones above it,
    // its bullet centred beside it; a name that fits keeps its slot's height.
    const QRect head = m_main->child("ColHead1")->geometry();
    const int slot = Twips::toPx(450);
    auto* first = m_main->child<ClickLabel>("Topic1");
    QCOMPARE(first->text(), name);
    QVERIFY(first->height() > 2 * first->fontMetrics().lineSpacing());
    int y = head.bottom() + 1 + 5;
    int checked = 0;
    for (int k = 1; k <= HomePage::TopicSlots; ++k) {
        auto* topic = m_main->child<ClickLabel>(qPrintable(QStringLiteral("Topic%1").arg(k)));
        QWidget* bullet = m_main->child(qPrintable(QStringLiteral("Bullet%1").arg(k)));
        if (!topic->isVisible())
            continue;
        ++checked;
        const int needed = topic->heightForWidth(topic->width());
        const int height = needed > slot ? topic->height() : slot;
        QVERIFY2(height >= needed, qPrintable(topic->objectName()));
        QCOMPARE(bullet->pos(), QPoint(9, y + (height - bullet->height()) / 2));
        const int left = bullet->geometry().right() + 1 + 5;
        QCOMPARE(topic->geometry(), QRect(left, y, head.right() + 1 - left, height));
        y += height + Twips::toPx(465) - slot;
    }
    QVERIFY(checked > 1);
    QVERIFY(y < page->height());
}

void TestHomePage::marksStandAgainstTheirPercentSigns() {
    const QStringList first = {"7", "99", "100", "", "72.5"};
    const QStringList second = {"", "64", "", "", "100"};
    for (int i = 0; i < HomePage::Rows; ++i)
        QVERIFY(m_main->setMarks(i + 1, first.at(i), second.at(i)));
    home()->LoadModuleResults();
    laidOut();

    for (int row = 1; row <= HomePage::Rows; ++row) {
        for (const char* attempt : {"A", "B"}) {
            const QString suffix = QString::number(row) + QLatin1String(attempt);
            auto* mark =
                m_main->child<QLabel>(qPrintable(QStringLiteral("MS%1%2").arg(attempt).arg(row)));
            auto* percent =
                m_main->child<QLabel>(qPrintable(QStringLiteral("Percent") + suffix.toLower()));
            QVERIFY2(mark && percent, qPrintable(suffix));
            // Same line, the mark's right edge 20 twips left of the sign.
            QCOMPARE(mark->geometry().center().y(), percent->geometry().center().y());
            if (!mark->text().isEmpty()) {
                QCOMPARE(mark->geometry().right() + 1 + Twips::toPx(20), percent->x());
                QVERIFY(mark->width() >= mark->sizeHint().width());
            }
        }
    }
    // Every row's signs in one column.
    const int column = m_main->child("Percent1a")->mapTo(home(), QPoint()).x();
    for (const char* other : {"Percent1b", "Percent3a", "Percent5b"})
        QCOMPARE(m_main->child(other)->mapTo(home(), QPoint()).x(), column);
}

QTEST_MAIN(TestHomePage)
#include "test_home_page.moc"
