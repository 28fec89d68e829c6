// SPDX-License-Identifier: GPL-3.0-or-later
// skin_parse_bench [ROUNDS]
//
// Reads a stored skin copy (249,097 bytes) into a skin::Skin, and copies the
// same bytes, in the same run: a QByteArray deep copy (allocation and copy,
// as reading allocates too) and a memcpy into a buffer allocated once. Each
// round times a batch of each, interleaved; the medians are reported, and the
// ratio of reading to the deep copy is checked against the target of 10.
#include "skin/skinreader.h"
#include "skin/storedskin.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int BatchSize = 50;
constexpr double Target = 10.0;

template <typename F> double nanosecondsPerCall(F &&call) {
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < BatchSize; ++i)
        call();
    return double(timer.nsecsElapsed()) / BatchSize;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 41;
    const QByteArray stream = skin::storedSkinStream(1);
    if (stream.size() != skin::StoredSkinSize) {
        std::fprintf(stderr, "skin_parse_bench: no stored skin copy\n");
        return 1;
    }
    std::vector<char> buffer(std::size_t(stream.size()));
    volatile qsizetype sink = 0;

    std::vector<double> parse, deepCopy, memCopy;
    for (int r = 0; r < rounds; ++r) {
        parse.push_back(nanosecondsPerCall([&] {
            const std::optional<skin::Skin> s = skin::readSkinStream(stream);
            sink = sink + (s ? s->images.size() : -1);
        }));
        deepCopy.push_back(nanosecondsPerCall([&] {
            const QByteArray copy(stream.constData(), stream.size());
            sink = sink + copy.size();
        }));
        memCopy.push_back(nanosecondsPerCall([&] {
            std::memcpy(buffer.data(), stream.constData(), buffer.size());
            sink = sink + buffer[std::size_t(r) % buffer.size()];
        }));
    }
    if (sink < 0) {
        std::fprintf(stderr, "skin_parse_bench: the stored copy does not read\n");
        return 1;
    }
    const double p = median(parse), c = median(deepCopy), m = median(memCopy);
    std::printf("stored skin copy: %lld bytes, %d rounds of %d calls\n",
                static_cast<long long>(stream.size()), rounds, BatchSize);
    std::printf("read into a skin:     %8.1f us\n", p / 1000);
    std::printf("QByteArray deep copy: %8.1f us\n", c / 1000);
    std::printf("memcpy:               %8.1f us\n", m / 1000);
    std::printf("ratio read / deep copy: %.2f (target at most %.0f)\n", p / c, Target);
    std::printf("ratio read / memcpy:    %.2f\n", p / m);
    return p / c <= Target ? 0 : 1;
}
