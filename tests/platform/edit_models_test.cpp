#include "platform/changed_lines.h"
#include "platform/style_bytes.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

using namespace tarvo;

namespace {

// Random edits against a plain vector: the gap buffer must answer exactly as the vector does,
// also for positions and ranges outside the text.
TEST(StyleBytes, AgreesWithAPlainVectorThroughRandomEdits) {
    std::mt19937 rng(7);
    const auto pick = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(rng);
    };
    StyleBytes bytes;
    std::vector<quint8> model;
    for (int step = 0; step < 3000; ++step) {
        const int n = int(model.size());
        const int from = pick(-2, n + 2), to = pick(-2, n + 2), count = pick(-1, 70);
        const quint8 style = quint8(pick(0, 3));
        const int a = std::clamp(from, 0, n), b = std::clamp(to, a, n);
        switch (pick(0, 9)) {
        case 0:
            bytes.reset(count < 0 ? 0 : count);
            model.assign(size_t(std::max(count, 0)), 0);
            break;
        case 1:
        case 2:
            bytes.remove(from, count);
            model.erase(model.begin() + a,
                        model.begin() + std::clamp(a + std::max(count, 0), a, n));
            break;
        case 3:
        case 4:
            bytes.insert(from, count, style);
            model.insert(model.begin() + a, size_t(std::max(count, 0)), style);
            break;
        case 5:
            bytes.transform(a, b, [](quint8 s) { return quint8(s == 2 ? 3 : s); });
            std::replace(model.begin() + a, model.begin() + b, quint8(2), quint8(3));
            break;
        default:
            bytes.set(from, to, style);
            std::fill(model.begin() + a, model.begin() + b, style);
        }
        ASSERT_EQ(bytes.size(), int(model.size())) << "step " << step;
        const int m = int(model.size());
        for (int pos = -1; pos <= m; ++pos)
            ASSERT_EQ(bytes.at(pos), pos < 0 || pos == m ? 0 : model[size_t(pos)])
                << step << " " << pos;
        if (std::any_of(model.begin(), model.end(), [](quint8 s) { return s != 0; })) {
            ASSERT_FALSE(bytes.isAllPlain());
        }
        const int ra = std::clamp(from, 0, m), rb = std::clamp(to, ra, m);
        std::vector<quint8> shown(size_t(rb - ra), 0);
        for (const StyleBytes::Run& r : bytes.runs(from, to))
            std::fill_n(shown.begin() + r.start, r.style ? r.length : 0, r.style);
        ASSERT_EQ(shown, std::vector<quint8>(model.begin() + ra, model.begin() + rb)) << step;
    }
}

// Random line replacements, often putting the original lines back: the stretches must map every
// line outside them onto an equal original line, and vanish exactly when the texts are equal.
TEST(ChangedLines, StretchesDescribeTheDifferenceThroughRandomEdits) {
    std::mt19937 rng(11);
    const auto pick = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(rng);
    };
    const std::vector<char> base = {'a', 'b', 'a', 'c', 'b', 'a', 'a', 'c', 'b', 'a', 'b', 'c'};
    std::vector<char> text = base;
    ChangedLines changed;
    const auto same = [&](int line, int baseLine) {
        return text.at(size_t(line)) == base.at(size_t(baseLine));
    };
    for (int step = 0; step < 4000; ++step) {
        const int n = int(text.size());
        const int first = pick(0, n - 1), oldLast = std::min(n - 1, first + pick(0, 3));
        std::vector<char> lines;
        if (pick(0, 2) == 0 && n == int(base.size())) // put the original back
            lines.assign(base.begin() + first, base.begin() + oldLast + 1);
        else
            for (int k = pick(1, n > 20 ? 3 : 5); k > 0; --k)
                lines.push_back(char('a' + pick(0, 2)));
        text.erase(text.begin() + first, text.begin() + oldLast + 1);
        text.insert(text.begin() + first, lines.begin(), lines.end());
        changed.replace(first, oldLast, first + int(lines.size()) - 1, same);

        ASSERT_EQ(changed.any(), text != base) << "step " << step;
        int line = 0, baseLine = 0;
        for (const ChangedLines::Stretch& s : changed.stretches()) {
            ASSERT_GT(s.first, line - (line == 0 ? 1 : 0)) << "stretches stay apart, step " << step;
            ASSERT_EQ(s.first - line, s.baseFirst - baseLine) << "step " << step;
            for (; line < s.first; ++line, ++baseLine)
                ASSERT_EQ(text[size_t(line)], base[size_t(baseLine)]) << step << " " << line;
            ASSERT_GE(s.count, 0);
            ASSERT_GE(s.baseCount, 0);
            line = s.end();
            baseLine = s.baseEnd();
        }
        ASSERT_EQ(int(text.size()) - line, int(base.size()) - baseLine) << "step " << step;
        for (; line < int(text.size()); ++line, ++baseLine)
            ASSERT_EQ(text[size_t(line)], base[size_t(baseLine)]) << step << " " << line;
        if (step % 97 == 0) { // saved: the text becomes the original
            text = base;
            changed.reset();
        }
    }
}

} // namespace
