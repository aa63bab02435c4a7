#include <QtTest>

#include "practice/MhtmlArchive.h"
#include "test_support.h"

namespace {

// A sample archive's bytes; a missing one reads as "<missing>" and parses not.
QByteArray readData(const QString& name) {
    return TestFiles::bytesOf(QStringLiteral(QUILLORA_TEST_DATA_DIR "/mhtml/") + name);
}

// A sample archive parsed; one that does not parse ends the test run.
MhtmlArchive parsed(const QString& name) {
    MhtmlArchive archive;
    if (!archive.parse(readData(name)))
        qFatal("%s does not parse: %s", qPrintable(name), qPrintable(archive.errorString()));
    return archive;
}

QByteArray crlf(QByteArray text) {
    return text.replace("\n", "\r\n");
}

// A minimal archive around the given page body and extra parts.
QByteArray archive(const QByteArray& boundaryHeader, const QByteArray& boundary,
                   const QByteArray& page, const QByteArray& extraParts = {}) {
    return crlf("MIME-Version: 1.0\nContent-Type: multipart/related; " + boundaryHeader + "\n\n--" +
                boundary + "\nContent-Type: text/html; charset=utf-8\n\n" + page + "\n" +
                extraParts + "--" + boundary + "--\n");
}

const auto urlOf = [](int part) { return QStringLiteral("qm:/p/%1").arg(part); };

bool isCompletePng(const QByteArray& bytes) {
    return bytes.startsWith("\x89PNG\r\n\x1a\n") && bytes.endsWith("IEND\xae\x42\x60\x82");
}

} // namespace

