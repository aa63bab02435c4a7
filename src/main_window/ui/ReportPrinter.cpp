#include "main_window/ui/ReportPrinter.h"

#include "chrome/PopUpService.h"
#include "core/Log.h"
#include "main_window/ReportLayout.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace {

const QString PrintTitle = QStringLiteral("Print");

QList<qreal> itemWidths(const QStringList& items, const QFontMetricsF& metrics) {
    QList<qreal> widths;
    for (const QString& item : items)
        widths << metrics.horizontalAdvance(item);
    return widths;
}

qreal zoneWidth(const QFontMetricsF& metrics) {
    return ReportLayout::ZoneColumns * metrics.averageCharWidth();
}

qreal widestLine(const QList<QStringList>& lines, const QFontMetricsF& metrics) {
    qreal widest = 0;
    for (const QStringList& line : lines) {
        if (line.isEmpty())
            continue;
        const QList<qreal> widths = itemWidths(line, metrics);
        const QList<qreal> starts = ReportLayout::zoneStartsFor(widths, zoneWidth(metrics));
        widest = qMax(widest, starts.last() + widths.last());
    }
    return widest;
}

bool failed(const QPrinter& printer) {
    return printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted;
}

} // namespace

ReportPrinter::ReportPrinter(PopUpService& popUp) : m_popUp(popUp) {
    m_printerCheck = [](const QPrinter& printer) {
        if (printer.outputFormat() == QPrinter::PdfFormat)
            return !printer.outputFileName().isEmpty();
        return !QPrinterInfo::availablePrinters().isEmpty() && printer.isValid();
    };
    m_pdfPathChooser = [](QWidget* owner, const QString& proposed) {
        return QFileDialog::getSaveFileName(owner, QStringLiteral("Save the report as a PDF file"),
                                            proposed, QStringLiteral("PDF files (*.pdf)"));
    };
    m_setupDialog = [](QPrinter& printer, QWidget* owner) {
        QPrintDialog dialog(&printer, owner);
        dialog.setWindowTitle(QStringLiteral("Printer Setup"));
        // The report is always printed whole; printing to a file stays on
        // offer for homes without a printer.
        dialog.setOptions(QAbstractPrintDialog::PrintToFile |
                          QAbstractPrintDialog::PrintShowPageSize |
                          QAbstractPrintDialog::PrintCollateCopies);
        return dialog.exec() == QDialog::Accepted;
    };
}

ReportPrinter::~ReportPrinter() = default;

QString ReportPrinter::proposedPdfPath(const QDate& today) const {
    QString folder = m_pdfFolder;
    if (folder.isEmpty()) {
        // A fresh account may have no Documents folder yet; a dialog pointed
        // at a missing folder would fall back to the working folder.
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (folder.isEmpty() || !QFileInfo(folder).isDir())
            folder = QDir::homePath();
    }
    // ISO date: sorts by day and holds no character a file name cannot.
    const QString name = QStringLiteral("Results Report %1.pdf").arg(today.toString(Qt::ISODate));
    return QDir(folder).filePath(name);
}

QPrinter& ReportPrinter::printer() {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setDocName(QStringLiteral("Results Report"));
    }
    return *m_printer;
}

namespace {
// What the set-up dialog offers besides the printer and the output format.
void copyPageChoices(const QPrinter& from, QPrinter& to) {
    to.setOutputFileName(from.outputFileName());
    to.setPageLayout(from.pageLayout());
    to.setCopyCount(from.copyCount());
    to.setCollateCopies(from.collateCopies());
    to.setColorMode(from.colorMode());
    to.setDuplex(from.duplex());
}
} // namespace

void ReportPrinter::PrintSetup(QWidget* owner) {
    // The dialog works on a copy of the choices so that Cancel changes nothing.
    QPrinter& session = printer();
    QPrinter chosen(QPrinter::HighResolution);
    chosen.setPrinterName(session.printerName());
    chosen.setOutputFormat(session.outputFormat());
    copyPageChoices(session, chosen);
    if (!m_setupDialog(chosen, owner))
        return;
    session.setOutputFormat(chosen.outputFormat());
    if (chosen.outputFormat() == QPrinter::NativeFormat)
        session.setPrinterName(chosen.printerName());
    copyPageChoices(chosen, session);
}

