#pragma once
// The bank's hand-written sources (content/source/paperNNN.yaml) as typed
// values: a paper, its questions, their blanks, working steps and picture
// descriptions. Every item remembers the line it was written on, so that a
// message can point the author at it.

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace bank::source {

struct SourceBlank {
    QString key;
    QString kind; // N, T, Q, F, X, M or G
    int mark = 1;
    QString check; // what the validator computes
    QString why;   // for a check that is a word the author vouches for
    int line = 0;
};

// One step of the working: a text, or a picture drawn in the working.
struct SourceStep {
    QString text;
    QVariantMap picture; // non-empty for a picture step
    int line = 0;
    bool isPicture() const { return !picture.isEmpty(); }
};

struct SourceQuestion {
    int id = 0; // in a teacher's module 0 until the pack numbers it
    // In a teacher's module: the word-processor page (a file beside the
    // paper's source) shown instead of a written question; its blanks are
    // given in the source, their checks optional.
    QString document;
    int number = 0; // place in its paper, from 1
    QString form;   // bare | missing | story | picture | choice | puzzle | reason
    QStringList statements;
    QString text;
    QString note;
    QStringList parts;
    QStringList options;
    // Picture descriptions: every scalar a QString, lists QVariantList, maps
    // QVariantMap; "name", "type" and "alt" among the fields.
    QList<QVariantMap> pictures;
    QList<SourceBlank> blanks;
    QList<SourceStep> working;
    QStringList units;
    int line = 0;
};

// The bank's papers, or a teacher's module: papers named by topic and place
// (1..5), question ids optional, no plan or curriculum statements, checks
// optional, and a question may be a document.
enum class SourceKind { Bank, Module };

struct SourcePaper {
    QString file; // as given to the reader, for messages
    SourceKind kind = SourceKind::Bank;
    int paper = 0; // 101..150 (in a module: from topic and place)
    int topic = 0;
    int place = 0; // 1..5 within the topic
    QString year;
    QString plan;
    QList<SourceQuestion> questions;
};

// "FILE:LINE: question ID: FIELD: text", leaving out what is unknown.
QString locationPrefix(const QString& file, int line, int questionId = 0,
                       const QString& field = {});

struct PaperRead {
    SourcePaper paper;
    QStringList errors; // empty when the file was read in full
};
PaperRead readPaper(const QString& path, SourceKind kind = SourceKind::Bank);
// The same from text, `file` naming it in messages.
PaperRead readPaperText(const QByteArray& yaml, const QString& file,
                        SourceKind kind = SourceKind::Bank);

struct Curriculum {
    QMap<int, QStringList> areas;      // topic -> statement areas, e.g. 1 -> PV, AS
    QMap<QString, QString> statements; // id -> what it says
    QStringList ids;                   // in the file's order
    // The statements a topic practises: its areas, every year.
    QStringList statementsOfTopic(int topic) const;
};
Curriculum readCurriculum(const QString& path, QStringList* errors);

// The source file of a paper in a folder: DIR/paperNNN.yaml.
QString paperFile(const QString& folder, int paper);

// The picture types the renderer knows, and the fields each may have.
const QMap<QString, QStringList>& pictureTypes();

} // namespace bank::source
