#include "core/ModuleFile.h"

#include "core/AtomicWrite.h"
#include "core/RecordFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <sys/stat.h>
#include <zip.h>

namespace {

constexpr qint64 MiB = 1024 * 1024;

QString damaged(const QString& why) {
    return QStringLiteral("This module file is damaged: %1.").arg(why);
}

QString notModuleText() {
    return QStringLiteral("This file is not a Quillora module.");
}

QString tooLargeText(qint64 limit) {
    return QStringLiteral("This module file is larger than %1 MB.").arg(limit / MiB);
}

bool isTableName(const QString& name) {
    for (const char* table : {ModuleEntry::Info, ModuleEntry::Papers, ModuleEntry::Keys,
                              ModuleEntry::Kinds, ModuleEntry::Marks, ModuleEntry::Checks}) {
        if (name == QLatin1String(table))
            return true;
    }
    return false;
}

// The local id of "documents/<id>.mht", or 0.
int documentIdOf(const QString& name) {
    static const QRegularExpression document(QStringLiteral("^documents/([1-9][0-9]{0,3})\\.mht$"));
    const QRegularExpressionMatch m = document.match(name);
    if (!m.hasMatch())
        return 0;
    const int id = m.captured(1).toInt();
    return id <= ModuleMaxQuestionId ? id : 0;
}

// Why a name may not stand in a module file at all, or empty.
QString hostileName(const QString& name) {
    if (name.isEmpty())
        return QStringLiteral("an entry has no name");
    for (const QChar c : name) {
        if (c.unicode() < 32 || c.unicode() == 127)
            return QStringLiteral("an entry's name holds a control character");
    }
    const QString shown = QStringLiteral("\"%1\"").arg(name);
    if (name.startsWith(QLatin1Char('/')))
        return QStringLiteral("the entry %1 names an absolute path").arg(shown);
    if (name.contains(QLatin1Char('\\')))
        return QStringLiteral("the entry %1 holds a backslash").arg(shown);
    if (name.size() >= 2 && name.at(1) == QLatin1Char(':') && name.at(0).isLetter())
        return QStringLiteral("the entry %1 names a drive").arg(shown);
    if (name.split(QLatin1Char('/')).contains(QStringLiteral("..")))
        return QStringLiteral("the entry %1 points outside the module").arg(shown);
    return QString();
}

// Fields of the first record of tag; found false when there is none.
QStringList recordFields(const QStringList& lines, const QString& tag, bool* found) {
    const qsizetype at = findTagLine(lines, tag);
    *found = false;
    if (at < 0)
        return {};
    const QString& line = lines.at(at);
    const QString prefix = QLatin1Char('#') + tag + QStringLiteral("#>");
    if (!line.startsWith(prefix, Qt::CaseInsensitive))
        return {};
    *found = true;
    return line.mid(prefix.size()).split(QLatin1Char('>'));
}

bool wholeNumber(const QString& text, int lo, int hi, int* value) {
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,6}$"));
    if (!digits.match(text).hasMatch())
        return false;
    *value = text.toInt();
    return *value >= lo && *value <= hi;
}

