// Prints what the word lists and the word pick cost. Figures only, no verdicts.
#include "EmbeddedWords.h"
#include "Module2.h"
#include "Module3.h"
#include "Module4.h"
#include "WordList.h"
#include "WordPick.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

template<typename Work>
double medianMicroseconds(int runs, Work work)
{
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        samples.push_back(static_cast<double>(timer.nsecsElapsed()) / 1000.0);
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

long heapInUse()
{
#ifdef __GLIBC__
    return static_cast<long>(mallinfo2().uordblks);
#else
    return -1;
#endif
}

} // namespace

int main()
{
    // The start-up fill of the 4- and 8-letter lists, on lists of the same shape.
    const long heapBefore = heapInUse();
    WordList words4(Shape4);
    WordList words8(Shape8);
    const double startupFill = medianMicroseconds(1, [&] {
        words4.fillFrom(embeddedWords4());
        words8.fillFrom(embeddedWords8());
    });
    const long heapAfter = heapInUse();
    std::printf("start-up fill (4 and 8 letters), first time: %8.1f us\n", startupFill);
    std::printf("start-up fill (4 and 8 letters), median:     %8.1f us\n", medianMicroseconds(51, [&] {
                    words4.fillFrom(embeddedWords4());
                    words8.fillFrom(embeddedWords8());
                }));
    if (heapBefore >= 0)
        std::printf("heap held by both lists:                     %8ld KiB\n", (heapAfter - heapBefore) / 1024);

    std::printf("fill on category click, 6 letters, median:   %8.1f us\n",
                medianMicroseconds(51, [] { Module3::FillWordList6(); }));
    std::printf("fill on category click, 10 letters, median:  %8.1f us\n",
                medianMicroseconds(51, [] { Module4::FillWordList10(); }));
    std::printf("fill on category click, 12 letters, median:  %8.1f us\n",
                medianMicroseconds(51, [] { Module2::FillWordList12(); }));

    // One word pick for every 10th millisecond of a day.
    constexpr int Readings = 8'640'000;
    volatile int sink = 0;
    QElapsedTimer timer;
    timer.start();
    for (int ms = 0; ms < 86'400'000; ms += 10)
        sink = sink + pickWordIndex(static_cast<float>(ms / 1000.0), 2497, 4, QLatin1Char(','));
    std::printf("word pick from a clock reading:              %8.1f ns each (%d readings)\n",
                static_cast<double>(timer.nsecsElapsed()) / Readings, Readings);
    return 0;
}
