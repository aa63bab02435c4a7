// The worked solution in the practice window: the Working button in each
// attempt and marked state, its key and spoken name, showing and hiding the
// working in the real web view, a question without working, and printing a
// question with its working shown.

#include "test_practice_window_harness.h"

#include <QAccessible>
#include <QApplication>
#include <QPdfDocument>
#include <QPrinter>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include "core/PaperContent.h"

namespace {

constexpr int Paper = 101;
const QString WorkingHeading = QStringLiteral("How to work it out");
const QString WorkingAnswer = QStringLiteral("So the answer is 2.85.");
const QString QuestionText = QStringLiteral("How much is left?");

QString withWorkingFile() {
    return QStringLiteral(QUILLORA_TEST_DATA_DIR "/mhtml/with_working.mht");
}

// The shown page's text (the page's own scripts are off).
QString pageText(QuestionView* view) {
    QString text;
    bool done = false;
    view->page()->runJavaScript(QStringLiteral("document.body ? document.body.innerText : ''"),
                                QWebEngineScript::ApplicationWorld, [&](const QVariant& v) {
                                    text = v.toString();
                                    done = true;
                                });
    if (!QTest::qWaitFor([&] { return done; }, 10000))
        qWarning("the page's text could not be read");
    return text;
}

QString spokenName(QWidget* w) {
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(w);
    return reader ? reader->text(QAccessible::Name) : QString();
}

// The built-in store on disk, with the hand-made worked solution in the
// documents of questions 1 and 3 of the paper; question 2 keeps its own
// document, which has none.
class WorkingStore {
public:
    bool make(PracticeHarness& h) {
        const QString root = m_dir.path();
        if (!m_dir.isValid() || !QDir().mkpath(root + QStringLiteral("/store")))
            return false;
        const QDir builtIn(QStringLiteral(":/content/store"));
        for (const QString& name : builtIn.entryList({QStringLiteral("*.txt")}, QDir::Files)) {
            if (!QFile::copy(builtIn.filePath(name), root + QStringLiteral("/store/") + name))
                return false;
        }
        store = std::make_unique<ResourceStore>(root);
        const PaperContentRead read = LoadPaperContent(*store, h.folder(), h.state.LChose, Paper);
        if (!read.ok() || read.content.QuestionCount < 3)
            return false;
        const QString without = QStringLiteral(QUILLORA_TEST_DATA_DIR "/mhtml/browser_saved.mht");
        for (int q = 0; q < read.content.QuestionCount; ++q) {
            const QString target = root + "/store/" + read.content.QuestionIds.at(q) + ".mht";
            if (!QFile::copy(q == 0 || q == 2 ? withWorkingFile() : without, target))
                return false;
        }
        h.services.store = store.get();
        return true;
    }
    std::unique_ptr<ResourceStore> store;

private:
    QTemporaryDir m_dir;
};

// Counts the pixels of a page of the PDF near the colour c.
int pixelsNear(const QImage& page, const QColor& c) {
    int n = 0;
    for (int y = 0; y < page.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(page.constScanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            const QColor p(line[x]);
            const int off = qMax(qMax(qAbs(p.red() - c.red()), qAbs(p.green() - c.green())),
                                 qAbs(p.blue() - c.blue()));
            n += off < 30 ? 1 : 0;
        }
    }
    return n;
}

} // namespace

class TestWorkingView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }
    void buttonFollowsAttemptAndMarking_data();
    void buttonFollowsAttemptAndMarking();
    void choiceHoldsAcrossQuestionsAndPrints();
};

void TestWorkingView::buttonFollowsAttemptAndMarking_data() {
    QTest::addColumn<int>("take");
    QTest::addColumn<bool>("markThis"); // mark the attempt in the open window
    QTest::addColumn<bool>("allRight"); // how the first attempt is (or was) marked
    QTest::addColumn<bool>("offered");

    QTest::newRow("first attempt, not marked") << 1 << false << false << false;
    QTest::newRow("first attempt, marked 99 % or less") << 1 << true << false << false;
    QTest::newRow("first attempt, marked above 99 %") << 1 << true << true << true;
    QTest::newRow("second attempt, not marked") << 2 << false << false << false;
    QTest::newRow("second attempt, marked") << 2 << true << false << true;
}