// Reads module.txt; the first rule it breaks, or empty.
QString parseInfo(const QByteArray& bytes, ModuleInfo* info) {
    const QStringList lines = splitRecordText(QString::fromLatin1(bytes));
    bool found = false;
    auto single = [&](const char* tag) {
        const QStringList f = recordFields(lines, QLatin1String(tag), &found);
        return found && f.size() == 1 ? f.first() : QString();
    };
    const QString format = single("FMT");
    if (format != QLatin1String("1"))
        return format.isEmpty() ? QStringLiteral("module.txt gives no format")
                                : QStringLiteral("it is of format %1, which this version of "
                                                 "the program cannot read")
                                      .arg(format);
    info->mid = single("MID");
    static const QRegularExpression mid(QStringLiteral("^[A-Za-z0-9-]{1,40}$"));
    if (!mid.match(info->mid).hasMatch())
        return QStringLiteral("module.txt has no proper module identity (MID)");
    if (!wholeNumber(single("VER"), 1, 99999, &info->version))
        return QStringLiteral("module.txt has no version from 1 to 99999 (VER)");
    info->heading = single("HED");
    if (info->heading.trimmed().isEmpty() || info->heading.size() > 24)
        return QStringLiteral("module.txt has no heading of 1 to 24 characters (HED)");
    if (!wholeNumber(single("TT"), 1, 10, &info->topicCount))
        return QStringLiteral("module.txt has no topic count from 1 to 10 (TT)");
    if (!wholeNumber(single("TP"), 1, 50, &info->paperCount) ||
        info->paperCount != 5 * info->topicCount)
        return QStringLiteral("module.txt does not give five papers per topic (TP)");
    info->topicNames = recordFields(lines, QStringLiteral("TN"), &found);
    bool namesOk = found && info->topicNames.size() == info->topicCount;
    for (const QString& name : std::as_const(info->topicNames))
        namesOk = namesOk && !name.trimmed().isEmpty() && name.size() <= 60;
    if (!namesOk)
        return QStringLiteral("module.txt does not name its %1 topics (TN)").arg(info->topicCount);
    info->paperStamps = recordFields(lines, QStringLiteral("PS"), &found);
    static const QRegularExpression hex(QStringLiteral("^[0-9a-f]{1,64}$"));
    bool stampsOk = found && info->paperStamps.size() == info->paperCount;
    for (const QString& stamp : std::as_const(info->paperStamps))
        stampsOk = stampsOk && hex.match(stamp).hasMatch();
    if (!stampsOk)
        return QStringLiteral("module.txt does not stamp its %1 papers (PS)").arg(info->paperCount);
    info->author = single("AUT");
    if (info->author.size() > 60)
        return QStringLiteral("module.txt names an author of more than 60 characters (AUT)");
    return QString();
}

struct ZipError {
    zip_error_t error;
    ZipError() { zip_error_init(&error); }
    ~ZipError() { zip_error_fini(&error); }
    QString text() { return QString::fromLocal8Bit(zip_error_strerror(&error)); }
};

} // namespace

QString ModuleEntry::Document(int localId) {
    return QStringLiteral("documents/%1.mht").arg(localId);
}

struct ModuleFile::Data {
    Status status = Status::NotModule;
    QString message = notModuleText();
    ModuleInfo info;
    ModuleLimits limits;
    QByteArray bytes; // the archive; the zip reads from it
    zip_t* zip = nullptr;
    struct Entry {
        zip_uint64_t index = 0;
        qint64 size = 0;
    };
    QStringList names;
    QMap<QString, Entry> entries;
    QList<int> documentIds;

    ~Data() {
        if (zip)
            zip_discard(zip);
    }
    void refuse(Status s, const QString& text) {
        status = s;
        message = text;
    }
    void open();
    QString listEntries();
};

