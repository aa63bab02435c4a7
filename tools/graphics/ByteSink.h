#pragma once
// Little-endian byte writer for the image containers.

#include <QByteArray>
#include <QtGlobal>

class ByteSink {
public:
    void u8(quint8 v) { m_data.append(char(v)); }
    void u16(quint16 v) {
        u8(quint8(v & 0xFF));
        u8(quint8(v >> 8));
    }
    void u32(quint32 v) {
        u16(quint16(v & 0xFFFF));
        u16(quint16(v >> 16));
    }
    void i32(qint32 v) { u32(quint32(v)); }
    void bytes(const char* data, int size) { m_data.append(data, size); }
    void bytes(const QByteArray& data) { m_data.append(data); }
    int size() const { return int(m_data.size()); }
    const QByteArray& data() const { return m_data; }

private:
    QByteArray m_data;
};
