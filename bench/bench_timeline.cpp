// Painting the timeline at 1280x300 into an image: the example show, a generated show of 10,000
// steps, and the same going round a million times (a file of the largest kind, lasting years).
// Median and worst time a paint, and their ratio to a baseline measured in the same run: the
// same widget's frame painted with no show in it. The load average is printed beside each figure.
// Goals: the example under 4 ms a paint, the 10,000-step show under 16 ms.
#include "app/sequencedocument.h"
#include "app/sequencefile.h"
#include "app/timelineview.h"
#include "bench/loadaverages.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;

Sequence generated(int steps, int rounds)
{
    Sequence s;
    for (int p = 0; p < 6; ++p) {
        Pose pose{"Pose " + std::to_string(p), {}};
        for (int servo = 0; servo < poseServos; ++servo)
            pose.positions[size_t(servo)] = std::uint8_t((p * 41 + servo * 29) % 255);
        s.poses.push_back(pose);
    }
    for (int i = 0; i < steps; ++i)
        s.steps.push_back(
            {1 + i % 5, 100 + (i * 37) % 1900, (i * 53) % 700, Easing(i % int(easings.size()))});
    s.rounds = rounds;
    return s;
}

struct Figures
{
    double medianMs, worstMs;
};

// Paints the timeline of `sequence` `paints` times, the playhead moved a little each time, as
// during Play; also once at a quarter, zoomed in, scrolled.
Figures paint(const Sequence &sequence, int paints)
{
    SequenceDocument document;
    document.reset(sequence, QString());
    TimelineView view(document);
    view.resize(1280, 300);
    QImage image(1280, 300, QImage::Format_ARGB32_Premultiplied);
    std::vector<double> times;
    const std::int64_t shown = view.shownMs();
    for (int i = 0; i < paints; ++i) {
        view.setPlayhead(shown * i / paints);
        const auto began = Clock::now();
        view.render(&image);
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - began).count());
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int paints = argc > 2 ? std::max(1, std::atoi(argv[2])) : 200;
    const QString example =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/examples/wave.svseq");
    const SequenceFileRead read = readSequenceFile(example);
    if (!read.file) {
        std::fprintf(stderr, "%s\n", qPrintable(read.refusal));
        return 1;
    }
    const Figures baseline = paint(Sequence{{{"Home", {}}}, {}, 0, 1}, paints);
    std::printf("timeline paint at 1280x300, %d paints each; baseline (no show): median %.3f ms, "
                "worst %.3f ms; load %s\n",
                paints, baseline.medianMs, baseline.worstMs, loadAverages().c_str());
    const struct
    {
        const char *name;
        Sequence sequence;
        double goalMs;
    } shows[] = {{"example (wave.svseq)", read.file->sequence, 4},
                 {"10,000 steps", generated(10'000, 1), 16},
                 {"10,000 steps, a million rounds", generated(10'000, mostRounds), 16}};
    for (const auto &show : shows) {
        const Figures f = paint(show.sequence, paints);
        std::printf("%-32s median %7.3f ms (%5.1fx baseline)  worst %7.3f ms  goal %.0f ms: %s; "
                    "load %s\n",
                    show.name, f.medianMs, f.medianMs / baseline.medianMs, f.worstMs, show.goalMs,
                    f.worstMs < show.goalMs    ? "met"
                    : f.medianMs < show.goalMs ? "median met"
                                               : "missed",
                    loadAverages().c_str());
    }
    return 0;
}
