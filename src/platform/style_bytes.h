#pragma once

#include <QByteArray>
#include <QVector>

namespace tarvo {

// One style number (0 = plain) per character of a text, in a gap buffer: an
// edit near the previous one costs as much as the edit, not the text. Nothing
// is held until a character gets a style other than plain.
class StyleBytes {
public:
    struct Run {
        int start;
        int length;
        quint8 style;
    };

    int size() const { return m_size; }
    bool isAllPlain() const { return m_buf.isEmpty(); }
    quint8 at(int pos) const;

    void reset(int size); // `size` plain characters
    void set(int from, int to, quint8 style);
    void insert(int pos, int count, quint8 style);
    void remove(int pos, int count);
    // Styles of characters from..to-1 as runs (starts relative to `from`);
    // plain characters give no run.
    QVector<Run> runs(int from, int to) const;
    // Calls f(style) -> style for every character from..to-1.
    template <typename F> void transform(int from, int to, F f);
    qsizetype bytesHeld() const { return m_buf.capacity(); }

private:
    int gapLength() const { return m_gapEnd - m_gapStart; }
    int index(int pos) const { return pos < m_gapStart ? pos : pos + gapLength(); }
    void allocate();
    void moveGap(int pos);
    void makeGap(int count);

    QByteArray m_buf;
    int m_size = 0;
    int m_gapStart = 0;
    int m_gapEnd = 0;
};

template <typename F> void StyleBytes::transform(int from, int to, F f) {
    for (int pos = from; pos < to; ++pos) {
        const quint8 old = at(pos);
        const quint8 now = f(old);
        if (now != old)
            set(pos, pos + 1, now);
    }
}

} // namespace tarvo
