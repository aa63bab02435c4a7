// The content tool's checkers in process: the record-text reader, the web
// archive checker, the image header checks and the quality checks, each on
// small hand-made inputs that hold one fault (or none).

#include "ImageFileCheck.h"
#include "MhtmlCheck.h"
#include "QualityCheck.h"
#include "TableText.h"
#include "Vocabulary.h"

#include <QtTest>

namespace {

QByteArray htmlPart(const QByteArray& html,
                    const QByteArray& location = "http://q.invalid/a/q.htm") {
    QByteArray part = "Content-Type: text/html; charset=\"utf-8\"\r\n"
                      "Content-Transfer-Encoding: quoted-printable\r\n";
    if (!location.isEmpty())
        part += "Content-Location: " + location + "\r\n";
    return part + "\r\n" + html;
}

QByteArray imagePart(const QByteArray& headers) {
    return "Content-Type: image/svg+xml\r\nContent-Transfer-Encoding: base64\r\n" + headers +
           "\r\n\r\nPHN2Zy8+";
}

QByteArray multipart(const QList<QByteArray>& parts, const QByteArray& typeParams = QByteArray()) {
    QByteArray out = "MIME-Version: 1.0\r\nContent-Type: multipart/related;\r\n\tboundary=\"B\"" +
                     typeParams + "\r\n\r\n";
    for (const QByteArray& p : parts)
        out += "--B\r\n" + p + "\r\n";
    return out + "--B--\r\n";
}

QByteArray bmpHeader(quint16 bits, quint32 compression, qint32 w, qint32 h, int pixelBytes) {
    QByteArray b;
    QDataStream out(&b, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0x4D42) << quint32(54 + pixelBytes) << quint32(0) << quint32(54) << quint32(40)
        << w << h << quint16(1) << bits << compression;
    return b + QByteArray(54 - b.size() + pixelBytes, '\0');
}

} // namespace

