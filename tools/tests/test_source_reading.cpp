// The bank's sources read into typed values, and rendered to the pages the
// program shows.
#include "Markup.h"
#include "MhtmlWriter.h"
#include "Render.h"
#include "Source.h"
#include "source_fixture.h"

#include <QTest>

using namespace bank::source;

namespace {

PaperRead Read(const QString& yaml) {
    return readPaperText(yaml.toUtf8(), "paper121.yaml");
}

QString oneQuestion(const QString& body) {
    return paperHead(121, 5, "Y2", 1) + "  - id: 24071\n" + body;
}

const char* const GoodBody =
    "    form: picture\n    statements: [Y2-MA-3]\n    text: \"How heavy? [ ] g\"\n"
    "    pictures:\n      - name: dial\n        type: scale\n        max: \"1000\"\n"
    "        label_step: 100\n        minor: 4\n        value: 03:26\n        unit: g\n"
    "        alt: A dial.\n    blanks:\n"
    "      - {key: \"no\", kind: T, mark: 2, check: \"'no'\", why: A word.}\n"
    "    working: [Read the scale.]\n";

} // namespace

class TestSourceReading : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsTypedValues() {
        const PaperRead read = Read(oneQuestion(QString::fromLatin1(GoodBody)));
        QVERIFY2(read.errors.isEmpty(), qPrintable(read.errors.join('\n')));
        // (The head, ids and statements are read for every rule the validator
        // checks on them.)
        const SourceQuestion& q = read.paper.questions.first();
        QCOMPARE(q.blanks.first().key, "no"); // not a boolean
        QCOMPARE(q.blanks.first().mark, 2);
        const QVariantMap& dial = q.pictures.first();
        // Every scalar as written, as text, whatever YAML would make of it.
        QCOMPARE(dial.value("value").typeId(), QMetaType::QString);
        QCOMPARE(dial.value("value").toString(), "03:26");
        QCOMPARE(dial.value("label_step").toString(), "100");

