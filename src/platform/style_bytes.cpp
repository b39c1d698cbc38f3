#include "style_bytes.h"

#include <algorithm>
#include <cstring>

namespace tarvo {

quint8 StyleBytes::at(int pos) const {
    if (m_buf.isEmpty() || pos < 0 || pos >= m_size)
        return 0;
    return quint8(m_buf.at(index(pos)));
}

void StyleBytes::reset(int size) {
    m_buf = QByteArray();
    m_size = size;
    m_gapStart = m_gapEnd = 0;
}

void StyleBytes::set(int from, int to, quint8 style) {
    from = std::clamp(from, 0, m_size);
    to = std::clamp(to, from, m_size);
    if (from == to || (m_buf.isEmpty() && style == 0))
        return;
    if (m_buf.isEmpty())
        allocate();
    char* data = m_buf.data();
    for (int pos = from; pos < to; ++pos)
        data[index(pos)] = char(style);
}

void StyleBytes::insert(int pos, int count, quint8 style) {
    pos = std::clamp(pos, 0, m_size);
    if (count <= 0)
        return;
    if (m_buf.isEmpty()) {
        if (style == 0) {
            m_size += count;
            return;
        }
        allocate();
    }
    moveGap(pos);
    if (gapLength() < count)
        makeGap(count);
    std::memset(m_buf.data() + m_gapStart, style, size_t(count));
    m_gapStart += count;
    m_size += count;
}

void StyleBytes::remove(int pos, int count) {
    pos = std::clamp(pos, 0, m_size);
    count = std::clamp(count, 0, m_size - pos);
    if (count == 0)
        return;
    if (!m_buf.isEmpty()) {
        moveGap(pos);
        m_gapEnd += count;
    }
    m_size -= count;
}

QVector<StyleBytes::Run> StyleBytes::runs(int from, int to) const {
    QVector<Run> out;
    from = std::clamp(from, 0, m_size);
    to = std::clamp(to, from, m_size);
    if (m_buf.isEmpty())
        return out;
    for (int pos = from; pos < to;) {
        const quint8 style = at(pos);
        int end = pos + 1;
        while (end < to && at(end) == style)
            ++end;
        if (style != 0)
            out.append({pos - from, end - pos, style});
        pos = end;
    }
    return out;
}

void StyleBytes::allocate() {
    m_buf = QByteArray(m_size, '\0');
    m_gapStart = m_gapEnd = m_size;
}

void StyleBytes::moveGap(int pos) {
    char* data = m_buf.data();
    if (pos < m_gapStart) {
        const int n = m_gapStart - pos;
        std::memmove(data + m_gapEnd - n, data + pos, size_t(n));
        m_gapStart -= n;
        m_gapEnd -= n;
    } else if (pos > m_gapStart) {
        const int n = pos - m_gapStart;
        std::memmove(data + m_gapStart, data + m_gapEnd, size_t(n));
        m_gapStart += n;
        m_gapEnd += n;
    }
}

// Grows the gap by at least `count` and by a share of the text, so that a run
// of inserts costs amortised constant time each.
void StyleBytes::makeGap(int count) {
    const int extra = std::max(count, std::max(64, m_size / 8));
    const int tail = int(m_buf.size()) - m_gapEnd;
    m_buf.resize(m_buf.size() + extra);
    char* data = m_buf.data();
    std::memmove(data + m_gapEnd + extra, data + m_gapEnd, size_t(tail));
    m_gapEnd += extra;
}

} // namespace tarvo