QString ModuleFile::Data::listEntries() {
    const zip_int64_t count = zip_get_num_entries(zip, 0);
    if (count < 0 || count > limits.entries)
        return QStringLiteral("it holds more than %1 entries").arg(limits.entries);
    QSet<QString> seen;
    qint64 total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(zip, zip_uint64_t(i), ZIP_FL_ENC_RAW, &st) != 0 ||
            !(st.valid & ZIP_STAT_NAME) || !(st.valid & ZIP_STAT_SIZE))
            return QStringLiteral("entry %1 cannot be read").arg(i + 1);
        const QString name = QString::fromUtf8(st.name);
        const QString hostile = hostileName(name);
        if (!hostile.isEmpty())
            return hostile;
        const QString shown = QStringLiteral("\"%1\"").arg(name);
        if (seen.contains(name))
            return QStringLiteral("the entry %1 appears twice").arg(shown);
        seen.insert(name);
        const int documentId = documentIdOf(name);
        if (documentId == 0 && !isTableName(name))
            return QStringLiteral("it holds an entry %1 that a module does not have").arg(shown);
        zip_uint8_t system = 0;
        zip_uint32_t attributes = 0;
        if (zip_file_get_external_attributes(zip, zip_uint64_t(i), 0, &system, &attributes) == 0 &&
            system == ZIP_OPSYS_UNIX && ((attributes >> 16) & S_IFMT) == S_IFLNK)
            return QStringLiteral("the entry %1 is a link to somewhere else").arg(shown);
        if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE)
            return QStringLiteral("the entry %1 is locked with a password").arg(shown);
        if ((st.valid & ZIP_STAT_COMP_METHOD) && st.comp_method != ZIP_CM_STORE &&
            st.comp_method != ZIP_CM_DEFLATE)
            return QStringLiteral("the entry %1 is packed in a way this program does not read")
                .arg(shown);
        const qint64 limit = documentId ? limits.entryBytes : limits.tableBytes;
        if (st.size > zip_uint64_t(limit))
            return QStringLiteral("the entry %1 expands past %2")
                .arg(shown)
                .arg(limit >= MiB ? QStringLiteral("%1 MB").arg(limit / MiB)
                                  : QStringLiteral("%1 bytes").arg(limit));
        total += qint64(st.size);
        if (total > limits.totalBytes)
            return QStringLiteral("its entries together expand past %1 MB")
                .arg(limits.totalBytes / MiB);
        names << name;
        entries.insert(name, Entry{zip_uint64_t(i), qint64(st.size)});
        if (documentId)
            documentIds << documentId;
    }
    std::sort(documentIds.begin(), documentIds.end());
    return QString();
}

void ModuleFile::Data::open() {
    if (bytes.size() > limits.fileBytes)
        return refuse(Status::TooLarge, tooLargeText(limits.fileBytes));
    ZipError error;
    // The archive owns its source once opened; a failed open leaves it to us.
    auto openWith = [this, &error](int flags) {
        zip_source_t* source = zip_source_buffer_create(
            bytes.constData(), zip_uint64_t(bytes.size()), 0, &error.error);
        zip_t* opened = source ? zip_open_from_source(source, flags, &error.error) : nullptr;
        if (source && !opened)
            zip_source_free(source);
        return opened;
    };
    zip = openWith(ZIP_RDONLY | ZIP_CHECKCONS);
    const int code = zip_error_code_zip(&error.error);
    if (!zip && (code == ZIP_ER_INCONS || code == ZIP_ER_EXISTS)) {
        // Its parts disagree with its table of contents. Opened leniently, the
        // listing may say why (a name given twice); otherwise it is broken.
        zip = openWith(ZIP_RDONLY);
        if (zip) {
            const QString listed = listEntries();
            return refuse(Status::Damaged,
                          damaged(listed.isEmpty()
                                      ? QStringLiteral("its entries do not agree with its "
                                                       "table of contents")
                                      : listed));
        }
    }
    if (!zip) {
        // A file that starts as an archive but cannot be opened was cut short
        // or broken; anything else is some other kind of file.
        if (bytes.startsWith(QByteArrayLiteral("PK\x03\x04")))
            return refuse(Status::Damaged, damaged(QStringLiteral("it is cut short or broken")));
        return refuse(Status::NotModule, notModuleText());
    }
    // Any other archive is some other kind of file, whatever it holds.
    if (zip_name_locate(zip, ModuleEntry::Info, 0) < 0)
        return refuse(Status::NotModule, notModuleText());
    const QString listed = listEntries();
    if (!listed.isEmpty())
        return refuse(Status::Damaged, damaged(listed));
    if (!entries.contains(QLatin1String(ModuleEntry::Info)))
        return refuse(Status::NotModule, notModuleText());
    for (const char* table : {ModuleEntry::Papers, ModuleEntry::Keys, ModuleEntry::Kinds,
                              ModuleEntry::Marks, ModuleEntry::Checks}) {
        if (!entries.contains(QLatin1String(table)))
            return refuse(Status::Damaged,
                          damaged(QStringLiteral("it has no %1").arg(QLatin1String(table))));
    }
    status = Status::Ok; // entry() reads only an opened file
    QString why;
    bool ok = false;
    const QByteArray infoText =
        ModuleFile::readEntry(*this, QLatin1String(ModuleEntry::Info), &ok, &why);
    if (!ok)
        return refuse(Status::Damaged, damaged(why));
    const QString bad = parseInfo(infoText, &info);
    if (!bad.isEmpty())
        return refuse(Status::Damaged, damaged(bad));
    message.clear();
}

