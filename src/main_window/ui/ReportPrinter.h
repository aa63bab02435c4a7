#pragma once
// Prints the results report as a table of 14-column print zones on the printer
// chosen for the session. Many homes have no printer: when there is none, or
// the printer fails, the pupil is told so and may save the report as a PDF.

#include "core/ProgramDefinition.h"
#include "results/ResultsFiles.h"
#include <QDate>
#include <QFont>
#include <QString>
#include <functional>
#include <memory>

class PopUpService;
class QPrinter;
class QWidget;

class ReportPrinter {
public:
    explicit ReportPrinter(PopUpService& popUp);
    ~ReportPrinter();

    // The printer set-up dialog on the session's printer; cancelling changes nothing.
    void PrintSetup(QWidget* owner);
    // Prints the report; true when it was printed or saved as PDF.
    bool PrintReport(QWidget* owner, const QString& caption, const ModuleDefinition& module,
                     const MarksRecords& marks);

    // Draws the report into printer (already set up, e.g. PdfFormat to a file),
    // without dialogs. False when the printer could not start or failed; the
    // job is then aborted so that nothing half-done is sent.
    static bool printTo(QPrinter& printer, const QString& caption, const ModuleDefinition& module,
                        const MarksRecords& marks);
    // The font the report is printed in on that printer: the default font, made
    // smaller only where the widest line would not fit across the page.
    static QFont reportFont(QPrinter& printer, const QString& caption,
                            const ModuleDefinition& module, const MarksRecords& marks);

    // The session's printer, made on first use: making one loads the system's
    // printing support, which a start-up does not need.
    QPrinter& printer();

    // Test seams. Whether the session's printer can take a job (by default: it
    // writes a file, or the system has a printer and this one is valid).
    using PrinterCheck = std::function<bool(const QPrinter&)>;
    void setPrinterCheck(PrinterCheck check) { m_printerCheck = std::move(check); }
    // Where to save the PDF, starting from the proposed path; the empty text
    // cancels (default: a save dialog, which asks before replacing a file).
    using PdfPathChooser = std::function<QString(QWidget* owner, const QString& proposed)>;
    void setPdfPathChooser(PdfPathChooser chooser) { m_pdfPathChooser = std::move(chooser); }
    // Shows the set-up dialog on the printer; true when accepted.
    using SetupDialog = std::function<bool(QPrinter&, QWidget* owner)>;
    void setSetupDialog(SetupDialog dialog) { m_setupDialog = std::move(dialog); }

    // The path first offered for the PDF: "Results Report <date>.pdf" in the
    // folder chosen last in this run, else the user's Documents folder (or the
    // home folder where there is none), never the folder the program was
    // started from.
    QString proposedPdfPath(const QDate& today) const;

private:
    bool offerPdf(QWidget* owner, const QString& why, const QString& caption,
                  const ModuleDefinition& module, const MarksRecords& marks);
    bool savePdf(const QString& path, const QString& caption, const ModuleDefinition& module,
                 const MarksRecords& marks);

    PopUpService& m_popUp;
    std::unique_ptr<QPrinter> m_printer;
    PrinterCheck m_printerCheck;
    PdfPathChooser m_pdfPathChooser;
    SetupDialog m_setupDialog;
    QString m_pdfFolder; // chosen last in this run; empty until then
};