bool ReportPrinter::PrintReport(QWidget* owner, const QString& caption,
                                const ModuleDefinition& module, const MarksRecords& marks) {
    if (!m_printerCheck(printer()))
        return offerPdf(owner,
                        QStringLiteral("There is no printer set up on this computer, so the "
                                       "report cannot be printed."),
                        caption, module, marks);
    if (printTo(printer(), caption, module, marks))
        return true;
    return offerPdf(owner,
                    QStringLiteral("The printer reported a problem, so the report was not "
                                   "printed. Nothing was sent to the printer."),
                    caption, module, marks);
}

bool ReportPrinter::offerPdf(QWidget* owner, const QString& why, const QString& caption,
                             const ModuleDefinition& module, const MarksRecords& marks) {
    const QString question = why + QStringLiteral("\n\nWould you like to save the report as a "
                                                  "PDF file instead?");
    if (!m_popUp.ask(PrintTitle, question, PopUpButtons::YesNo, owner))
        return false;
    QString path = m_pdfPathChooser(owner, proposedPdfPath(QDate::currentDate()));
    if (path.isEmpty())
        return false;
    m_pdfFolder = QFileInfo(path).absolutePath();
    if (QFileInfo(path).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0)
        path += QStringLiteral(".pdf");
    if (!savePdf(path, caption, module, marks)) {
        logFailure(QStringLiteral("report not saved as PDF"), path);
        m_popUp.tell(PrintTitle,
                     QStringLiteral("The report could not be saved as\n%1\n\nPlease choose "
                                    "another folder and try again.")
                         .arg(QDir::toNativeSeparators(path)),
                     owner);
        return false;
    }
    m_popUp.tell(PrintTitle,
                 QStringLiteral("The report was saved as\n%1").arg(QDir::toNativeSeparators(path)),
                 owner);
    return true;
}

bool ReportPrinter::savePdf(const QString& path, const QString& caption,
                            const ModuleDefinition& module, const MarksRecords& marks) {
    // Written beside the target first, so a failed job neither leaves half a
    // file nor destroys a report saved there before.
    const QString partial = path + QStringLiteral(".part");
    QFile::remove(partial);
    bool ok = false;
    {
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setOutputFileName(partial);
        pdf.setPageLayout(printer().pageLayout());
        pdf.setDocName(printer().docName());
        ok = printTo(pdf, caption, module, marks);
    }
    ok = ok && QFileInfo(partial).size() > 0;
    if (ok && QFile::exists(path))
        ok = QFile::remove(path);
    ok = ok && QFile::rename(partial, path);
    if (!ok)
        QFile::remove(partial);
    return ok;
}

QFont ReportPrinter::reportFont(QPrinter& printer, const QString& caption,
                                const ModuleDefinition& module, const MarksRecords& marks) {
    QFont font;
    const QList<QStringList> lines = ReportLayout::reportLines(caption, module, marks);
    const qreal pageWidth = printer.pageLayout().paintRectPixels(printer.resolution()).width();
    // Glyph widths do not scale quite linearly, so shrink in steps until it fits.
    for (int attempt = 0; attempt < 4; ++attempt) {
        const qreal widest = widestLine(lines, QFontMetricsF(font, &printer));
        if (widest <= pageWidth || pageWidth <= 0)
            break;
        font.setPointSizeF(font.pointSizeF() * pageWidth / widest * 0.99);
    }
    return font;
}

bool ReportPrinter::printTo(QPrinter& printer, const QString& caption,
                            const ModuleDefinition& module, const MarksRecords& marks) {
    const QFont font = reportFont(printer, caption, module, marks);
    QPainter painter;
    if (!painter.begin(&printer)) {
        printer.abort();
        return false;
    }
    painter.setFont(font);
    const QFontMetricsF metrics(font, &printer);
    const qreal zone = zoneWidth(metrics);
    const qreal lineHeight = metrics.lineSpacing();
    const qreal pageHeight = printer.pageLayout().paintRectPixels(printer.resolution()).height();

    qreal y = 0;
    for (const QStringList& line : ReportLayout::reportLines(caption, module, marks)) {
        if (y + lineHeight > pageHeight && y > 0) {
            if (!printer.newPage() || failed(printer)) {
                printer.abort();
                return false;
            }
            y = 0;
        }
        const QList<qreal> starts = ReportLayout::zoneStartsFor(itemWidths(line, metrics), zone);
        for (int i = 0; i < line.size(); ++i)
            painter.drawText(QPointF(starts.at(i), y + metrics.ascent()), line.at(i));
        y += lineHeight;
        if (failed(printer)) {
            printer.abort();
            return false;
        }
    }
    return painter.end() && !failed(printer);
}
