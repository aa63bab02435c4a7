#pragma once
// A teacher's module file (".qmodule"): a ZIP archive holding "module.txt",
// the four content tables, "checks.txt" and one document per question,
// "documents/<id>.mht". The file comes from outside, so the reader holds every
// limit and name rule before it inflates anything and never trusts a size an
// entry declares. The writer packs the same description into the same bytes.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <memory>

// What a module file may hold at most. Tests lower them to reach a refusal
// without megabytes of data.
struct ModuleLimits {
    qint64 fileBytes = 50LL * 1024 * 1024;
    int entries = 5100;
    qint64 entryBytes = 8LL * 1024 * 1024;   // one entry, inflated
    qint64 tableBytes = 2LL * 1024 * 1024;   // module.txt and each table, inflated
    qint64 totalBytes = 200LL * 1024 * 1024; // all entries together, inflated
};

// module.txt, read.
struct ModuleInfo {
    QString mid;     // "MID": letters, digits and "-", 1..40
    int version = 0; // "VER": 1..99999
    QString heading; // "HED": the tab caption, 1..24 characters
    int topicCount = 0;
    int paperCount = 0;      // 5 x topicCount
    QStringList topicNames;  // "TN", topicCount names
    QStringList paperStamps; // "PS", one per paper
    QString author;          // "AUT", may be empty
};

// The entries of a module file by name.
namespace ModuleEntry {
inline constexpr const char* Info = "module.txt";
inline constexpr const char* Papers = "papers.txt";
inline constexpr const char* Keys = "keys.txt";
inline constexpr const char* Kinds = "kinds.txt";
inline constexpr const char* Marks = "marks.txt";
inline constexpr const char* Checks = "checks.txt";
QString Document(int localId); // "documents/12.mht"
} // namespace ModuleEntry

// Local question ids of a module: 1..MaxQuestionId.
constexpr int ModuleMaxQuestionId = 4999;

class ModuleFile {
public:
    enum class Status {
        Ok,
        Unreadable, // the file cannot be opened or read
        TooLarge,   // the file is over its limit
        NotModule,  // not a ZIP archive, or one without module.txt
        Damaged,    // a module file that breaks a rule (sizes, names, module.txt)
    };

    ModuleFile(); // Status NotModule, nothing held
    static ModuleFile open(const QString& path, const ModuleLimits& limits = {});
    static ModuleFile fromBytes(const QByteArray& bytes, const ModuleLimits& limits = {});

    Status status() const;
    bool ok() const { return status() == Status::Ok; }
    // For a parent or teacher: "This module file is damaged: ...",
    // "This file is not a Quillora module.", "This module file is larger
    // than 50 MB." Empty when ok.
    QString message() const;

    const ModuleInfo& info() const;
    // Every entry name, in the archive's order.
    QStringList entryNames() const;
    // The local ids that have a document, ascending.
    QList<int> documentIds() const;

    // An entry inflated, within its limit and exactly its declared size; ok
    // false (and *why, when given, in plain words) otherwise.
    QByteArray entry(const QString& name, bool* ok = nullptr, QString* why = nullptr) const;
    QByteArray papersTable(bool* ok = nullptr) const { return entry(ModuleEntry::Papers, ok); }
    QByteArray keysTable(bool* ok = nullptr) const { return entry(ModuleEntry::Keys, ok); }
    QByteArray kindsTable(bool* ok = nullptr) const { return entry(ModuleEntry::Kinds, ok); }
    QByteArray marksTable(bool* ok = nullptr) const { return entry(ModuleEntry::Marks, ok); }
    QByteArray checksTable(bool* ok = nullptr) const { return entry(ModuleEntry::Checks, ok); }
    QByteArray document(int localId, bool* ok = nullptr, QString* why = nullptr) const;

private:
    struct Data;
    static QByteArray readEntry(const Data& data, const QString& name, bool* ok, QString* why);
    std::shared_ptr<Data> d;
};

// --- Writing --------------------------------------------------------------

struct ModuleBlank {
    QString key;
    QString kind;
    int mark = 1;
    QString check; // empty where the source gives none
};

struct ModuleQuestion {
    int id = 0; // local id 1..4999
    QList<ModuleBlank> blanks;
    QByteArray document; // MHTML
};

// Paper i of the list is paper 101 + i.
struct ModulePaper {
    QList<ModuleQuestion> questions;
};

struct ModuleSource {
    QString mid;
    int version = 1;
    QString heading;
    QStringList topicNames; // one per topic; five papers each
    QString author;
    QList<ModulePaper> papers;
};

// A hex digest of the paper's question ids, keys, kinds, marks and documents:
// an unchanged paper keeps its stamp across versions.
QString modulePaperStamp(const ModulePaper& paper);
// module.txt and the tables as they are packed.
QByteArray moduleInfoText(const ModuleSource& source);
QByteArray moduleTableText(const ModuleSource& source, const char* entryName);

// The module file's bytes: entries in a fixed order (module.txt, the tables,
// checks.txt, then the documents by id) with fixed times, so that the same
// source packs to the same bytes. Empty, with *error set, when libzip fails.
QByteArray writeModuleBytes(const ModuleSource& source, QString* error = nullptr);
// Writes the file whole (atomically); false with *error in plain words.
bool writeModuleFile(const QString& path, const ModuleSource& source, QString* error = nullptr);
// A ZIP of arbitrary named entries in the given order, fixed times: the
// writer's own packing, also used by tests to make hostile files.
QByteArray packZipEntries(const QList<QPair<QString, QByteArray>>& entries,
                          QString* error = nullptr);
