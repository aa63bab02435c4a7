#pragma once
// Prints the results report as a table of 14-column print zones on the printer
// chosen for the session; without a working printer it offers a PDF file.

#include "core/ProgramDefinition.h"
#include "results/ResultsFiles.h"
#include <QString>
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
    // job is then aborted.
    static bool PrintTo(QPrinter& printer, const QString& caption, const ModuleDefinition& module,
                        const MarksRecords& marks);

private:
    PopUpService& m_popUp;
    std::unique_ptr<QPrinter> m_printer;
};
