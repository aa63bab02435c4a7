#pragma once
// A web archive (multipart/related, RFC 2557) read into memory: its parts
// decoded, the root HTML part found, and references from the HTML resolved to
// parts by Content-Location, by Content-ID (cid:) or, as a last resort, by the
// bare file name. Reading never throws and never trusts the input: anything
// malformed, truncated or too large gives false with an error text.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>
#include <functional>

struct MhtmlPart {
    QByteArray mimeType;   // lower case, e.g. "text/html"; empty when absent
    QByteArray charset;    // lower case, from the Content-Type parameter
    QString location;      // Content-Location as written
    QUrl resolvedLocation; // absolute when it could be resolved
    QString contentId;     // without the angle brackets
    QByteArray body;       // after the transfer decoding
};

class MhtmlArchive {
public:
    static constexpr qint64 MaxArchiveBytes = 64 * 1024 * 1024;
    static constexpr int MaxParts = 4096;
    static constexpr int MaxHeaderBytes = 64 * 1024;

    // Replaces what the archive held. False (with errorString()) on failure,
    // and then the archive is empty.
    bool parse(const QByteArray& bytes);
    bool load(const QString& path);

    bool isEmpty() const { return m_parts.isEmpty(); }
    const QString& errorString() const { return m_error; }
    const QList<MhtmlPart>& parts() const { return m_parts; }
    int rootIndex() const { return m_root; }
    const MhtmlPart* root() const;
    // The root part's HTML as text, decoded with its charset.
    QString rootHtml() const;

    // The worked solution of a question travels as one more HTML part whose
    // location names the file "working.html". Its index, or -1 when the
    // document has none (the root page itself never counts).
    int workingIndex() const;
    bool hasWorking() const { return workingIndex() >= 0; }
    // That part's HTML as text; empty when there is none.
    QString workingHtml() const;

    // Index of the part a reference written in part `from` points to, or -1.
    // Tried in order: cid:, the reference resolved against the part's
    // location, the reference as written, then the file name alone.
    int findPart(const QString& reference, int from = -1) const;

    // The text of an HTML or CSS part with every reference that leads to a
    // part of this archive replaced by urlOf(that part's index).
    QString linkedText(int index, const std::function<QString(int)>& urlOf) const;

    static QByteArray decodeQuotedPrintable(const QByteArray& encoded);
    // Text of a part body in the named charset; unknown or missing charsets
    // fall back to UTF-8 when the bytes are valid UTF-8, else Latin-1.
    static QString decodeText(const QByteArray& bytes, const QByteArray& charset);

private:
    bool fail(const QString& message);
    void resolveLocations(const QUrl& archiveBase);

    QList<MhtmlPart> m_parts;
    int m_root = -1;
    QString m_error;
};
