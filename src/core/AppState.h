#pragma once
// The application state that the main window holds for the whole run; a
// practice window is given a copy of what it needs when it opens. Names are those of the state
// fields the windows share; values are typed, not decimal text.

#include "core/ProgramDefinition.h"
#include <QString>

struct AppState {
    QString programFolder; // where the pupils' folders, Graphics and temporary files live
    QString resultsFolder; // the chosen pupil's results files
    // The chosen pupil's name where it is shown (window titles, report);
    // empty for a family with a single unnamed pupil.
    QString pupilName;
    ProgramDefinition definition;

    int LChose = 0;        // chosen module 1..3
    QString lblCOD;        // program code
    int TopicCount = 1;    // first paper index of the chosen topic: 1, 6, ..., 46
    int TtPapersCon = 0;   // paper count of the chosen module
    int PaperNum = 0;      // paper being opened, 101..150
    int TakeNum = 1;       // attempt being opened, 1 or 2
    int txtTabPos = 1;     // selected tab 1..4
    int txtToolBarPos = 0; // selected tool-bar button 1..4
    int txtReportPos = 1;  // open report panel 1..3
    QString SubH1;         // name of the chosen topic

    const ModuleDefinition& chosenModule() const { return definition.module(LChose); }
};
