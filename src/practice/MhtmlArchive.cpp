#include "practice/MhtmlArchive.h"

bool MhtmlArchive::parse(const QByteArray&) {
    return fail(QStringLiteral("not ready"));
}
bool MhtmlArchive::load(const QString&) {
    return fail(QStringLiteral("not ready"));
}
const MhtmlPart* MhtmlArchive::root() const {
    return nullptr;
}
QString MhtmlArchive::rootHtml() const {
    return {};
}
int MhtmlArchive::findPart(const QString&, int) const {
    return -1;
}
QByteArray MhtmlArchive::decodeQuotedPrintable(const QByteArray& e) {
    return e;
}
QString MhtmlArchive::decodeText(const QByteArray& b, const QByteArray&) {
    return QString::fromLatin1(b);
}
bool MhtmlArchive::fail(const QString& m) {
    m_parts.clear();
    m_root = -1;
    m_error = m;
    return false;
}
void MhtmlArchive::resolveLocations(const QUrl&) {}
