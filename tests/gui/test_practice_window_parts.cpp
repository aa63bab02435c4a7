// The practice window's parts on their own, one test class each: the answer
// sheet and its rows, the answer box's character filter, the tool bar, and
// drag-resizing. (The marking bars are counted in test_keyboard_access.)

#include "chrome/PictureButton.h"
#include "chrome/PictureCache.h"
#include "core/ResourceStore.h"
#include "practice/ui/AnswerRow.h"
#include "practice/ui/AnswerSheet.h"
#include "practice/ui/AnswerValidator.h"
#include "practice/ui/DragResizer.h"
#include "practice/ui/PracticeToolBar.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QToolTip>
#include <QtTest>

namespace {

AnswerRowContent Row(const QString& answer) {
    AnswerRowContent row;
    row.answer = answer;
    row.model = QStringLiteral("key");
    return row;
}
} // namespace

class TestAnswerSheet : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rowsStackByBlankCount_data() {
        QTest::addColumn<int>("blanks");
        QTest::addColumn<bool>("spaced");
        QTest::addColumn<bool>("partLabel");
        QTest::newRow("one blank: no part label") << 1 << true << false;
        QTest::newRow("fifteen blanks still spaced") << 15 << true << true;
        QTest::newRow("sixteen blanks overlap") << 16 << false << true;
        QTest::newRow("twenty blanks") << 20 << false << true;
    }

    void rowsStackByBlankCount() {
        QFETCH(int, blanks);
        QFETCH(bool, spaced);
        QFETCH(bool, partLabel);
        QWidget window;
        AnswerSheet sheet(m_pictures, false, &window);
        QList<AnswerRowContent> rows;
        for (int k = 1; k <= blanks; ++k)
            rows << Row(QString::number(k));
        sheet.layoutAnswerSheet(rows, false, false);
        sheet.showAnswerRows(blanks);
        window.show();

        // All twenty rows stacked in order, apart or (to fit many) just overlapping.
        for (int k = 1; k < AnswerSheet::RowCount; ++k) {
            const QRect row = sheet.row(k)->geometry();
            const QRect next = sheet.row(k + 1)->geometry();
            QVERIFY(next.y() > row.y() + row.height() / 2);
            QCOMPARE(next.y() > row.bottom() + 1, spaced);
        }
        for (int k = 1; k <= AnswerSheet::RowCount; ++k)
            QCOMPARE(sheet.row(k)->isVisible(), k <= blanks);
        QCOMPARE(sheet.row(1)->QL()->isVisible(), partLabel);
        QCOMPARE(sheet.row(blanks)->FA()->text(), QString::number(blanks));
        QCOMPARE(sheet.row(20)->QL()->text(), QStringLiteral("(t)"));
    }

    // A long answer enlarges row 1; a one-character blank takes one character
    // typed but shows a longer answer stored earlier whole. Both last one question.
    void rowSettingsLastOneQuestion() {
        QWidget window;
        AnswerSheet sheet(m_pictures, false, &window);
        window.show();
        AnswerRowContent choice = Row(QString());
        choice.singleCharacter = true;
        sheet.layoutAnswerSheet({Row("a"), choice, Row("b")}, true, true);
        sheet.showAnswerRows(3);
        AnswerRow* first = sheet.row(1);
        QLineEdit* box = sheet.row(2)->FA();
        const int ordinary = sheet.row(3)->height();
        const int ordinaryBox = sheet.row(3)->FA()->height();
        QVERIFY(first->FA()->height() > 2 * ordinaryBox);
        QVERIFY(sheet.row(2)->y() > first->geometry().bottom());
        QVERIFY(sheet.PicInstruction()->isVisible());
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("23"));
        QCOMPARE(box->text(), QStringLiteral("2"));
        choice.answer = QStringLiteral("12");
        sheet.layoutAnswerSheet({Row("a"), choice, Row("b")}, true, true);
        QCOMPARE(box->text(), QStringLiteral("12"));

        sheet.layoutAnswerSheet({Row("c"), Row(QString())}, false, false);
        sheet.showAnswerRows(2);
        QCOMPARE(first->height(), ordinary);
        QCOMPARE(first->FA()->height(), ordinaryBox);
        QVERIFY(!sheet.PicInstruction()->isVisible());
        QTest::keyClicks(box, QStringLiteral("234"));
        QCOMPARE(box->text(), QStringLiteral("234"));
    }