QByteArray ModuleFile::readEntry(const Data& data, const QString& name, bool* ok, QString* why) {
    *ok = false;
    const QString shown = QStringLiteral("\"%1\"").arg(name);
    auto fail = [&](const QString& text) {
        if (why)
            *why = text;
        return QByteArray();
    };
    if (data.status != Status::Ok || !data.zip)
        return fail(data.message);
    const auto it = data.entries.constFind(name);
    if (it == data.entries.constEnd())
        return fail(QStringLiteral("it has no %1").arg(name));
    zip_file_t* file = zip_fopen_index(data.zip, it->index, 0);
    if (!file)
        return fail(QStringLiteral("the entry %1 cannot be opened").arg(shown));
    // Never more than declared: one byte past it shows the entry lied.
    QByteArray out(it->size + 1, Qt::Uninitialized);
    qint64 got = 0;
    bool readFailed = false;
    while (got < out.size()) {
        const zip_int64_t n = zip_fread(file, out.data() + got, zip_uint64_t(out.size() - got));
        if (n < 0) {
            readFailed = true;
            break;
        }
        if (n == 0)
            break;
        got += n;
    }
    zip_fclose(file);
    if (readFailed && got <= it->size)
        return fail(QStringLiteral("the entry %1 is broken").arg(shown));
    if (got != it->size)
        return fail(QStringLiteral("the entry %1 is not the size it declares").arg(shown));
    out.truncate(got);
    *ok = true;
    return out;
}

ModuleFile::ModuleFile() : d(std::make_shared<Data>()) {}

ModuleFile ModuleFile::fromBytes(const QByteArray& bytes, const ModuleLimits& limits) {
    ModuleFile file;
    file.d->limits = limits;
    file.d->bytes = bytes;
    file.d->open();
    return file;
}

ModuleFile ModuleFile::open(const QString& path, const ModuleLimits& limits) {
    const QFileInfo info(path);
    ModuleFile file;
    file.d->limits = limits;
    if (info.exists() && info.isFile() && info.size() > limits.fileBytes) {
        file.d->refuse(Status::TooLarge, tooLargeText(limits.fileBytes));
        return file;
    }
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        file.d->refuse(
            Status::Unreadable,
            QStringLiteral("This module file cannot be read: %1.").arg(in.errorString()));
        return file;
    }
    // The file may grow after the size was taken: read one byte past the limit.
    const QByteArray bytes = in.read(limits.fileBytes + 1);
    if (in.error() != QFileDevice::NoError) {
        file.d->refuse(
            Status::Unreadable,
            QStringLiteral("This module file cannot be read: %1.").arg(in.errorString()));
        return file;
    }
    return fromBytes(bytes, limits);
}

ModuleFile::Status ModuleFile::status() const {
    return d->status;
}

QString ModuleFile::message() const {
    return d->message;
}

const ModuleInfo& ModuleFile::info() const {
    return d->info;
}

QStringList ModuleFile::entryNames() const {
    return d->names;
}

QList<int> ModuleFile::documentIds() const {
    return d->documentIds;
}

