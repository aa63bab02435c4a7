#pragma once
// A new edition of the content may change the questions of some papers while
// the results folder still holds answers saved against the old ones. The
// definition stamps each paper's content ("PS" + module); the folder keeps,
// beside the six results files, the stamps of the content its answers belong
// to ("edition" + module + code + ".txt"; a folder of the second edition has
// none and reads as all "2"). At start-up every paper whose stamp changed
// loses its saved answers and their ticks and crosses, in all four per-paper
// files, so that none is ever shown against a question it was not given
// for. The marks file (scores, times, dates, which attempts are marked) and
// the trend are not touched, nor is any other paper.

#include <QList>
#include <QString>
#include <QStringList>

class ResourceStore;
struct ProgramDefinition;

class EditionUpgrade {
public:
    struct Report {
        QList<int> clearedPapers; // paper ids whose saved answers were cleared
        QStringList unwritten;    // files that could not be written; the mark then is not
        QStringList unreadable;   // files that could not be read (nor shown); nor is it then
        bool ok() const { return unwritten.isEmpty(); }
    };

    // The stamp a paper without one in the folder's mark is taken to have.
    static QString secondEditionStamp() { return QStringLiteral("2"); }

    static QString markFilePath(const QString& programFolder, int module,
                                const QString& programCode);

    EditionUpgrade(const ResourceStore& store, QString programFolder,
                   const ProgramDefinition& definition);
    // Every existing module whose definition stamps its papers.
    Report Run() const;

    // Plain words for the pupil or a parent; empty when nothing was cleared.
    static QString message(const Report& report);

private:
    void runModule(int module, Report* report) const;

    const ResourceStore& m_store;
    QString m_folder;
    const ProgramDefinition& m_definition;
};