private:
    // Read straight from the built-in store.
    PictureCache m_pictures{ResourceStore().root() + "/graphics"};
};

class TestAnswerValidator : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void answerBoxRefusesUnstorableCharacters_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("hint");
        auto row = [](const char* name, const char* typed, const char* kept, const char* pasted,
                      const char* hint) {
            QTest::newRow(name) << QString::fromUtf8(typed) << QString::fromUtf8(kept)
                                << QString::fromUtf8(pasted) << QString::fromUtf8(hint);
        };
        row("greater-than sign", "1>2", "12", "", "The sign \">\" cannot be used in an answer.");
        row("hash sign", "#5", "5", "", "The sign \"#\" cannot be used in an answer.");
        row("Latin-1 letters are kept", "caf\u00e9 \u00fc", "caf\u00e9 \u00fc", "caf\u00e9 \u00fc",
            "");
        row("letters outside Latin-1", "\u0107\u03c0x", "x", "",
            "The sign \"\u0107\" cannot be used in an answer.");
        row("spaces are kept", "  1 2/3 ", "  1 2/3 ", "  1 2/3 ", "");
        // Text copied with its line end: the line breaks and the spaces at
        // the paste's ends go, the spaces typed stay.
        row("line end", "12\n", "12", "12", "");
        row("line breaks and spaces around", "\r\n 3/4 \r\n", " 3/4 ", "3/4", "");
        row("line break inside", "1\n2", "12", "", "A line break cannot be used in an answer.");
        row("tab inside", "1\t2", "12", "", "A tab cannot be used in an answer.");
    }

    void answerBoxRefusesUnstorableCharacters() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(QString, pasted);
        QFETCH(QString, hint);
        QWidget window;
        AnswerRow row(1, false, &window);
        window.show();
        row.fill(Row(QString()));
        row.FA()->setFocus();
        // insert() goes through the validator like a keystroke.
        for (const QChar c : typed)
            row.FA()->insert(QString(c));
        QCOMPARE(row.FA()->text(), kept);
        QToolTip::hideText();

        // A paste holding a refused character is refused as a whole, and the
        // refusal names the sign, under the box.
        row.FA()->clear();
        QGuiApplication::clipboard()->setText(typed);
        row.FA()->paste();
        QCOMPARE(row.FA()->text(), pasted);
        QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), hint);
        QToolTip::hideText();

        // Pasted between what is there already, only the paste is trimmed.
        if (pasted.isEmpty())
            return;
        row.FA()->setText(QStringLiteral(" a  b "));
        row.FA()->setCursorPosition(3);
        row.FA()->paste();
        QCOMPARE(row.FA()->text(), QStringLiteral(" a ") + pasted + QStringLiteral(" b "));
    }
};

class TestPracticeToolBar : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Print cannot be disabled; Save, Mark and Print from the left, Back and
    // Next at the right end, none over another. (Pictures by state:
    // test_practice_window; pressed ones: test_contents.)
    void toolBarOrderAndPrintAlwaysOn() {
        QWidget window;
        window.resize(900, 200);
        PracticeToolBar bar(m_pictures, &window);
        bar.setGeometry(4, 30, 892, bar.height());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        bar.setButtonEnabled(PracticeToolBar::Print, false);
        QVERIFY(bar.button(PracticeToolBar::Print)->isEnabled());
        const QList<PictureButton*> inOrder = {
            bar.button(PracticeToolBar::Save), bar.button(PracticeToolBar::Mark),
            bar.button(PracticeToolBar::Print), bar.button(PracticeToolBar::Back),
            bar.button(PracticeToolBar::Next)};
        for (int i = 0; i + 1 < inOrder.size(); ++i)
            QVERIFY(inOrder.at(i)->geometry().right() < inOrder.at(i + 1)->x());
    }

