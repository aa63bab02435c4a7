// The module file reader and validator on arbitrary bytes: nothing crashes,
// a refusal always says why, and an opened module is consistent with itself.

#include "FuzzInput.h"
#include "core/ModuleCheck.h"
#include "core/ModuleFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    // Small limits now and then, so that every refusal is reached.
    ModuleLimits limits;
    if (input.numberBelow(2) == 1) {
        limits.entryBytes = 1 + input.numberBelow(64) * 64;
        limits.tableBytes = 1 + input.numberBelow(64) * 64;
        limits.entries = 1 + input.numberBelow(16);
    }
    const ModuleFile file = ModuleFile::fromBytes(input.rest(), limits);
    if (!file.ok()) {
        FUZZ_CHECK(!file.message().isEmpty());
        FUZZ_CHECK(checkModule(file).problems == QStringList{file.message()});
        return 0;
    }
    const ModuleInfo& info = file.info();
    FUZZ_CHECK(info.paperCount == 5 * info.topicCount);
    FUZZ_CHECK(info.topicNames.size() == info.topicCount);
    FUZZ_CHECK(info.paperStamps.size() == info.paperCount);
    for (int id : file.documentIds()) {
        bool ok = false;
        const QByteArray bytes = file.document(id, &ok);
        FUZZ_CHECK(ok || bytes.isEmpty());
    }
    const ModuleCheckResult check = checkModule(file, 50);
    FUZZ_CHECK(check.problems.size() <= 50);
    FUZZ_CHECK(check.notShown == 0 || check.problems.size() == 50);
    return 0;
}
