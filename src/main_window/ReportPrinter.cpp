#include "ReportPrinter.h"
#include <QPrinter>

ReportPrinter::ReportPrinter(PopUpService& popUp) : m_popUp(popUp) {}
ReportPrinter::~ReportPrinter() = default;

void ReportPrinter::PrintSetup(QWidget*) {}

bool ReportPrinter::PrintReport(QWidget*, const QString&, const ModuleDefinition&,
                                const MarksRecords&) {
    return false;
}

bool ReportPrinter::PrintTo(QPrinter&, const QString&, const ModuleDefinition&,
                            const MarksRecords&) {
    return false;
}
