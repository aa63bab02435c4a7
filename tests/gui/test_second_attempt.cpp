// The second-attempt window `Test2`: carried-over rows locked with their
// tick, the rest reworked, and after marking the answers of the blanks still
// wrong revealed; only SSE and SST change.

#include "test_practice_window_harness.h"

namespace {
// Paper 140: eight picture-graph questions, 30 blanks of kinds N, T and M.
constexpr int Paper = 140;
const QList<int> WrongFirst = {2, 7, 13, 21, 28}; // blanks missed in the first attempt
} // namespace

class TestSecondAttempt : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    void lockedRowsThenMarkingWritesOnlyTheSecondScore();
};

void TestSecondAttempt::lockedRowsThenMarkingWritesOnlyTheSecondScore() {
    PracticeHarness h;
    PracticeWindow* w = h.open(Paper);
    QVERIFY(w);
    // 25 of the 30 blanks right; the others left empty, so also wrong.
    QStringList first = h.correctAnswers(w);
    for (int i : WrongFirst)
        first[i] = QString();
    QVERIFY(h.markWith(w, first));
    h.closeWindow();
    const auto before = h.snapshot();

    w = h.open(Paper, 2);
    QVERIFY(w);
    QCOMPARE(w->objectName(), QStringLiteral("Test2"));
    for (const char* absent : {"lblClock", "lblDate", "LTime", "ETime", "Bot2", "PScoringL"})
        QVERIFY2(!w->findChild<QWidget*>(QString::fromLatin1(absent)), absent);
    for (const char* present : {"PastSc", "TScore", "TQn", "Label3", "SR1", "SR20"})
        QVERIFY2(w->findChild<QWidget*>(QString::fromLatin1(present)), present);
    QCOMPARE(h.label(w, "lblAnsweredQ")->text(), QStringLiteral("25"));
    const PaperSession* session = w->session();
    QStringList remaining;
    for (int i : WrongFirst) {
        const QString q = QString::number(session->QuestionOfBlank(i));
        if (!remaining.contains(q))
            remaining << q;
    }
    QCOMPARE(h.comboItems(w), remaining);

    int editable = 0;
    QSet<QRgb> carriedLook;
    QSet<QRgb> openLook;
    for (int q = 1; q <= session->paper().QuestionCount; ++q) {
        if (q > 1)
            w->NextQuestion();
        const int base = session->CurrentFirstBlank();
        for (int k = 1; k <= session->CurrentBlankCount(); ++k) {
            const QString n = QString::number(k);
            QLineEdit* box = h.box(w, k);
            QLabel* mark = h.label(w, "FR" + n);
            const bool carried = !WrongFirst.contains(base + k - 1);
            QCOMPARE(box->isReadOnly(), carried);
            (carried ? carriedLook : openLook) << box->palette().color(QPalette::Base).rgb();
            QCOMPARE(mark->isVisible(), carried);
            QCOMPARE(box->text(), carried ? first.at(base + k - 1) : QString());
            if (carried) {
                QCOMPARE(mark->text(), QStringLiteral("\u2714"));
                QVERIFY(mark->x() > box->geometry().right()); // beside the box
            }
            QVERIFY(!h.label(w, "SR" + n)->isVisible());
            QVERIFY(!h.child<QWidget>(w, "M" + n)->isVisible());
            editable += carried ? 0 : 1;
        }
    }
    QCOMPARE(editable, 5);
    // Locked boxes are told apart from the open ones by their colour.
    QCOMPARE(carriedLook.size(), 1);
    QCOMPARE(openLook.size(), 1);
    QVERIFY(carriedLook != openLook);
    h.closeWindow();
    // Carried over in memory only; but moving saved the second file.
    auto after = h.snapshot();
    after.insert(ResultsFile::Second, before.value(ResultsFile::Second));
    QCOMPARE(after, before);

    w = h.open(Paper, 2);
    QVERIFY(w);
    const PaperState& paper = w->session()->paper();
    const QStringList keys = paper.AnswerKeys;
    const QStringList correct = PracticeHarness::correctAnswers(w);

    // Four of the five reworked: the pupil is asked about the empty one.
    QStringList answers = paper.Answers;
    for (int i : WrongFirst.mid(0, 4))
        answers[i] = correct.at(i);
    QVERIFY(h.typeAnswers(w, answers));
    h.answers = {false};
    w->MarkPaper();
    QCOMPARE(h.asked().last(),
             QStringLiteral("Marking|You have not answered all the questions.  Do you still want "
                            "to mark your practice?|2"));
    QVERIFY(!w->session()->isMarked());

    // The fifth answered wrongly: the carried-over blanks count as answered.
    answers[WrongFirst.last()] = QStringLiteral("999999");
    QVERIFY(h.typeAnswers(w, answers));
    h.delays.clear();
    w->MarkPaper();
    QCOMPARE(h.asked().last(), QStringLiteral("Marking|Do you want to mark your practice now?|2"));
    QCOMPARE(h.delays, QList<int>(15, 200));
    QVERIFY(w->session()->isMarked());
    QCOMPARE(paper.Results.count(ResultMark::Correct), 29);
    const QString percent = ScorePercentText(
        paper.TotalMarks - paper.AnswerMarks.at(WrongFirst.last()).toInt(), paper.TotalMarks);
    QCOMPARE(paper.PScoring, percent);
    QCOMPARE(h.label(w, "PScoring")->text(), percent + QStringLiteral("%"));

    // Marked view: second marks shown, first hidden; the answer beside the
    // wrong blank (the first alternative of a kind "M" key).
    session = w->session();
    for (int blank : {0, WrongFirst.first(), WrongFirst.last()}) {
        w->RemQns_Click(session->QuestionOfBlank(blank));
        const QString n = QString::number(blank - session->CurrentFirstBlank() + 1);
        const bool wrong = blank == WrongFirst.last();
        QVERIFY(h.box(w, n.toInt())->isReadOnly());
        QVERIFY(!h.label(w, "FR" + n)->isVisible());
        QLabel* mark = h.label(w, "SR" + n);
        QVERIFY(mark->isVisible());
        QCOMPARE(mark->text(), wrong ? QStringLiteral("\u2718") : QStringLiteral("\u2714"));
        auto* model = h.child<QLineEdit>(w, "M" + n);
        QCOMPARE(model->isVisible(), wrong);
        if (wrong) {
            const QString key = keys.at(blank);
            QCOMPARE(model->text(), paper.AnswerKinds.at(blank) == QLatin1String("M")
                                        ? KeyAlternatives(key).first()
                                        : key);
        }
    }
    QVERIFY(!h.button(w, "ToolBar02")->isEnabled());
    QVERIFY(!h.child<QWidget>(w, "TxtRem")->isVisible());
    // The marking reached the files (which of their fields change is the
    // session's, tested with it); the first attempt's did not change.
    QVERIFY(h.snapshot().value(ResultsFile::Marks) != before.value(ResultsFile::Marks));
    QCOMPARE(h.snapshot().value(ResultsFile::FResults), before.value(ResultsFile::FResults));

    // Reopened: the marked second attempt, read-only, without a question.
    const int asks = h.asked().size();
    const auto marked = h.snapshot();
    w = h.open(Paper, 2);
    QVERIFY(w);
    QCOMPARE(h.asked().size(), asks);
    QVERIFY(w->session()->isMarked());
    QVERIFY(h.box(w, 1)->isReadOnly());
    QVERIFY(h.label(w, "SR1")->isVisible());
    h.closeWindow();
    QCOMPARE(h.snapshot(), marked);
}

int main(int argc, char** argv) {
    RegisterQuestionScheme();
    QApplication app(argc, argv);
    TestSecondAttempt test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_second_attempt.moc"
