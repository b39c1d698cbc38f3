#include "platform/changed_lines.h"
#include "platform/style_bytes.h"

#include <QRandomGenerator>
#include <QStringList>
#include <gtest/gtest.h>

using namespace tarvo;

namespace {

// Random line edits, some undoing earlier ones: the tracker must say "changed"
// exactly when the lines differ from the original.
TEST(ChangedLines, KnowsWhetherTheLinesDifferAfterAnyEdits) {
    QRandomGenerator rng(3);
    const QStringList words{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    for (int round = 0; round < 400; ++round) {
        QStringList base;
        for (int n = 1 + rng.bounded(8); n > 0; --n)
            base << words[rng.bounded(3)];
        QStringList text = base;
        ChangedLines changed;
        for (int step = 0; step < 12; ++step) {
            const int first = rng.bounded(int(text.size()));
            const int oldLast = first + rng.bounded(std::min(3, int(text.size()) - first));
            QStringList fresh; // what the lines first..oldLast become
            for (int n = 1 + rng.bounded(3); n > 0; --n)
                fresh << words[rng.bounded(3)];
            if (rng.bounded(3) == 0 && first < base.size()) // put the original lines back
                fresh = base.mid(first, oldLast - first + 1);
            text = text.mid(0, first) + fresh + text.mid(oldLast + 1);
            changed.replace(first, oldLast, first + int(fresh.size()) - 1, [&](int l, int b) {
                return b < base.size() && l < text.size() && text[l] == base[b];
            });
            ASSERT_EQ(changed.any(), text != base) << round << " " << step;
        }
    }
}

// Random inserts, removals and restyles checked against a plain vector.
TEST(StyleBytes, BehavesAsAVectorOfStylesAndHoldsNothingWhilePlain) {
    QRandomGenerator rng(5);
    StyleBytes styles;
    styles.reset(10);
    std::vector<quint8> model(10, 0);
    styles.insert(4, 3, 0);
    styles.remove(0, 2);
    model.erase(model.begin(), model.begin() + 2);
    model.insert(model.begin() + 2, 3, 0);
    EXPECT_TRUE(styles.isAllPlain());
    for (int step = 0; step < 3000; ++step) {
        const int size = int(model.size());
        const int pos = rng.bounded(size + 1), count = rng.bounded(6);
        const auto style = quint8(rng.bounded(3));
        switch (rng.bounded(3)) {
        case 0:
            styles.insert(pos, count, style);
            model.insert(model.begin() + pos, size_t(count), style);
            break;
        case 1:
            styles.remove(pos, count);
            model.erase(model.begin() + pos, model.begin() + std::min(size, pos + count));
            break;
        default:
            styles.set(pos, pos + count, style);
            std::fill(model.begin() + pos, model.begin() + std::min(size, pos + count), style);
        }
        ASSERT_EQ(styles.size(), int(model.size()));
        const int probe = rng.bounded(int(model.size()) + 1);
        ASSERT_EQ(styles.at(probe), probe < int(model.size()) ? model[size_t(probe)] : 0) << step;
    }
    std::vector<quint8> fromRuns(model.size(), 0);
    for (const StyleBytes::Run& r : styles.runs(0, styles.size()))
        std::fill(fromRuns.begin() + r.start, fromRuns.begin() + r.start + r.length, r.style);
    EXPECT_EQ(fromRuns, model);
}

} // namespace