QByteArray ModuleFile::entry(const QString& name, bool* ok, QString* why) const {
    bool read = false;
    QByteArray bytes = readEntry(*d, name, &read, why);
    if (ok)
        *ok = read;
    return bytes;
}

QByteArray ModuleFile::document(int localId, bool* ok, QString* why) const {
    return entry(ModuleEntry::Document(localId), ok, why);
}

// --- Writing ----------------------------------------------------------------

QString modulePaperStamp(const ModulePaper& paper) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const ModuleQuestion& question : paper.questions) {
        hash.addData(QByteArray(QByteArray::number(question.id) + "\n"));
        for (const ModuleBlank& blank : question.blanks)
            hash.addData((blank.key + QLatin1Char('\t') + blank.kind + QLatin1Char('\t') +
                          QString::number(blank.mark) + QLatin1Char('\n'))
                             .toUtf8());
        hash.addData(QByteArray(QByteArray::number(question.document.size()) + "\n"));
        hash.addData(question.document);
    }
    return QString::fromLatin1(hash.result().toHex().left(16));
}

QByteArray moduleInfoText(const ModuleSource& source) {
    QStringList stamps;
    for (const ModulePaper& paper : source.papers)
        stamps << modulePaperStamp(paper);
    const int topics = int(source.topicNames.size());
    QStringList lines{QStringLiteral("#FMT#>1"),
                      QStringLiteral("#MID#>") + source.mid,
                      QStringLiteral("#VER#>%1").arg(source.version),
                      QStringLiteral("#HED#>") + source.heading,
                      QStringLiteral("#TT#>%1").arg(topics),
                      QStringLiteral("#TP#>%1").arg(source.papers.size()),
                      QStringLiteral("#TN#>") + source.topicNames.join(QLatin1Char('>')),
                      QStringLiteral("#PS#>") + stamps.join(QLatin1Char('>'))};
    if (!source.author.isEmpty())
        lines << QStringLiteral("#AUT#>") + source.author;
    return recordLinesText(lines);
}

QByteArray moduleTableText(const ModuleSource& source, const char* entryName) {
    const QString name = QLatin1String(entryName);
    if (name == QLatin1String(ModuleEntry::Info))
        return moduleInfoText(source);
    QStringList lines;
    for (int p = 0; p < source.papers.size(); ++p) {
        const ModulePaper& paper = source.papers.at(p);
        if (name == QLatin1String(ModuleEntry::Papers)) {
            QStringList ids;
            for (const ModuleQuestion& question : paper.questions)
                ids << QString::number(question.id);
            lines << buildRecordLine(QString::number(101 + p), ids);
            continue;
        }
        for (const ModuleQuestion& question : paper.questions) {
            QStringList fields;
            for (const ModuleBlank& blank : question.blanks) {
                if (name == QLatin1String(ModuleEntry::Keys))
                    fields << blank.key;
                else if (name == QLatin1String(ModuleEntry::Kinds))
                    fields << blank.kind;
                else if (name == QLatin1String(ModuleEntry::Marks))
                    fields << QString::number(blank.mark);
                else
                    fields << blank.check;
            }
            lines << buildRecordLine(QString::number(question.id), fields);
        }
    }
    return recordLinesText(lines);
}

