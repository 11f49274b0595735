#include "base/contenthash.h"

#include <QtEndian>

#include <cstring>

namespace {

constexpr quint64 kPrime1 = 0x9E3779B185EBCA87ull;
constexpr quint64 kPrime2 = 0xC2B2AE3D27D4EB4Full;
constexpr quint64 kPrime3 = 0x165667B19E3779F9ull;
constexpr quint64 kPrime4 = 0x85EBCA77C2B2AE63ull;
constexpr quint64 kPrime5 = 0x27D4EB2F165667C5ull;

inline quint64 rotateLeft(quint64 x, int bits) {
    return (x << bits) | (x >> (64 - bits));
}

inline quint64 word(const uchar* p) {
    quint64 w;
    memcpy(&w, p, 8);
    return qFromLittleEndian(w);
}

inline quint64 mixLane(quint64 lane, quint64 input) {
    return rotateLeft(lane + input * kPrime2, 31) * kPrime1;
}

inline quint64 mergeLane(quint64 acc, quint64 lane) {
    acc ^= mixLane(0, lane);
    return acc * kPrime1 + kPrime4;
}

} // namespace

ContentHasher::ContentHasher() : m_lanes{kPrime1 + kPrime2, kPrime2, 0, 0 - kPrime1} {}

void ContentHasher::block(const uchar* p) {
    m_lanes[0] = mixLane(m_lanes[0], word(p));
    m_lanes[1] = mixLane(m_lanes[1], word(p + 8));
    m_lanes[2] = mixLane(m_lanes[2], word(p + 16));
    m_lanes[3] = mixLane(m_lanes[3], word(p + 24));
}

void ContentHasher::add(QByteArrayView bytes) {
    if (bytes.isEmpty())
        return;
    const uchar* p = reinterpret_cast<const uchar*>(bytes.data());
    qsizetype n = bytes.size();
    m_total += n;
    if (m_pendingSize > 0) {
        const qsizetype take = qMin<qsizetype>(n, 32 - m_pendingSize);
        memcpy(m_pending + m_pendingSize, p, size_t(take));
        m_pendingSize += int(take);
        p += take;
        n -= take;
        if (m_pendingSize < 32)
            return;
        block(m_pending);
        m_pendingSize = 0;
    }
    for (; n >= 32; p += 32, n -= 32)
        block(p);
    if (n > 0)
        memcpy(m_pending, p, size_t(n));
    m_pendingSize = int(n);
}

quint64 ContentHasher::result() const {
    quint64 h = rotateLeft(m_lanes[0], 1) + rotateLeft(m_lanes[1], 7) + rotateLeft(m_lanes[2], 12) +
                rotateLeft(m_lanes[3], 18);
    for (quint64 lane : m_lanes)
        h = mergeLane(h, lane);
    h += quint64(m_total);
    const uchar* p = m_pending;
    int n = m_pendingSize;
    for (; n >= 8; p += 8, n -= 8)
        h = rotateLeft(h ^ mixLane(0, word(p)), 27) * kPrime1 + kPrime4;
    for (; n > 0; ++p, --n)
        h = rotateLeft(h ^ (quint64(*p) * kPrime5), 11) * kPrime1;
    h ^= h >> 33;
    h *= kPrime2;
    h ^= h >> 29;
    h *= kPrime3;
    h ^= h >> 32;
    return h;
}
