#pragma once
// A program folder made from the built-in store, the services a practice
// window needs (a manual clock, a dialog answered through its seam, an
// animation that does not sleep) and helpers to open a paper and look at it.

#include "chrome/AppServices.h"
#include "chrome/PictureButton.h"
#include "chrome/PictureCache.h"
#include "chrome/PopUpService.h"
#include "core/AnswerChecking.h"
#include "core/AppState.h"
#include "core/Clock.h"
#include "core/GraphicsTable.h"
#include "core/Numbering.h"
#include "core/ProgramDefinition.h"
#include "core/ResourceStore.h"
#include "core/Scoring.h"
#include "main_window_harness.h"
#include "practice/PaperSession.h"
#include "practice/ui/PracticeWindow.h"
#include "practice/view/QuestionScheme.h"
#include "practice/view/QuestionView.h"
#include "results/ResultsFiles.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QtTest>
#include <memory>

class PracticeHarness {
public:
    // The program folder: a temporary one, or programFolder when given.
    explicit PracticeHarness(const QString& programFolder = QString())
        : at(programFolder.isEmpty() ? dir.path() : programFolder), pictures(graphicsFolder(at)),
          popUp(pictures), clock(QDateTime(QDate(2024, 3, 9), QTime(10, 0, 0))) {
        state.programFolder = at;
        const DefinitionRead read = readProgramDefinition(store, at);
        if (read.error != DefinitionError::None) {
            qWarning() << "definition:" << read.detail;
            return;
        }
        state.definition = read.definition;
        state.LChose = state.definition.firstModule();
        state.lblCOD = state.definition.programCode;
        state.TtPapersCon = state.definition.module(state.LChose).paperCount;
        if (!ExtractGraphics(store, at).isEmpty() ||
            !ensureResultsFiles(store, at, state.definition).isEmpty()) {
            qWarning() << "the program folder could not be prepared";
            return;
        }
        popUp.setAnswerer(
            [this](const QString& title, const QString& message, PopUpButtons buttons) {
                m_asked << title + QLatin1Char('|') + message + QLatin1Char('|') +
                               QString::number(buttons == PopUpButtons::YesNo ? 2 : 1);
                return answers.isEmpty() ? true : answers.takeFirst();
            });
        services.store = &store;
        services.clock = &clock;
        services.popUp = &popUp;
        services.pictures = &pictures;
        services.animationDelay = [this](int ms) { delays << ms; };
        m_ready = true;
    }
    ~PracticeHarness() { closeWindow(); }

    QString folder() const { return at; }

    // Opens paper paperNum for attempt take, as the Home page does; null when
    // the folder or the paper could not be made ready.
    PracticeWindow* open(int paperNum, int take = 1) {
        closeWindow();
        if (!m_ready)
            return nullptr;
        state.PaperNum = paperNum;
        state.TakeNum = take;
        const int topic = Numbering::topicOfPaper(paperNum);
        state.TopicCount = Numbering::topicFirstIndex(topic);
        state.SubH1 = state.definition.module(state.LChose).topicNames.value(topic - 1);
        m_window = std::make_unique<PracticeWindow>(PaperOpening::fromState(state), services);
        m_loads.clear();
        QObject::connect(child<QuestionView>(m_window.get(), "brwWebBrowser"),
                         &QuestionView::documentLoaded, [this](bool ok) { m_loads << ok; });
        if (!m_window->LoadPaper())
            return nullptr;
        m_window->show();
        return QTest::qWaitForWindowExposed(m_window.get()) ? m_window.get() : nullptr;
    }
    void closeWindow() {
        if (m_window)
            m_window->close();
        m_window.reset();
    }
    // Deletes the window without closing it first, as the main window does
    // when another paper opens.
    void deleteWindow() { m_window.reset(); }

    // The view has shown a document since the last call.
    bool waitForDocument(PracticeWindow*) {
        const bool ok =
            QTest::qWaitFor([this] { return !m_loads.isEmpty(); }, 15000) && m_loads.last();
        m_loads.clear();
        return ok;
    }