void TestWorkingView::buttonFollowsAttemptAndMarking() {
    QFETCH(int, take);
    QFETCH(bool, markThis);
    QFETCH(bool, allRight);
    QFETCH(bool, offered);
    PracticeHarness h;
    WorkingStore store;
    QVERIFY(store.make(h));
    if (take == 2) {
        PracticeWindow* first = h.open(Paper);
        QVERIFY(first);
        QVERIFY(h.markWith(first, h.answersWrongAt(first, {0})));
        h.closeWindow();
    }
    PracticeWindow* w = h.open(Paper, take);
    QVERIFY(w);
    QVERIFY(h.waitForDocument(w));
    auto* view = h.child<QuestionView>(w, "brwWebBrowser");
    PictureButton* button = h.button(w, "ToolBar07");
    // Never offered while a try is open, whatever the question holds.
    QVERIFY(view->hasWorking());
    QVERIFY(!button->isVisible());
    if (markThis)
        QVERIFY(h.markWith(
            w, h.answersWrongAt(w, take == 2 || allRight ? QList<int>() : QList<int>{0})));
    QCOMPARE(button->isVisible(), offered);
    QCOMPARE(button->isEnabled(), offered);
    QCOMPARE(button->caption()->text(), QStringLiteral("Working"));
    QCOMPARE(spokenName(button), QStringLiteral("Show working"));

    // The key works where the button does, and only there.
    const auto before = h.snapshot();
    QSignalSpy loads(view, &QuestionView::documentLoaded);
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w, Qt::Key_W,
                    Qt::AltModifier);
    QCOMPARE(w->WorkingWanted(), offered);
    QCOMPARE(view->workingShown(), offered);
    if (offered) {
        QVERIFY(loads.wait(20000));
        QCOMPARE(loads.last().first().toBool(), true);
        const QString text = pageText(view);
        QVERIFY2(text.contains(WorkingAnswer), qPrintable(text));
        // The question stays, with the working under it.
        QVERIFY(text.contains(QuestionText) &&
                text.indexOf(QuestionText) < text.indexOf(WorkingHeading));
        QCOMPARE(spokenName(button), QStringLiteral("Hide working"));

        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(loads.wait(20000));
        QVERIFY(!pageText(view).contains(WorkingHeading));
        QCOMPARE(spokenName(button), QStringLiteral("Show working"));
    } else {
        QVERIFY(!pageText(view).contains(WorkingHeading));
    }
    // Looking at the working writes nothing.
    QCOMPARE(h.snapshot(), before);
}

void TestWorkingView::choiceHoldsAcrossQuestionsAndPrints() {
    PracticeHarness h;
    WorkingStore store;
    QVERIFY(store.make(h));
    PracticeWindow* w = h.open(Paper);
    QVERIFY(w);
    QVERIFY(h.markWith(w, h.correctAnswers(w)));
    auto* view = h.child<QuestionView>(w, "brwWebBrowser");
    PictureButton* button = h.button(w, "ToolBar07");
    QVERIFY(h.waitForDocument(w));
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(h.waitForDocument(w));
    QVERIFY(pageText(view).contains(WorkingHeading));

    // Question 2 has no working: nothing to show, no error, the choice kept.
    const int askedBefore = h.asked().size();
    w->NextQuestion();
    QVERIFY(h.waitForDocument(w));
    QVERIFY(!view->hasWorking());
    QVERIFY(button->isVisible());
    QVERIFY(!button->isEnabled());
    QVERIFY(w->WorkingWanted());
    QVERIFY(!pageText(view).contains(WorkingHeading));
    QCOMPARE(h.asked().size(), askedBefore);

    // Question 3 shows its working at once.
    w->NextQuestion();
    QVERIFY(h.waitForDocument(w));
    QVERIFY(button->isEnabled());
    QCOMPARE(spokenName(button), QStringLiteral("Hide working"));
    QVERIFY(pageText(view).contains(WorkingAnswer));

    // Printing prints the question (its blue picture) and the working (its
    // green one); the engine prints pages as pictures.
    const QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("question.pdf"));
    view->setPrintDialogHook([&](QPrinter* printer, QWidget*) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        return true;
    });
    QSignalSpy done(view, &QuestionView::printDone);
    w->PrintQuestion();
    QVERIFY(done.wait(150000));
    QCOMPARE(done.first().first().toBool(), true);
    QPdfDocument doc;
    QCOMPARE(doc.load(pdf), QPdfDocument::Error::None);
    int question = 0;
    int working = 0;
    for (int i = 0; i < doc.pageCount(); ++i) {
        const QImage page = doc.render(i, (doc.pagePointSize(i) * 2).toSize())
                                .convertToFormat(QImage::Format_RGB32);
        question += pixelsNear(page, QColor(40, 80, 220));
        working += pixelsNear(page, QColor(20, 170, 60));
    }
    QVERIFY2(question > 500, qPrintable(QString::number(question)));
    QVERIFY2(working > 500, qPrintable(QString::number(working)));
}

int main(int argc, char** argv) {
    RegisterQuestionScheme();
    QApplication app(argc, argv);
    TestWorkingView test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_working_view.moc"
