#pragma once
// Takes a fuzzer's bytes apart: small numbers from the front, then text.

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A property every input must keep; a broken one stops the run like a crash.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "fuzz check failed at line %d: %s\n", __LINE__, #condition);      \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size)
        : m_bytes(reinterpret_cast<const char*>(data), qsizetype(size)) {}

    // A number in 0..limit-1 from the next byte (0 once the bytes run out).
    int numberBelow(int limit) {
        if (m_at >= m_bytes.size() || limit <= 0)
            return 0;
        return int(static_cast<unsigned char>(m_bytes.at(m_at++))) % limit;
    }
    // Everything not taken yet.
    QByteArray rest() const { return m_bytes.mid(m_at); }

private:
    QByteArray m_bytes;
    qsizetype m_at = 0;
};
