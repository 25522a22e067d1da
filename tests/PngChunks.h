#pragma once

// PNG files put together chunk by chunk, as a texture server may send them.
#include <QByteArray>
#include <QtEndian>

inline quint32 PngCrc(const QByteArray& bytes) {
    quint32 crc = 0xffffffffu;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

inline QByteArray BigEndian(quint32 value) {
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

// One chunk, its length and CRC right.
inline QByteArray PngChunk(const QByteArray& type, const QByteArray& data) {
    return BigEndian(quint32(data.size())) + type + data + BigEndian(PngCrc(type + data));
}

// `png` with `chunks` put in just before its first IDAT.
inline QByteArray WithChunks(const QByteArray& png, const QByteArray& chunks) {
    const qsizetype idat = png.indexOf("IDAT") - 4;
    return png.left(idat) + chunks + png.mid(idat);
}

// A compressed text chunk that inflates to `inflated` bytes.
inline QByteArray CompressedText(int inflated) {
    return PngChunk("zTXt",
                    QByteArray("Comment\0\0", 9) + qCompress(QByteArray(inflated, ' '), 9).mid(4));
}

// The chunks of `png` by type, in order, joined by spaces.
inline QByteArray PngChunkTypes(const QByteArray& png) {
    QByteArrayList types;
    for (qsizetype at = 8; at + 12 <= png.size();
         at += 12 + qsizetype(qFromBigEndian<quint32>(png.constData() + at))) {
        types << png.mid(at + 4, 4);
    }
    return types.join(' ');
}