class TestContentChecks : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tableForm_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("tagLength");
        QTest::addColumn<QStringList>("problems");
        QTest::newRow("sound, last line without CR LF")
            << QByteArray("...\r\n#101#>25016>25019\r\n---\r\n#102#>>>") << 3 << QStringList{};
        QTest::newRow("CR alone") << QByteArray("#101#>1\r#102#>2\r\n") << 3
                                  << QStringList{"1 CR character(s) stand outside a CR LF line end",
                                                 "line 1: field 1 of record 101 holds \"#\""};
        QTest::newRow("tag of the wrong length")
            << QByteArray("#2501#>9\r\n") << 5
            << QStringList{"line 1: \"#2501#>9\" is not a record \"#TAG#>field>...\""};
        QTest::newRow("same tag twice, other case")
            << QByteArray("#FSE#>1\r\n#fse#>2\r\n") << 3
            << QStringList{"line 2: a second record fse; only the first is ever read"};
        QTest::newRow("byte outside ASCII")
            << QByteArray("#NME#>Caf\xe9\r\n") << 3
            << QStringList{"line 1: byte 0xe9 is not plain ASCII text"};
    }

    void tableForm() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, tagLength);
        QFETCH(QStringList, problems);
        QCOMPARE(TableText::parse(bytes, tagLength).problems(), problems);
    }

    void tableRecords() {
        const TableText t = TableText::parse("...\r\n#TRD#\r\n#101#>>>\r\n#102#>a b>c\r\n", 0);
        QCOMPARE(t.records().size(), 3);
        QCOMPARE(t.find("trd")->fields, QStringList{}); // a record without fields
        QCOMPARE(t.find("101")->fields, (QStringList{"", "", ""}));
        QCOMPARE(t.find("102")->fields, (QStringList{"a b", "c"}));
        QCOMPARE(t.find("102")->line, 4);
        QVERIFY(!t.find("103"));

        // Many lines with one fault give a few lines and a count, not a flood.
        const QStringList p =
            TableText::parse(QByteArray("bad # line\r\n").repeated(12), 3).problems();
        QCOMPARE(p.size(), 6);
        QCOMPARE(p.last(), "7 more lines with the same problem (not a record)");
    }

    void archive_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("problems");
        const auto row = [](const char* name, const char* problem, const QByteArray& bytes) {
            QTest::newRow(name) << bytes << (*problem ? QStringList{problem} : QStringList());
        };
        row("relative src against the root's location", "",
            multipart({htmlPart("<img src=3D\"pics/a.svg\">"),
                       imagePart("Content-Location: http://q.invalid/a/pics/a.svg")}));
        row("relative src matching a relative location", "",
            multipart({htmlPart("<img src=3D\"a.svg\">", QByteArray()),
                       imagePart("Content-Location: a.svg")}));
        row("no start: the first HTML part, not the first part", "",
            multipart({imagePart("Content-Location: http://q.invalid/a/b.svg"),
                       htmlPart("<img src=3D\"b.svg\">")}));
        row("cid without its part", "<img src=\"cid:gone\"> matches no part of the archive",
            multipart({htmlPart("<img src=3D\"cid:gone\">")}));
        row("working's picture missing",
            "working: <img src=\"w.svg\"> matches no part of the archive",
            multipart({htmlPart("x"),
                       htmlPart("<img src=3D\"w.svg\">", "http://q.invalid/a/working.html")}));
        row("start naming a picture", "the root part is image/svg+xml, not text/html",
            multipart({imagePart("Content-ID: <pic>"), htmlPart("x")}, "; start=\"<pic>\""));
        row("no boundary parameter", "the Content-Type names no boundary",
            QByteArray("Content-Type: multipart/related\r\n\r\n--B\r\n\r\nx\r\n--B--\r\n"));
        row("unknown transfer encoding", "part 1: unknown transfer encoding \"x-zip\"",
            multipart({"Content-Type: text/html\r\nContent-Transfer-Encoding: x-zip\r\n\r\nhi"}));
        row("broken escape", "part 1: broken quoted-printable \"=\" escape",
            multipart({htmlPart("100 =ZZ more")}));
        row("quoted-printable line too long",
            "part 1: quoted-printable line longer than 76 characters",
            multipart({htmlPart(QByteArray(77, 'a'))}));
        row("headers never end", "part 1 has no empty line after its headers",
            QByteArray("Content-Type: multipart/related; boundary=B\r\n\r\n--B\r\n"
                       "Content-Type: text/html\r\n--B--\r\n"));
        row("empty file", "the document is empty", QByteArray());
    }

    void archive() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, problems);
        QCOMPARE(MhtmlCheck::check(bytes), problems);
    }

    void imageSources() {
        const std::pair<const char*, QStringList> cases[] = {
            {"<p><img src=\"a.svg\"><img alt='x' src='b.png'/><img src=c.gif width=3></p>",
             {"a.svg", "b.png", "c.gif"}},
            {"<img src=\"q.png?a=1&amp;b=2\">", {"q.png?a=1&b=2"}},  // an entity in the address
            {"<imgx src=\"a\"><image src=\"b\"><a href=\"c\">", {}}, // not img tags
            {"<img data-src=\"x\" src=\"y\">", {"y"}},               // data-src is not src
        };
        for (const auto& [html, sources] : cases) {
            const QStringList found = MhtmlCheck::imageSources(html);
            QVERIFY2(found == sources, qPrintable(QString(html) + " gives " + found.join(' ')));
        }
    }

    void imageHeaders() {
        const struct {
            const char *name, *problem, *file; // problem: empty for none
            QByteArray bytes;
        } cases[] = {
            {"sound 24-bit BMP, padded rows", "", "a.bmp", bmpHeader(24, 0, 3, 2, 2 * 12)},
            {"BMP upside down (negative height)", "", "a.BMP", bmpHeader(24, 0, 2, -2, 2 * 8)},
            {"run-length BMP", "compressed (method 1); uncompressed expected", "a.bmp",
             bmpHeader(24, 1, 2, 2, 16)},
            {"ICO whose entry runs past the end", "entry 1 lies outside the file", "a.ico",
             QByteArray("\0\0\1\0\1\0\x10\x10\0\0\1\0\x20\0\xff\0\0\0\x16\0\0\0", 22)},
            {"ICO without pictures", "icon holds no picture", "a.ico",
             QByteArray("\0\0\1\0\0\0", 6)},
            {"GIF with only a trailer", "GIF holds no image", "a.gif",
             QByteArray("GIF89a\1\0\1\0\0\0\0\x3b", 14)},
            {"smallest sound GIF", "", "a.gif",
             QByteArray("GIF89a\1\0\1\0\0\0\0,\0\0\0\0\1\0\1\0\0\2\2D\1\0;", 29)},
            {"GIF with a stray block", "unknown GIF block 0x99 at byte 13", "a.gif",
             QByteArray("GIF89a\1\0\1\0\0\0\0\x99", 14)},
            {"PNG under another name", "not a .bmp, .ico or .gif file name", "a.png",
             QByteArray("\x89PNG")},
        };
        for (const auto& c : cases) {
            const QStringList problems = ImageFileCheck::check(c.file, c.bytes);
            QVERIFY2(problems == (*c.problem ? QStringList{c.problem} : QStringList()),
                     qPrintable(QString(c.name) + ": " + problems.join('\n')));
        }
    }

    void labels() {
        const struct {
            const char *name, *expected, *body; // expected: part of the problem, or empty
        } cases[] = {
            {"two labels apart", "",
             "<text x=\"20\" y=\"30\" font-size=\"16\">2 cm</text>"
             "<text x=\"120\" y=\"30\" font-size=\"16\">2 cm</text>"},
            {"two labels on each other", "overlap",
             "<text x=\"60\" y=\"30\" font-size=\"16\" text-anchor=\"middle\">2 cm</text>"
             "<text x=\"75\" y=\"36\" font-size=\"16\" text-anchor=\"middle\">2 cm</text>"},
            {"cut at the left edge", "leaves",
             "<text x=\"5\" y=\"30\" font-size=\"16\" text-anchor=\"middle\">10 cm</text>"},
            {"moved inside by its group", "",
             "<g transform=\"translate(40 0)\"><text x=\"5\" y=\"30\" font-size=\"16\" "
             "text-anchor=\"middle\">10 cm</text></g>"},
            {"size from the group, below the bottom", "leaves",
             "<g font-size=\"30\"><text x=\"50\" y=\"98\">7</text></g>"},
        };
        for (const auto& c : cases) {
            const QByteArray svg =
                "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"200\" height=\"100\" "
                "viewBox=\"0 0 200 100\">" +
                QByteArray(c.body) + "</svg>";
            const QStringList problems = QualityCheck::checkLabels(svg);
            QVERIFY2(*c.expected ? problems.size() == 1 && problems.at(0).contains(c.expected)
                                 : problems.isEmpty(),
                     qPrintable(QString(c.name) + ": " + problems.join('\n')));
        }
    }

    void working_data() {
        QTest::addColumn<QString>("answers"); // the <b class="key"> texts, "|" between blanks
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("kinds");
        QTest::addColumn<bool>("right");
        // (How an answer is marked against its key: the answer checking's test.)
        const auto row = [](const char* name, const char* a, const char* k, const char* t,
                            bool right) { QTest::newRow(name) << a << k << t << right; };
        row("number by value", "24.8", "24.80", "N", true);
        row("wrong number", "25", "24.80", "N", false);
        row("group in another order", "7|3", ";3;7| ", "G|G", true);
        row("second spelling of M", "Forty seven", ";Forty-seven;Forty seven", "M", false);
        row("a blank without its answer", "9", "9|4", "N|N", false);
    }

    void working() {
        QFETCH(QString, answers);
        QFETCH(QString, keys);
        QFETCH(QString, kinds);
        QFETCH(bool, right);
        QList<QualityCheck::Blank> blanks;
        const QStringList k = keys.split('|'), t = kinds.split('|');
        for (int i = 0; i < k.size(); ++i)
            blanks.append({k.at(i), t.at(i), 1});
        QString html = "<body><section class=\"working\"><h2>How to work it out</h2>"
                       "<p class=\"step\">Add.</p>";
        const QStringList a = answers.split('|');
        for (int i = 0; i < a.size(); ++i)
            html += QStringLiteral("<p class=\"answer\" data-blank=\"%1\">So the answer is "
                                   "<b class=\"key\">%2</b> cm.</p>")
                        .arg(i + 1)
                        .arg(a.at(i));
        html += "</section></body>";
        const QStringList problems = QualityCheck::checkWorking(html, blanks);
        QVERIFY2(problems.isEmpty() == right, qPrintable(problems.join('\n')));
    }

    void kindsAndAlts() {
        using bank::vocab::kindOf;
        using bank::vocab::visibleText;
        // Numbers, names and objects (plural too) set aside; the wording stays.
        QCOMPARE(kindOf(visibleText("<p>Amy has 12 marbles &amp; Ben has 3.</p>")),
                 kindOf("Tom has 120 shells & Priya has 45."));
        QVERIFY(kindOf("Amy has 12 marbles.") != kindOf("Amy gives away 12 marbles."));
        QCOMPARE(visibleText("<p>7 &minus; <span class=\"box\"></span> = 3</p>"), "7 \u2212 = 3");
        QCOMPARE(QualityCheck::checkAlts("<img src=\"a.svg\" alt=\"A clock\">").size(), 0);
        QCOMPARE(QualityCheck::checkAlts("<img src=\"a.svg\" alt=\" \"><img src=\"b.svg\">").size(),
                 2);
    }
};

QTEST_GUILESS_MAIN(TestContentChecks)
#include "test_content_checks.moc"