class TestMhtmlArchive : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void quotedPrintable_data() {
        QTest::addColumn<QByteArray>("encoded");
        QTest::addColumn<QByteArray>("decoded");
        const QList<std::tuple<const char*, const char*, const char*>> rows{
            {"soft break CR LF", "hol=\r\nds", "holds"},
            {"soft break LF", "hol=\nds", "holds"},
            {"hard break kept", "a\r\nb", "a\r\nb"},
            {"escapes upper and lower case", "=3D=a3=A3", "=\xa3\xa3"},
            {"stray equals kept", "1 =+ 2", "1 =+ 2"},
            {"half escape at end", "x=4", "x=4"},
            {"trailing blanks dropped", "a  \t\r\nb", "a\r\nb"},
            {"blanks after soft break", "a= \r\nb", "ab"},
            {"equals at very end", "end=", "end"}};
        for (const auto& [name, encoded, decoded] : rows)
            QTest::newRow(name) << QByteArray(encoded) << QByteArray(decoded);
    }

    void quotedPrintable() {
        QFETCH(QByteArray, encoded);
        QFETCH(QByteArray, decoded);
        QCOMPARE(MhtmlArchive::decodeQuotedPrintable(encoded), decoded);
    }

    void decodeText_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("charset");
        QTest::addColumn<QString>("text");
        const char* cp1252 = "\x80 \x92 \xa3";
        const char16_t* cp1252Text = u"\u20ac \u2019 \u00a3";
        const QList<std::tuple<const char*, const char*, const char*, const char16_t*>> rows{
            {"windows-1252 any case, quoted", cp1252, "\"Windows-1252\"", cp1252Text},
            {"labelled Latin-1 read as browsers do", cp1252, "iso-8859-1", cp1252Text},
            {"utf-8", "\xc2\xbd \xe2\x82\xac", "utf-8", u"\u00bd \u20ac"},
            {"no charset, valid utf-8", "caf\xc3\xa9", "", u"caf\u00e9"},
            {"no charset, not utf-8", "caf\xe9", "", u"caf\u00e9"},
            {"unknown charset falls back", "caf\xe9", "x-no-such-set", u"caf\u00e9"}};
        for (const auto& [name, bytes, charset, text] : rows)
            QTest::newRow(name) << QByteArray(bytes) << QByteArray(charset)
                                << QString::fromUtf16(text);
    }

    void decodeText() {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, charset);
        QFETCH(QString, text);
        QCOMPARE(MhtmlArchive::decodeText(bytes, charset), text);
    }

    // The samples read, and their pages linked to their parts.
    void sampleArchives() {
        const MhtmlArchive a = parsed("word_processor.mht");
        QCOMPARE(a.parts().size(), 3);
        QCOMPARE(a.rootIndex(), 0);
        QCOMPARE(a.root()->charset, QByteArray("windows-1252"));
        const QString html = a.rootHtml();
        // soft line break joined, windows-1252 escapes decoded
        QVERIFY2(html.contains(
                     QStringLiteral("Sam\u2019s piggy bank holds \u00a312 and a \u20ac coin.")),
                 qPrintable(html));
        QCOMPARE(a.parts()[1].mimeType, QByteArray("image/png"));
        QVERIFY(isCompletePng(a.parts()[1].body));
        QVERIFY(isCompletePng(a.parts()[2].body));
        QVERIFY(a.parts()[1].body != a.parts()[2].body);
        const QString page = a.linkedText(0, urlOf);
        QCOMPARE(page.count(QStringLiteral("\"qm:/p/1\"")), 2);
        QCOMPARE(page.count(QStringLiteral("\"qm:/p/2\"")), 1);
        QVERIFY(page.contains(QStringLiteral("\u00a312"))); // decoded, not raw bytes

        const MhtmlArchive web = parsed("browser_saved.mht");
        QCOMPARE(web.parts().size(), 4);
        QVERIFY(web.rootHtml().contains(
            QStringLiteral("href=\"style/q.css\"></head><body><p class=\"q\">")));
        QCOMPARE(web.parts()[2].mimeType, QByteArray("image/svg+xml")); // folded header
        QVERIFY(web.parts()[2].body.startsWith("<svg"));
        QVERIFY(isCompletePng(web.parts()[3].body));
        QVERIFY2(web.linkedText(0, urlOf).contains(QStringLiteral("href=\"qm:/p/1\"")),
                 qPrintable(web.linkedText(0, urlOf)));
        // references inside the style sheet are resolved against the sheet
        QCOMPARE(web.linkedText(1, urlOf),
                 QStringLiteral(".q { font-size: 20px; background: url(\"qm:/p/2\") no-repeat; }"));

        const MhtmlArchive mail = parsed("cid_references.mht");
        QCOMPARE(mail.parts().size(), 3);
        QCOMPARE(mail.rootIndex(), 1); // start= names it, not the first HTML part
        QVERIFY(mail.rootHtml().contains(QStringLiteral("Caf\u00e9 \u00bd + \u00bc = ?")));
    }

    void references_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reference");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("part");
        const QByteArray word = readData(QStringLiteral("word_processor.mht"));
        const QByteArray web = readData(QStringLiteral("browser_saved.mht"));
        const QByteArray mail = readData(QStringLiteral("cid_references.mht"));
        // two pictures of the same name in different folders
        const QByteArray twins =
            archive("boundary=t", "t", "<img src=a/pic.png><img src=b/pic.png>",
                    "--t\nContent-Location: file:///D:/Q/a/pic.png\n\nA\n"
                    "--t\nContent-Location: file:///D:/Q/b/pic.png\n\nB\n");
        QTest::newRow("same name, folder decides") << twins << "file:///D:/Q/b/pic.png" << -1 << 2;
        QTest::newRow("same name, folder decides without case")
            << twins << "FILE:///d:/q/B/Pic.PNG" << -1 << 2;
        QTest::newRow("with a fragment") << word << "sums_files/image001.png#top" << -1 << 1;
        QTest::newRow("file: compared without case, backslashes")
            << word << "FILE:///c:\\e7a1f2b3\\SUMS_FILES\\Image001.png" << -1 << 1;
        QTest::newRow("bare file name as last resort") << word << "image002.png" << -1 << 2;
        QTest::newRow("absent picture") << word << "sums_files/image009.png" << -1 << -1;
        QTest::newRow("empty reference") << word << "" << -1 << -1;
        QTest::newRow("dot segments") << web << "img/../../shared/star.png" << -1 << 3;
        QTest::newRow("relative to the style sheet") << web << "../img/clock.svg" << 1 << 2;
        QTest::newRow("cid") << mail << "cid:pic1@quillora.test" << -1 << 2;
        QTest::newRow("cid percent-encoded") << mail << "CID:pic1%40quillora.test" << -1 << 2;
        QTest::newRow("cid absent") << mail << "cid:pic2@quillora.test" << -1 << -1;
    }

    void references() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reference);
        QFETCH(int, from);
        QFETCH(int, part);
        MhtmlArchive a;
        QVERIFY2(a.parse(bytes), qPrintable(a.errorString()));
        QCOMPARE(a.findPart(reference, from), part);
    }

    // Unknown targets and attributes of other names stay as written.
    void linkedText() {
        const QByteArray raw =
            archive("boundary=b", "b",
                    "<a href='https://example.test/x'>x</a><img data-x=image1.png src=image1.png "
                    "style=\"background:url( 'cid:c1' )\"><p title=\"image1.png\">",
                    "--b\nContent-Type: image/png\nContent-ID: <c1>\nContent-Location: "
                    "image1.png\n\nPNG\n");
        MhtmlArchive small;
        QVERIFY2(small.parse(raw), qPrintable(small.errorString()));
        QCOMPARE(small.linkedText(0, urlOf),
                 QStringLiteral("<a href='https://example.test/x'>x</a><img data-x=image1.png "
                                "src=\"qm:/p/1\" style=\"background:url( \"qm:/p/1\" )\">"
                                "<p title=\"image1.png\">"));
        QCOMPARE(small.linkedText(5, urlOf), QString());
    }

    void layoutVariants_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("parts");
        QTest::addColumn<QString>("page");
        const QByteArray page = "<p>7 + 8 = ?</p>";
        const QString text = QString::fromLatin1(page);
        QTest::newRow("quoted boundary with specials")
            << archive("boundary=\"=_a b;c?\"", "=_a b;c?", page) << 1 << text;
        QTest::newRow("boundary on a folded line")
            << archive("type=\"text/html\";\n\tboundary=\"fold\"", "fold", page) << 1 << text;
        QTest::newRow("escaped quote in boundary")
            << archive("boundary=\"q\\\"q\"", "q\"q", page) << 1 << text;
        QTest::newRow("LF line ends")
            << archive("boundary=lf", "lf", page).replace("\r\n", "\n") << 1 << text;
        QTest::newRow("boundary text inside a line is not a delimiter")
            << archive("boundary=zz", "zz", "<p>a --zz b</p>\n<p>--zzz</p>\n<p>c</p> --zz") << 1
            << QStringLiteral("<p>a --zz b</p>\r\n<p>--zzz</p>\r\n<p>c</p> --zz");
        QTest::newRow("part without headers")
            << archive("boundary=nh", "nh", page, "--nh\n\nplain\n") << 2 << text;
        QTest::newRow("preamble, epilogue, blanks after delimiter")
            << crlf("Content-Type: multipart/related; boundary=e\n\npreamble\n--e  \n"
                    "Content-Type: text/html\n\n<p>x</p>\n--e-- \nepilogue\n")
            << 1 << QStringLiteral("<p>x</p>");
        QTest::newRow("nested alternative")
            << crlf("Content-Type: multipart/related; boundary=out\n\n--out\n"
                    "Content-Type: multipart/alternative; boundary=in\n\n--in\n"
                    "Content-Type: text/plain\n\nplain\n--in\nContent-Type: text/html\n\n<p>n</p>\n"
                    "--in--\n--out\nContent-Type: image/png\n\nPNG\n--out--\n")
            << 3 << QStringLiteral("<p>n</p>");
        QTest::newRow("a single page, not multipart")
            << crlf("Content-Type: text/html; charset=utf-8\nContent-Location: http://x.test/a\n\n"
                    "<p>one</p>")
            << 1 << QStringLiteral("<p>one</p>");
        QTest::newRow("empty base64 part")
            << archive("boundary=e6", "e6", page, "--e6\nContent-Transfer-Encoding: base64\n\n\n")
            << 2 << text;
    }

    void layoutVariants() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, parts);
        QFETCH(QString, page);
        MhtmlArchive a;
        QVERIFY2(a.parse(bytes), qPrintable(a.errorString()));
        QCOMPARE(a.parts().size(), parts);
        QCOMPARE(a.rootHtml(), page);
    }

    void damagedInput_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray ok = archive("boundary=d", "d", "<p>ok</p>");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("noise") << TestFiles::noiseBytes(4000, 12345);
        QTest::newRow("headers never end") << QByteArray("Content-Type: text/html\r\nX: y");
        QTest::newRow("multipart without boundary")
            << crlf("Content-Type: multipart/related\n\n--\n\n<p>x</p>\n----\n");
        QTest::newRow("no delimiter at all")
            << crlf("Content-Type: multipart/related; boundary=q\n\n<p>x</p>\n");
        QTest::newRow("damaged base64") << archive(
            "boundary=d", "d", "<p>x</p>",
            "--d\nContent-Type: image/png\nContent-Transfer-Encoding: base64\n\niVBO*w0K\n");
        QTest::newRow("no HTML part") << crlf("Content-Type: multipart/related; boundary=i\n\n--i\n"
                                              "Content-Type: image/png\n\nPNG\n--i--\n");
        QByteArray many = "Content-Type: multipart/related; boundary=m\n\n";
        for (int i = 0; i <= MhtmlArchive::MaxParts; ++i)
            many += "--m\nContent-Type: text/html\n\n<p>\n";
        QTest::newRow("too many parts") << crlf(many + "--m--\n");
        QByteArray deep = "<p>x</p>\n";
        for (int i = 0; i < 6; ++i) {
            const QByteArray b = "n" + QByteArray::number(i);
            deep = "Content-Type: multipart/related; boundary=" + b + "\n\n--" + b + "\n" +
                   (i == 0 ? "Content-Type: text/html\n\n" : "") + deep + "--" + b + "--\n";
        }
        QTest::newRow("nested too deeply") << crlf(deep);
        QTest::newRow("larger than allowed") << ok + QByteArray(MhtmlArchive::MaxArchiveBytes, ' ');
        QTest::newRow("huge header block")
            << "Content-Type: multipart/related; boundary=h\r\nX: " +
                   QByteArray(MhtmlArchive::MaxHeaderBytes + 10, 'a') + "\r\n\r\n";
    }

    void damagedInput() {
        QFETCH(QByteArray, bytes);
        // a good archive first: a failed parse must not leave its parts behind
        MhtmlArchive a = parsed("cid_references.mht");
        QVERIFY(!a.parse(bytes));
        QVERIFY(!a.errorString().isEmpty());
        QVERIFY(a.isEmpty());
        QCOMPARE(a.root(), nullptr);
    }

    void everyTruncationIsRefused() {
        const QByteArray whole = readData(QStringLiteral("word_processor.mht"));
        const qsizetype closing = whole.lastIndexOf("--\r\n");
        QVERIFY(closing > 0);
        for (qsizetype cut = 0; cut < closing; ++cut) {
            MhtmlArchive a;
            QVERIFY2(!a.parse(whole.left(cut)),
                     qPrintable(QStringLiteral("accepted the first %1 bytes").arg(cut)));
        }
        MhtmlArchive a;
        QVERIFY(a.parse(whole.left(closing + 2))); // the final line break is optional
    }
};

QTEST_GUILESS_MAIN(TestMhtmlArchive)
#include "test_mhtml_archive.moc"
