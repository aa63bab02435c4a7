// The Report page: the trend plot, the panels, the figures, and the printed
// report read back from PDF, also without a printer.

#include "main_window_harness.h"

#include "chrome/PictureCache.h"
#include "chrome/PopUpService.h"
#include "main_window/ui/ReportPage.h"
#include "main_window/ui/ReportPrinter.h"
#include "main_window/ui/TrendPlot.h"

#include <QFileDialog>
#include <QLabel>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QPrinter>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTimer>
#include <cmath>

namespace {

const QString Caption = "Quillora Maths Practice";

ModuleDefinition sampleModule(int topicCount = 10) {
    ModuleDefinition module;
    module.heading = "Practice";
    module.topicCount = topicCount;
    module.paperCount = 50;
    for (int k = 1; k <= 10; ++k)
        module.topicNames << QString("Topic %1").arg(k);
    return module;
}

bool isBlue(QRgb c) {
    return c == TrendPlot::lineColour().rgb();
}

bool isBluish(QRgb c) {
    return qBlue(c) - qRed(c) > 100 && qBlue(c) - qGreen(c) > 100;
}

// Rejects each modal dialog of type T that shows while it lives, after seen.
template <typename T> struct Rejecter : QTimer {
    explicit Rejecter(std::function<void(T*)> seen) {
        connect(this, &QTimer::timeout, [seen] {
            if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
                seen(dialog);
                dialog->reject();
            }
        });
        start(50);
    }
};

// A word of a printed page with its place in points.
struct Word {
    QString text;
    QRectF box;
};

QList<Word> find(QPdfDocument& doc, int page, const QRegularExpression& pattern) {
    QList<Word> words;
    const QString text = doc.getAllText(page).text();
    auto it = pattern.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        words << Word{m.captured(),
                      doc.getSelectionAtIndex(page, int(m.capturedStart()), int(m.capturedLength()))
                          .boundingRectangle()};
    }
    return words;
}

class TestReportPage : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    QString fixture(const QString& name) {
        const QString copy = m_dir->filePath(name);
        QFile::copy(QStringLiteral(QUILLORA_TEST_DATA_DIR "/report/") + name, copy);
        return copy;
    }
    MarksRecords fixtureMarks(const QString& name) {
        const Read<MarksRecords> read = readMarksFile(fixture(name), 50);
        if (!read.ok())
            qFatal("fixture %s unreadable", qPrintable(name));
        return read.value;
    }
    bool printDozen(ReportPrinter& printer, int topicCount = 10) {
        return printer.PrintReport(nullptr, Caption, sampleModule(topicCount),
                                   fixtureMarks("marks_dozen.txt"));
    }
    // A report printer whose dialogs are answered through the seam.
    struct Printing {
        explicit Printing(const QString& folder)
            : pictures(folder), popUp(pictures), printer(popUp) {}
        PictureCache pictures;
        PopUpService popUp;
        ReportPrinter printer;
    };