private:
    PictureCache m_pictures{ResourceStore().root() + "/graphics"};
};

class TestDragResizer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pointerShapesAndMinimumSize() {
        const QList<std::tuple<const char*, QPoint, Qt::CursorShape>> shapes{
            {"inside", {300, 200}, Qt::ArrowCursor},
            {"left edge", {2, 200}, Qt::SizeHorCursor},
            {"right edge", {597, 200}, Qt::SizeHorCursor},
            {"top edge", {300, 1}, Qt::SizeVerCursor},
            {"bottom edge", {300, 398}, Qt::SizeVerCursor},
            {"upper left corner", {1, 1}, Qt::SizeFDiagCursor},
            {"lower right corner", {598, 398}, Qt::SizeFDiagCursor},
            {"lower left corner", {1, 398}, Qt::SizeBDiagCursor},
            {"upper right corner", {598, 2}, Qt::SizeBDiagCursor},
            {"just inside the border", {6, 394}, Qt::ArrowCursor}};
        for (const auto& [name, pos, shape] : shapes)
            QVERIFY2(DragResizer::pointerShape(pos, QSize(600, 400)) == shape, name);

        // 7300 x 5000 twips is 486.7 x 333.3 pixels: a size must lie above.
        const QList<std::tuple<const char*, QPoint, QSize>> drags{
            {"smaller, above both minimums", {500, 340}, {500, 340}},
            {"both below", {100, 100}, {800, 600}},
            {"only the width below: the width stays", {300, 450}, {800, 450}},
            {"first pixels above the minimums", {487, 334}, {487, 334}}};
        for (const auto& [name, offset, expected] : drags)
            QVERIFY2(DragResizer::draggedSize(offset, QSize(800, 600)) == expected, name);
    }

    void gripDragResizesTheWindow() {
        QWidget window;
        window.setGeometry(100, 100, 800, 600);
        auto* grip = new QLabel(&window);
        grip->setObjectName(QStringLiteral("Sizer"));
        grip->setGeometry(780, 580, 14, 14);
        DragResizer resizer(&window);
        resizer.watch(grip);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const QPoint start = grip->mapToGlobal(QPoint(5, 5));
        const QPoint cornerOffset = window.geometry().bottomRight() + QPoint(1, 1) - start;
        auto send = [&](QEvent::Type type, const QPoint& global, Qt::MouseButtons buttons) {
            QMouseEvent event(type, grip->mapFromGlobal(global), global,
                              type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                              Qt::NoModifier);
            QApplication::sendEvent(grip, &event);
        };
        send(QEvent::MouseButtonPress, start, Qt::LeftButton);
        QVERIFY(resizer.isDragging());
        // (Where each dimension stops: pointerShapesAndMinimumSize.)
        const QPoint to = window.geometry().topLeft() + QPoint(520, 450) - cornerOffset;
        send(QEvent::MouseMove, to, Qt::LeftButton);
        QCOMPARE(window.size(), QSize(520, 450));
        send(QEvent::MouseButtonRelease, to, Qt::NoButton);
        QVERIFY(!resizer.isDragging());
        send(QEvent::MouseMove, window.geometry().topLeft() + QPoint(900, 900), Qt::NoButton);
        QCOMPARE(window.size(), QSize(520, 450));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTEST_SET_MAIN_SOURCE_PATH
    TestAnswerSheet sheet;
    TestAnswerValidator validator;
    TestPracticeToolBar toolBar;
    TestDragResizer resizer;
    int failed = 0;
    for (QObject* test : std::initializer_list<QObject*>{&sheet, &validator, &toolBar, &resizer})
        failed += QTest::qExec(test, argc, argv);
    return failed;
}
#include "test_practice_window_parts.moc"