        // Lists and maps inside a picture.
        const PaperRead tally = Read(
            oneQuestion("    form: picture\n    statements: [Y2-ST-1]\n    text: \"[pic t] [ ]\"\n"
                        "    pictures:\n      - name: t\n        type: tally\n"
                        "        title: Pets\n        alt: A tally.\n"
                        "        rows: [{label: Cat, value: 3}, {label: Dog, value: 5}]\n"
                        "    blanks: [{key: \"8\", kind: N, mark: 1, check: total(t)}]\n"
                        "    working: [Count both rows.]\n"));
        QVERIFY2(tally.errors.isEmpty(), qPrintable(tally.errors.join('\n')));
        const QVariantList rows =
            tally.paper.questions.first().pictures.first().value("rows").toList();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(1).toMap(), (QVariantMap{{"label", "Dog"}, {"value", "5"}}));
    }

    void namesFileQuestionAndField() {
        // Not YAML at all: the file and the line.
        const PaperRead broken = Read("paper: 121\nquestions:\n  - id: [1\n");
        QCOMPARE(broken.errors.size(), 1);
        QVERIFY2(broken.errors.first().startsWith("paper121.yaml:") &&
                     broken.errors.first().contains("not valid YAML"),
                 qPrintable(broken.errors.first()));

        // The good question with `from` replaced by `to`, and its one error
        // after "question 24071: ".
        const struct {
            const char *from, *to, *message;
        } cases[] = {
            {", check: \"'no'\"", "", "blanks[1].check: missing"},
            {"kind: T", "kind: Z", "blanks[1].kind: unknown kind \"Z\""},
            {"type: scale", "type: melon", "pictures[1].type: unknown picture type \"melon\""},
            {"        minor: 4", "        minr: 4", "pictures[1].minr: unknown field"},
            {"    working: [Read the scale.]\n", "", "working: missing"},
            {"form: picture", "form: drawing", "form: unknown form \"drawing\""},
            {"mark: 2", "mark: 4", "blanks[1].mark: \"4\" is not a whole number from 1 to 3"},
            {"    statements: [Y2-MA-3]\n", "", "statements: missing"},
            {"    working:", "    text: Again.\n    working:", "text: given twice"},
        };
        for (const auto& c : cases) {
            QString changed = QString::fromLatin1(GoodBody);
            QVERIFY(changed.contains(QLatin1String(c.from)));
            changed.replace(QLatin1String(c.from), QLatin1String(c.to));
            const PaperRead read = Read(oneQuestion(changed));
            const QString message = "question 24071: " + QLatin1String(c.message);
            QVERIFY2(read.errors.size() == 1 && read.errors.first().contains(message) &&
                         read.errors.first().startsWith("paper121.yaml:"),
                     qPrintable(message + " <- " + read.errors.join('\n')));
        }
    }

    void markup() {
        const auto none = [](const QString&) { return QString(); };
        QCOMPARE(blockHtml("One\nline.\n\nTwo.", nullptr, none), "<p>One line.</p>\n<p>Two.</p>\n");
        QCOMPARE(inlineHtml("9 - 2 and 4 x 5 and 12 / 3", nullptr),
                 "9 &minus; 2 and 4 &times; 5 and 12 &divide; 3");
        // Only between numbers (or boxes): words and dashes stay.
        QCOMPARE(inlineHtml("a well-known x - y trick", nullptr), "a well-known x - y trick");
        QCOMPARE(inlineHtml("[ ] - 4 = 7 < 9 & \"so\"", nullptr),
                 "<span class=\"box\"></span> &minus; 4 = 7 &lt; 9 &amp; "
                 "&quot;so&quot;");
        QCOMPARE(inlineHtml("**{3/4}** of {1 2/3}", nullptr),
                 "<b><span class=\"frac\"><span class=\"num\">3</span><span "
                 "class=\"den\">4</span></span></b> of <span class=\"mixed\">1<span "
                 "class=\"frac\"><span class=\"num\">2</span><span "
                 "class=\"den\">3</span></span></span>");
        // A picture inside a line stands on its own between paragraphs.
        const auto img = [](const QString& name) { return QStringLiteral("<img %1>").arg(name); };
        QCOMPARE(blockHtml("Look [pic a] here.", nullptr, img),
                 "<p>Look</p>\n<img a>\n<p>here.</p>\n");
        QCOMPARE(plainTextOf("**Take** {3/4} - [pic a] {1 2/3}"), "Take 3/4 \u2212 1 2/3");
        QCOMPARE(pictureRefs("[pic a] and [pic b-2]"), (QStringList{"a", "b-2"}));
    }

    void rendersPartsOptionsAndWorking() {
        const PaperRead read = Read(oneQuestion(
            "    form: story\n    statements: [Y2-MA-3]\n"
            "    text: \"Sam has 7 marbles. [pic bag]\"\n"
            "    pictures: [{name: bag, type: objects, alt: Seven marbles.,\n"
            "                groups: [{count: 7, label: marble}]}]\n"
            "    parts: [\"How many more make 10?\", \"[ ] + [ ] = 10, bigger first\"]\n"
            "    blanks:\n" +
            QStringLiteral("      - {key: \"3\", kind: N, mark: 1, check: 10 - 7}\n").repeated(3) +
            "    units: [marbles, \"\", \"\"]\n    note: Count on.\n"
            "    working: [\"Count on from 7 to 10: [pic bag]\"]\n"));
        QVERIFY2(read.errors.isEmpty(), qPrintable(read.errors.join('\n')));
        SourceQuestion q = read.paper.questions.first();
        QStringList errors;
        const bank::Question r = renderQuestion(q, "f.yaml", &errors);
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
        QVERIFY(r.html.startsWith("<p>Sam has 7 marbles.</p>\n<img src=\"bag.svg\" "
                                  "alt=\"Seven marbles.\">\n"));
        // Row (a) for the part of one blank; the part of two labels its boxes.
        QVERIFY(r.html.contains(
            "<tr><td class=\"label\">(a)</td><td>How many more make 10?</td></tr>"));
        QVERIFY(r.html.contains(
            "<tr><td class=\"label\">(b)</td><td><b>(b)</b>&nbsp;<span class=\"box\"></span> + "
            "<b>(c)</b>&nbsp;<span class=\"box\"></span> = 10, bigger first</td></tr>"));
        QVERIFY(r.html.endsWith("<p class=\"note\">Count on.</p>\n"));
        // The working is a page of its own and carries its copy of the picture.
        QCOMPARE(r.working.pictures.size(), 1);
        QCOMPARE(r.working.pictures.first().name, "bag-again.svg");
        QCOMPARE(r.working.answers, (QStringList{"3", "3", "3"}));
        QCOMPARE(r.working.units.first(), "marbles");
        // (Each picture the page shows is one of its parts: the writer's check.)
        QStringList problems;
        StoreWriter::checkStoredQuestion("q", r, problems);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));

        // Options: numbered, the note about them added once, at the end.
        SourceQuestion choice;
        choice.id = 24073;
        choice.text = "Which is heaviest?";
        choice.options = {"1 kg", "500 g", "2 kg", "90 g"};
        choice.blanks << SourceBlank{"3", "Q", 1, {}, {}, 0};
        choice.working = q.working;
        choice.working.first().text = "2 kg is 2000 g.";
        const bank::Question c = renderQuestion(choice, "f.yaml", &errors);
        QVERIFY(c.html.contains(
            "<tr><td class=\"number\"><span class=\"badge\">4</span></td><td>90 g</td></tr>"));
        QVERIFY(c.html.endsWith(
            "<p class=\"note\">Write the number of your answer (1, 2, 3 or 4).</p>\n"));
        // Its working names the option, so "3" is not read as 3 kg.
        QVERIFY(
            MhtmlWriter::workingPage(c).contains("<p class=\"answer\" data-blank=\"1\">So the "
                                                 "answer is option <b class=\"key\">3</b>.</p>"));

        // A picture the text does not place stands after the text.
        q.text = "Sam has 7 marbles.";
        const bank::Question placed = renderQuestion(q, "f.yaml", &errors);
        QVERIFY(errors.isEmpty());
        QVERIFY(placed.html.startsWith(
            "<p>Sam has 7 marbles.</p>\n<img src=\"bag.svg\" alt=\"Seven marbles.\">\n<table "
            "class=\"parts\">"));
        QCOMPARE(placed.pictures.size(), 1);
        // A picture no text names cannot be shown.
        q.text = "Sam has 7 marbles. [pic bags]";
        renderQuestion(q, "f.yaml", &errors);
        QCOMPARE(errors.size(), 1);
        QVERIFY2(
            errors.first().contains("question 24071: text: [pic bags]: no picture of that name"),
            qPrintable(errors.first()));
    }
};

QTEST_GUILESS_MAIN(TestSourceReading)
#include "test_source_reading.moc"