private Q_SLOTS:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    // Point i of value v lies at x = i W / 21, y = (100 - v) H / 100.
    void trendPlotFromLog_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QList<double>>("plotted");

        QList<double> last20;
        for (int k = 6; k <= 25; ++k)
            last20 << 4.0 * k;
        QTest::newRow("single 50") << "trend_single50.txt" << QList<double>{50};
        QTest::newRow("25 entries: entry 6 first, entry 25 last") << "trend_25.txt" << last20;
    }
    void trendPlotFromLog() {
        QFETCH(QString, file);
        QFETCH(QList<double>, plotted);

        ReportPage page;
        page.BuildReport(sampleModule(), fixtureMarks("marks_none.txt"), fixture(file));
        page.ArrangeReportPanels(3);
        TrendPlot* plot = child<TrendPlot>(&page, "RC3TrendPlot");
        QCOMPARE(plot->values(), plotted);
        const QImage image = plot->grab().toImage();
        const int w = plot->width();
        const int h = plot->height();
        QVERIFY(w > 200 && h > 150);

        auto px = [&](qreal x, qreal y) { return image.pixel(int(x), int(y)); };
        for (int i = 1; i <= plotted.size(); ++i) {
            const qreal x = i * w / 21.0;
            const qreal y = (100 - plotted.at(i - 1)) * h / 100.0;
            // A small disc, wider than the one-pixel stem under it.
            QVERIFY2(isBlue(px(x - 1, y)) && isBlue(px(x + 1, y)), qPrintable(QString::number(i)));
            QCOMPARE(px(x, (y + h) / 2), TrendPlot::stemColour().rgb());
            QCOMPARE(px(x, h - 1), TrendPlot::stemColour().rgb());
            if (i == plotted.size())
                QVERIFY(!isBluish(px(x + 5, y)));
            if (i > 1)
                continue;
            // The line starts at the bottom left corner: halfway to the first
            // point it crosses the row halfway down to it.
            int crossing = 0;
            while (crossing < x && !isBluish(px(crossing, (y + h) / 2)))
                ++crossing;
            QVERIFY2(qAbs(crossing - x / 2) <= 1.5, qPrintable(QString::number(crossing)));
        }
        // Nothing at the step after the last point.
        const int after = plotted.size() + 1;
        if (after < 21)
            QCOMPARE(px(after * w / 21.0, h - 3), qRgb(255, 255, 255));
        // (The grid lines are counted in test_screen_scales.)
    }

    void arrangeReportPanels_data() {
        QTest::addColumn<QString>("clicked"); // after the arrangement: a caption or a bar's edge
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("pos");
        QTest::addColumn<QString>("open");
        QTest::newRow("1 from 3") << "lblRCBar1" << 3 << 1 << "RC1Summary";
        QTest::newRow("2 from 1") << "RCBar2" << 1 << 2 << "RC2Topical";
        QTest::newRow("3 from 2") << "lblRCBar3" << 2 << 3 << "RC3Trend";
        QTest::newRow("any other value opens the trend") << "RCBar1" << 1 << 7 << "RC3Trend";
    }
    void arrangeReportPanels() {
        QFETCH(int, before);
        QFETCH(int, pos);
        QFETCH(QString, open);
        QFETCH(QString, clicked);

        ReportPage page;
        page.show();
        page.ArrangeReportPanels(before);
        page.ArrangeReportPanels(pos);
        QWidget* panel = child<QWidget>(&page, open);
        // Bar n lies above the open panel exactly when n <= its number.
        const int openNumber = open.mid(2, 1).toInt();
        for (int n = 1; n <= 3; ++n)
            QCOMPARE(child<QWidget>(&page, QString("RCBar%1").arg(n))->y() < panel->y(),
                     n <= openNumber);

        // Top to bottom, only the bars and the open panel can be seen.
        for (int y = 1; y < page.height(); y += 3) {
            QWidget* at = page.childAt(page.width() / 2, y);
            QVERIFY(at);
            bool seen = panel == at || panel->isAncestorOf(at);
            for (int n = 1; n <= 3; ++n) {
                QWidget* bar = child<QWidget>(&page, QString("RCBar%1").arg(n));
                seen = seen || bar == at || bar->isAncestorOf(at);
            }
            QVERIFY2(seen, qPrintable(QString("y %1 shows %2").arg(y).arg(at->objectName())));
        }

        // A left click on a bar's caption or edge chooses its panel.
        QSignalSpy chosen(&page, &ReportPage::reportPanelChosen);
        QWidget* bar = child<QWidget>(&page, clicked);
        QTest::mouseClick(bar, Qt::RightButton, {}, QPoint(4, 10));
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(4, 10));
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.first().first().toInt(), clicked.right(1).toInt());
    }

    void buildReportFillsPanels_data() {
        QTest::addColumn<int>("topicCount");
        QTest::addColumn<QStringList>("overall");
        QTest::newRow("ten topics")
            << 10 << QStringList{"77%", "80.2%", "12 / 50", "Topic 9 ", "Topic 5 "};
        QTest::newRow("seven topics")
            << 7 << QStringList{"75.4%", "80.2%", "11 / 50", "Topic 4 ", "Topic 5 "};
    }
    void buildReportFillsPanels() {
        QFETCH(int, topicCount);
        QFETCH(QStringList, overall);

        ReportPage page;
        page.BuildReport(sampleModule(topicCount), fixtureMarks("marks_dozen.txt"),
                         fixture("trend_dozen.txt"));
        page.ArrangeReportPanels(2);
        QStringList shown;
        for (const char* name : {"OScore1", "OScore2", "PCNum", "ST", "WT"})
            shown << child<QLabel>(&page, name)->text();
        QCOMPARE(shown, overall);

        for (int k = 1; k <= 10; ++k) {
            for (const char* name : {"TopLab%1", "TBack%1A", "TBack%1B"})
                QCOMPARE(child<QWidget>(&page, QString(name).arg(k))->isHidden(), k > topicCount);
        }
        QCOMPARE(child<QLabel>(&page, "TopLab2")->text(), QString("Topic 2"));
        QCOMPARE(child<QLabel>(&page, "TMark1A")->text(), QString("86.9%"));
        QCOMPARE(child<QLabel>(&page, "TMark1B")->text(), QString("90%"));
        QCOMPARE(child<QLabel>(&page, "TMark7A")->text(), QString());

        // Bars follow the unrounded average on the width of the first track,
        // also after the page changes size.
        for (int width : {390, 520}) {
            page.resize(width, 400);
            const int inner = child<QWidget>(&page, "TBack1A")->width() - 2;
            const QList<QPair<QString, double>> bars = {{"TBar1A", 0.86875}, {"TBar1B", 0.9},
                                                        {"TBar4A", 0.9},     {"TBar5A", 0.475},
                                                        {"TBar7A", 0.0},     {"TBar2B", 0.833}};
            for (const auto& [name, fraction] : bars)
                QVERIFY2(qAbs(child<QWidget>(&page, name)->width() - inner * fraction) <= 1.0,
                         qPrintable(name));
        }
    }

    void printedReportReadsAsTable() {
        const QString path = m_dir->filePath("report.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        const ModuleDefinition module = sampleModule(10);
        const MarksRecords marks = fixtureMarks("marks_dozen.txt");
        QVERIFY(ReportPrinter::printTo(printer, Caption, module, marks));

        const QFontMetricsF metrics(ReportPrinter::reportFont(printer, Caption, module, marks),
                                    &printer);
        const qreal toPoints = 72.0 / printer.resolution();
        const qreal zone = 14 * metrics.averageCharWidth() * toPoints;
        const qreal line = metrics.lineSpacing() * toPoints;
        const QRectF paper = printer.pageLayout().paintRect(QPageLayout::Point);
        const int linesPerPage = int(std::floor(paper.height() / line + 1e-9));

        QPdfDocument doc;
        QCOMPARE(doc.load(path), QPdfDocument::Error::None);
        const int lines = 5 + 10 * 12;
        QCOMPARE(doc.pageCount(), (lines + linesPerPage - 1) / linesPerPage);

        const QList<Word> title = find(doc, 0, QRegularExpression(Caption));
        QCOMPARE(title.size(), 1);
        // Printed line numbers (0-based, over all pages) of a word, taking
        // the title's line as 2: two empty lines come before it.
        const qreal base = title.first().box.top() - 2 * line;
        auto lineOf = [&](int page, const Word& word) {
            return page * linesPerPage + qRound((word.box.top() - base) / line);
        };
        auto zoneOf = [&](const Word& word) { return (word.box.left() - paper.left()) / zone; };

        // Each topic's and paper's name, as "name@line", in zone 1.
        QStringList placed, expected;
        for (int k = 1; k <= 10; ++k) {
            expected << QString("Topic %1@%2").arg(k).arg(5 + 12 * (k - 1) + 2);
            for (int j = 1; j <= 5; ++j)
                expected << QString("Paper %1@%2").arg(j).arg(5 + 12 * (k - 1) + 6 + j);
        }
        QMap<int, QList<Word>> byLine; // every word of every paper line
        for (int page = 0; page < doc.pageCount(); ++page) {
            for (const Word& w : find(doc, page, QRegularExpression("Topic \\d+|Paper \\d"))) {
                placed << QString("%1@%2").arg(w.text).arg(lineOf(page, w));
                QVERIFY2(qAbs(zoneOf(w) - 1) < 0.03, qPrintable(w.text));
            }
            for (const Word& w : find(doc, page,
                                      QRegularExpression("[0-9.:/]*%|[0-9]+:[0-9:]+|"
                                                         "[0-9]+/[0-9/]+")))
                byLine[lineOf(page, w)] << w;
        }
        QCOMPARE(placed, expected);

        auto itemsAt = [&](int topic, int paperNo) {
            QStringList items;
            for (const Word& w : byLine.value(5 + 12 * (topic - 1) + 6 + paperNo))
                items << QString("%1@%2").arg(w.text).arg(qRound(zoneOf(w)) + 1);
            return items;
        };
        QCOMPARE(itemsAt(1, 1), (QStringList{"85%@4", "0:6:7@5", "02/03/2025@6", "95%@8"}));
        QCOMPARE(itemsAt(1, 2), (QStringList{"92.5%@4", "0:7:14@5", "03/03/2025@6", "%@8"}));
        QCOMPARE(itemsAt(7, 3), (QStringList{"%@4", "%@8"}));
    }

    // Without a working printer the pupil is told so and may save a PDF.
    void printWithoutPrinter_data() {
        QTest::addColumn<bool>("printerPresent"); // present but failing
        QTest::addColumn<bool>("answerYes");
        QTest::addColumn<QString>("chosen"); // relative to the folder; "" cancels
        QTest::addColumn<QString>("saved");  // the file expected, "" for none
        QTest::addColumn<QString>("told");   // words of the first message
        QTest::addColumn<QString>("last");   // words of the last message

        auto row = [](const char* name, bool present, bool yes, const char* chosen,
                      const char* saved, const char* told, const char* last) {
            QTest::newRow(name) << present << yes << QString(chosen) << QString(saved)
                                << QString(told) << QString(last);
        };
        const char* none = "no printer";
        row("no printer, .pdf added to the chosen name", false, true, "my report", "my report.pdf",
            none, "was saved");
        row("no printer, declined", false, false, "report.pdf", "", none, none);
        row("no printer, save dialog cancelled", false, true, "", "", none, none);
        row("printer fails, saved instead", true, true, "report.pdf", "report.pdf",
            "printer reported a problem", "was saved");
        row("folder cannot be written", false, true, "missing/deeper/report.pdf", "", none,
            "could not be saved");
    }
    void printWithoutPrinter() {
        QFETCH(bool, printerPresent);
        QFETCH(bool, answerYes);
        QFETCH(QString, chosen);
        QFETCH(QString, saved);
        QFETCH(QString, told);
        QFETCH(QString, last);

        Printing p(m_dir->path());
        ReportPrinter& printer = p.printer;
        QStringList messages;
        p.popUp.setAnswerer([&](const QString&, const QString& message, PopUpButtons buttons) {
            messages << message;
            return buttons == PopUpButtons::YesNo ? answerYes : true;
        });
        const QString folder = m_dir->filePath("out");
        QVERIFY(QDir().mkpath(folder));
        int chooserCalls = 0;
        printer.setPdfPathChooser([&](QWidget*, const QString&) {
            ++chooserCalls;
            return chosen.isEmpty() ? QString() : folder + "/" + chosen;
        });
        printer.setPrinterCheck([&](const QPrinter&) { return printerPresent; });
        // A printer that fails to start: its output cannot be opened.
        printer.printer().setOutputFormat(QPrinter::PdfFormat);
        printer.printer().setOutputFileName(m_dir->filePath("no/such/folder/printer.pdf"));
        // A file of the chosen name is there from before: it is replaced.
        if (!saved.isEmpty())
            QVERIFY(TestFiles::writeBytes(folder + "/" + saved, "an older report"));

        QCOMPARE(printDozen(printer), !saved.isEmpty());
        QVERIFY(!messages.isEmpty());
        QVERIFY2(messages.first().contains(told, Qt::CaseInsensitive),
                 qPrintable(messages.first()));
        QVERIFY2(messages.last().contains(last, Qt::CaseInsensitive), qPrintable(messages.last()));
        QCOMPARE(chooserCalls, answerYes ? 1 : 0);

        QCOMPARE(QDir(folder).entryList(QDir::Files),
                 saved.isEmpty() ? QStringList() : QStringList{saved});
        if (!saved.isEmpty()) {
            QPdfDocument doc;
            QCOMPARE(doc.load(folder + "/" + saved), QPdfDocument::Error::None);
            QCOMPARE(doc.pageCount(), 2);
            QVERIFY(doc.getAllText(0).text().contains(Caption));
        }
    }

    // The set-up dialog is the platform's; the printer chosen in it is the one
    // the report goes to, and cancelling it keeps the earlier choice.
    void setupChoosesThePrinter() {
        Printing p(m_dir->path());
        ReportPrinter& printer = p.printer;
        bool seen = false;
        {
            Rejecter<QDialog> closer([&](QDialog*) { seen = true; });
            printer.PrintSetup(nullptr);
        }
        QVERIFY(seen);

        const QString chosen = m_dir->filePath("chosen.pdf");
        printer.setSetupDialog([&](QPrinter& p, QWidget*) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(chosen);
            return true;
        });
        printer.PrintSetup(nullptr);
        printer.setSetupDialog([&](QPrinter& p, QWidget*) {
            p.setOutputFileName(m_dir->filePath("cancelled.pdf"));
            return false;
        });
        printer.PrintSetup(nullptr);
        QCOMPARE(printer.printer().outputFileName(), chosen);

        QVERIFY(printDozen(printer, 3));
        QCOMPARE(p.popUp.askCount(), 0);
        QPdfDocument doc;
        QCOMPARE(doc.load(chosen), QPdfDocument::Error::None);
        QVERIFY(doc.getAllText(0).text().contains("Topic 3"));
        QVERIFY(!QFile::exists(m_dir->filePath("cancelled.pdf")));
    }

    // The save dialog starts in the Documents folder (the home folder when
    // there is none), never where the program was started, with a dated name;
    // after a save it starts where the pupil saved last.
    void pdfSaveFolderAndName() {
        const QByteArray home = qgetenv("HOME");
        const QByteArray config = qgetenv("XDG_CONFIG_HOME");
        auto restore = qScopeGuard([&] {
            qputenv("HOME", home);
            qputenv("XDG_CONFIG_HOME", config);
        });
        const QString fakeHome = m_dir->filePath("home");
        QVERIFY(QDir().mkpath(fakeHome + "/.config"));
        qputenv("HOME", QFile::encodeName(fakeHome));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(fakeHome + "/.config"));

        Printing p(m_dir->path());
        ReportPrinter& printer = p.printer;
        p.popUp.setAnswerer([](const QString&, const QString&, PopUpButtons) { return true; });
        QCOMPARE(printer.proposedPdfPath(QDate(2026, 12, 6)),
                 fakeHome + "/Results Report 2026-12-06.pdf");
        QVERIFY(QDir().mkpath(fakeHome + "/Documents"));

        const QString elsewhere = m_dir->filePath("usb");
        QVERIFY(QDir().mkpath(elsewhere));
        QStringList proposals;
        printer.setPrinterCheck([](const QPrinter&) { return false; });
        printer.setPdfPathChooser([&](QWidget*, const QString& proposed) {
            proposals << proposed;
            return elsewhere + "/mine";
        });
        QVERIFY(printDozen(printer));
        QVERIFY(printDozen(printer));
        QCOMPARE(proposals.size(), 2);
        const QString today = QDate::currentDate().toString(Qt::ISODate);
        QCOMPARE(proposals.at(0), fakeHome + "/Documents/Results Report " + today + ".pdf");
        QCOMPARE(proposals.at(1), elsewhere + "/Results Report " + today + ".pdf");

        // The real dialog opens on the proposal.
        ReportPrinter real(p.popUp);
        real.setPrinterCheck([](const QPrinter&) { return false; });
        QStringList shownFiles;
        Rejecter<QFileDialog> closer(
            [&](QFileDialog* dialog) { shownFiles = dialog->selectedFiles(); });
        QVERIFY(!printDozen(real));
        QCOMPARE(shownFiles, QStringList{fakeHome + "/Documents/Results Report " + today + ".pdf"});
    }
};

} // namespace

QTEST_MAIN(TestReportPage)
#include "test_report_page.moc"