QByteArray packZipEntries(const QList<QPair<QString, QByteArray>>& entries, QString* error) {
    auto fail = [&](const QString& why) {
        if (error)
            *error = QStringLiteral("The module file could not be packed: %1.").arg(why);
        return QByteArray();
    };
    ZipError zipError;
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &zipError.error);
    if (!buffer)
        return fail(zipError.text());
    zip_t* zip = zip_open_from_source(buffer, ZIP_TRUNCATE, &zipError.error);
    if (!zip) {
        zip_source_free(buffer);
        return fail(zipError.text());
    }
    zip_source_keep(buffer);
    // 1 January 2020, midnight, in the archive's own date format.
    constexpr zip_uint16_t FixedDate = ((2020 - 1980) << 9) | (1 << 5) | 1;
    for (const auto& [name, bytes] : entries) {
        zip_source_t* data =
            zip_source_buffer(zip, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        const zip_int64_t index =
            data ? zip_file_add(zip, name.toUtf8().constData(), data, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            if (data)
                zip_source_free(data);
            const QString why = QString::fromLocal8Bit(zip_strerror(zip));
            zip_discard(zip);
            zip_source_free(buffer);
            return fail(why);
        }
        zip_set_file_compression(zip, zip_uint64_t(index), ZIP_CM_DEFLATE, 9);
        zip_file_set_dostime(zip, zip_uint64_t(index), 0, FixedDate, 0);
        zip_file_set_external_attributes(zip, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX,
                                         zip_uint32_t(S_IFREG | 0644) << 16);
    }
    if (zip_close(zip) != 0) {
        const QString why = QString::fromLocal8Bit(zip_strerror(zip));
        zip_discard(zip);
        zip_source_free(buffer);
        return fail(why);
    }
    QByteArray out;
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_source_stat(buffer, &st) == 0 && (st.valid & ZIP_STAT_SIZE) &&
        zip_source_open(buffer) == 0) {
        out.resize(qsizetype(st.size));
        const zip_int64_t n = zip_source_read(buffer, out.data(), st.size);
        zip_source_close(buffer);
        if (n != zip_int64_t(st.size))
            out.clear();
    }
    zip_source_free(buffer);
    if (out.isEmpty())
        return fail(QStringLiteral("the packed bytes cannot be read back"));
    return out;
}

namespace {

// The first text of the source that a record cannot carry, or empty.
QString firstUncarriedText(const ModuleSource& source) {
    QStringList texts = QStringList{source.mid, source.heading, source.author} + source.topicNames;
    for (const ModulePaper& paper : source.papers) {
        for (const ModuleQuestion& question : paper.questions) {
            for (const ModuleBlank& blank : question.blanks)
                texts << blank.key << blank.kind << blank.check;
        }
    }
    for (const QString& text : std::as_const(texts)) {
        if (!isStorableText(text))
            return text;
    }
    return QString();
}

} // namespace

QByteArray writeModuleBytes(const ModuleSource& source, QString* error) {
    const QString uncarried = firstUncarriedText(source);
    if (!uncarried.isNull()) {
        if (error)
            *error = QStringLiteral("The module file could not be packed: \"%1\" holds a "
                                    "character a module cannot carry (\">\", \"#\", a line "
                                    "break or a letter outside Western European text).")
                         .arg(uncarried);
        return QByteArray();
    }
    QList<QPair<QString, QByteArray>> entries;
    for (const char* name : {ModuleEntry::Info, ModuleEntry::Papers, ModuleEntry::Keys,
                             ModuleEntry::Kinds, ModuleEntry::Marks, ModuleEntry::Checks})
        entries.append({QLatin1String(name), moduleTableText(source, name)});
    QMap<int, QByteArray> documents;
    for (const ModulePaper& paper : source.papers) {
        for (const ModuleQuestion& question : paper.questions)
            documents.insert(question.id, question.document);
    }
    for (auto it = documents.constBegin(); it != documents.constEnd(); ++it)
        entries.append({ModuleEntry::Document(it.key()), it.value()});
    return packZipEntries(entries, error);
}

bool writeModuleFile(const QString& path, const ModuleSource& source, QString* error) {
    const QByteArray bytes = writeModuleBytes(source, error);
    if (bytes.isEmpty())
        return false;
    const FileWriteOutcome written = writeFileAtomically(path, bytes);
    if (!written.ok() && error)
        *error = QStringLiteral("The module file %1 could not be written: %2.")
                     .arg(QFileInfo(path).fileName(), written.reason());
    return written.ok();
}
