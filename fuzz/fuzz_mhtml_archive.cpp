// The web archive reader on arbitrary bytes: parsing, decoding, reference
// lookup, link rewriting and the spoken text never crash, and a parsed
// archive is consistent.

#include "FuzzInput.h"
#include "practice/MhtmlArchive.h"
#include "practice/SpokenQuestion.h"

namespace {} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const int charsetPick = input.numberBelow(6);
    const QByteArray bytes = input.rest();

    MhtmlArchive archive;
    if (archive.parse(bytes)) {
        FUZZ_CHECK(!archive.isEmpty());
        FUZZ_CHECK(archive.rootIndex() >= 0 && archive.rootIndex() < archive.parts().size());
        FUZZ_CHECK(archive.root() != nullptr);
        archive.rootHtml();
        SpokenQuestion::spokenTextOf(archive, true);
        for (int i = 0; i < archive.parts().size() && i < 16; ++i) {
            const MhtmlPart& part = archive.parts().at(i);
            const int found = archive.findPart(part.location, i);
            FUZZ_CHECK(found >= -1 && found < archive.parts().size());
            archive.findPart(QStringLiteral("cid:") + part.contentId, i);
            const QString linked = archive.linkedText(
                i, [](int index) { return QStringLiteral("part:%1").arg(index); });
            Q_UNUSED(linked);
        }
    } else {
        FUZZ_CHECK(archive.isEmpty() && !archive.errorString().isEmpty());
    }

    MhtmlArchive::decodeQuotedPrintable(bytes);
    static const QByteArray Charsets[] = {
        "", "utf-8", "iso-8859-1", "windows-1252", "us-ascii", "no-such-charset"};
    SpokenQuestion::fromHtml(MhtmlArchive::decodeText(bytes, Charsets[charsetPick]));
    return 0;
}