    static QLabel* label(QWidget* w, const QString& name) { return child<QLabel>(w, name); }
    static PictureButton* button(QWidget* w, const QString& name) {
        return child<PictureButton>(w, name);
    }
    static QLineEdit* box(QWidget* w, int k) {
        return child<QLineEdit>(w, QStringLiteral("FA%1").arg(k));
    }
    static QComboBox* combo(QWidget* w) { return child<QComboBox>(w, "RemQns"); }
    static QStringList comboItems(QWidget* w) {
        QStringList items;
        for (int i = 0; i < combo(w)->count(); ++i)
            items << combo(w)->itemText(i);
        return items;
    }
    QImage picture(const char* name) { return pictures.get(QString::fromLatin1(name)).toImage(); }

    // Types the answers question by question through the rows, ending on
    // question 1 (the move back stores the last question's rows).
    bool typeAnswers(PracticeWindow* w, const QStringList& all) {
        const PaperSession* session = w->session();
        for (int q = 1; q <= session->paper().QuestionCount; ++q) {
            w->RemQns_Click(q);
            if (session->paper().QSCount != q)
                return false;
            const int first = session->currentFirstBlank();
            for (int k = 1; k <= session->currentBlankCount(); ++k) {
                if (!box(w, k)->isReadOnly())
                    box(w, k)->setText(all.value(first + k - 1));
            }
        }
        w->RemQns_Click(1);
        return session->paper().Answers == all;
    }
    // Types the answers and marks the paper; false unless it is marked.
    bool markWith(PracticeWindow* w, const QStringList& all) {
        if (!typeAnswers(w, all))
            return false;
        w->MarkPaper();
        return w->session()->isMarked();
    }
    // Every blank answered right.
    static QStringList correctAnswers(PracticeWindow* w) {
        return TestFiles::correctAnswers(w->session()->paper().AnswerKeys);
    }
    // Every blank right but those in wrong, each given an answer its key
    // refuses that still fits a one-character box.
    static QStringList answersWrongAt(PracticeWindow* w, const QList<int>& wrong) {
        QStringList answers = correctAnswers(w);
        for (int i : wrong)
            answers[i] =
                answers.at(i) == QLatin1String("1") ? QStringLiteral("2") : QStringLiteral("1");
        return answers;
    }

    QString path(ResultsFile file) const {
        return resultsFilePath(at, file, state.LChose, state.lblCOD);
    }
    // The file's lines without their CR LF.
    QList<QByteArray> fileLines(ResultsFile file) const {
        QList<QByteArray> lines = TestFiles::bytesOf(path(file)).replace("\r\n", "\n").split('\n');
        if (lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }
    QMap<ResultsFile, QByteArray> snapshot() const {
        return TestFiles::resultsSnapshot([this](ResultsFile f) { return path(f); });
    }
    // Every dialog asked so far, as "title|message|buttons".
    const QStringList& asked() const { return m_asked; }

    QTemporaryDir dir;
    QString at;
    ResourceStore store;
    AppState state;
    PictureCache pictures;
    PopUpService popUp;
    ManualClock clock;
    AppServices services;
    QList<bool> answers; // the next dialog answers; true once used up
    QList<int> delays;   // the animation's waits

private:
    std::unique_ptr<PracticeWindow> m_window;
    QList<bool> m_loads;
    QStringList m_asked;
    bool m_ready = false;
};

// Runs script in a world of its own (the page's scripts are off) and returns
// its value.
inline QVariant js(QuestionView& view, const QString& script) {
    QVariant result;
    bool done = false;
    view.page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant& v) {
        result = v;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, 10000))
        qWarning("script gave no answer: %s", qPrintable(script.left(60)));
    return result;
}

// QTEST_MAIN for tests of windows with a question view, whose scheme must be
// known before the application exists.
#define QUESTION_VIEW_TEST_MAIN(TestClass)                                                         \
    int main(int argc, char** argv) {                                                              \
        registerQuestionScheme();                                                                  \
        QApplication app(argc, argv);                                                              \
        TestClass test;                                                                            \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
