#pragma once
// The store of numbered items that travels with the program. Items live under
// a content root with two folders: "store/" (tables, templates and question
// documents named by id, e.g. store/30000.txt, store/25016.mht) and
// "graphics/" (window graphics under their file names, ids 1..92).
// The built-in root is the Qt resource ":/content"; authors and tests may use a
// folder on disk with the same shape.

#include "core/AtomicWrite.h"
#include "core/ModuleFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

class ResourceStore {
public:
    static constexpr const char* BuiltInRoot = ":/content";
    explicit ResourceStore(QString contentRoot = QString::fromLatin1(BuiltInRoot));

    const QString& root() const { return m_root; }

    // A teacher's module served at slot 1 or 3: its tables (30000 + 10m +
    // 2..5, question ids mapped), templates for its paper count (30100 + 10m +
    // 1..6), its documents under the mapped ids and item 30000 with its
    // definition records merged in. False for slot 2 or a file not opened.
    bool attachModule(int slot, const ModuleFile& file);
    void detachModule(int slot);
    // The module at the slot, or nullptr.
    const ModuleFile* attachedModule(int slot) const;
    // Store id of local question q of the module at slot: 10000 + q in slot
    // 1, 15000 + q in slot 3.
    static int moduleQuestionItem(int slot, int localId);

    // Path of the item's file under the root, or empty when the id is absent.
    QString itemPath(int id) const;
    bool contains(int id) const;
    // Bytes of an item; ok is false when it is absent or unreadable.
    QByteArray itemBytes(int id, bool* ok = nullptr) const;
    // Every id present in the store, ascending.
    QList<int> ids() const;

    // How a written file has to survive a crash of the machine.
    enum class Durability {
        // Results: after a power cut the file holds the old bytes or the new
        // ones, never a part (flushed to the disk, then renamed into place).
        Durable,
        // Files made again whenever they are needed (graphics, scratch copies
        // of tables and documents): written in place without waiting for the
        // disk, which costs a flush per file. A file cut short by a crash is
        // replaced the next time it is needed.
        Scratch,
    };

    // What an extraction did. The numbers are the content tool's exit codes.
    enum class ExtractResult {
        Done = 0,
        UnknownType = 1, // a type other than "Custom"
        ItemAbsent = 2,  // no item of that id, or it cannot be read
        WriteFailed = 3, // a missing folder or an unwritable file
    };

    // Copies item id of type "Custom" to path, replacing what the file held.
    // For WriteFailed, *why (when given) says what the system refused.
    ExtractResult ExtractResource(int id, const QString& type, const QString& path,
                                  Durability durability = Durability::Durable,
                                  FileWriteOutcome* why = nullptr) const;

private:
    struct Attached;
    QByteArray moduleItem(int id, bool* found) const;
    QByteArray itemBytesOnDisk(int id, bool* ok) const;

    QString m_root;
    // Shared between copies; a change of attachment makes a new one.
    std::shared_ptr<const Attached> m_modules;
};
