#pragma once

#include <QByteArrayView>
#include <QtGlobal>

// A fast 64-bit fingerprint of a file's bytes, the same however the bytes are fed in: the
// database is fingerprinted whole when it is read and piece by piece while it is copied or
// written, and the two must agree. It tells an accidental change from none; it is no
// defence against a file made to collide.
class ContentHasher {
public:
    ContentHasher();
    void add(QByteArrayView bytes);
    quint64 result() const;
    qint64 size() const { return m_total; }

    static quint64 of(QByteArrayView bytes) {
        ContentHasher h;
        h.add(bytes);
        return h.result();
    }

private:
    void block(const uchar* p);

    quint64 m_lanes[4];
    uchar m_pending[32];
    int m_pendingSize = 0;
    qint64 m_total = 0;
};
