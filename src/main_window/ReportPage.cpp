#include "ReportPage.h"

ReportPage::ReportPage(QWidget* parent) : QWidget(parent) {
    setObjectName("Body_Report");
}

void ReportPage::BuildReport(const ModuleDefinition&, const MarksRecords&, const QString&) {}

void ReportPage::ArrangeReportPanels(int) {}
