// What a card picture costs: drawing one face at the design size and at the sizes a scaled
// table asks for, a court card (the most drawing), all 52 faces at three times, and the card
// library's answer for a size it has already drawn (the cost of every later repaint).
#include "art/CardArt.h"
#include "support/GoogleBenchmarks.h"
#include "toolkit/CardLibrary.h"

#include <QGuiApplication>
#include <QPixmap>

#include <benchmark/benchmark.h>

namespace {

QSize times(QSize design, qreal scale)
{
    return QSize(qRound(design.width() * scale), qRound(design.height() * scale));
}

// A number card (pips and index) and a court card (the figures) at a scale.
void BM_DrawFace(benchmark::State &state, int suit, int rank, qreal scale)
{
    const QSize pixels = times(art::kCardSize, scale);
    for (auto _ : state)
        benchmark::DoNotOptimize(art::drawFace(suit, rank, pixels));
}
BENCHMARK_CAPTURE(BM_DrawFace, seven_at_1x, 3, 7, 1.0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DrawFace, seven_at_2_37x, 3, 7, 2.37)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DrawFace, king_at_1x, 2, 13, 1.0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DrawFace, king_at_2_37x, 2, 13, 2.37)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DrawFace, king_at_3x, 2, 13, 3.0)->Unit(benchmark::kMicrosecond);

void BM_DrawBackAndPack(benchmark::State &state)
{
    const qreal scale = 2.37;
    for (auto _ : state) {
        benchmark::DoNotOptimize(art::drawBack(times(art::kCardSize, scale)));
        benchmark::DoNotOptimize(art::drawPack(times(art::kPackSize, scale)));
    }
}
BENCHMARK(BM_DrawBackAndPack)->Unit(benchmark::kMicrosecond);

// Every face at three times, as after a resize to 3x with an empty cache.
void BM_DrawAllFacesAt3x(benchmark::State &state)
{
    const QSize pixels = times(art::kCardSize, 3);
    for (auto _ : state)
        for (int suit = 1; suit <= 4; ++suit)
            for (int rank = 1; rank <= 13; ++rank)
                benchmark::DoNotOptimize(art::drawFace(suit, rank, pixels));
}
BENCHMARK(BM_DrawAllFacesAt3x)->Unit(benchmark::kMillisecond);

// The same face and size asked again: a cache hit.
void BM_LibraryCacheHit(benchmark::State &state)
{
    const QSize logical = times(art::kCardSize, 2.37);
    benchmark::DoNotOptimize(CardLibrary::face(2, 13, logical, 1));
    for (auto _ : state)
        benchmark::DoNotOptimize(CardLibrary::face(2, 13, logical, 1));
}
BENCHMARK(BM_LibraryCacheHit);

// The first use of a design picture: the bitmap read from the resources and its corners
// rounded, as the start window's nine cards cost at start-up.
void BM_DesignPictureFirstUse(benchmark::State &state)
{
    for (auto _ : state) {
        const QImage bitmap(QStringLiteral(":/art/cards/hearts-13.bmp"), "BMP");
        benchmark::DoNotOptimize(QPixmap::fromImage(art::roundCorners(bitmap)));
    }
}
BENCHMARK(BM_DesignPictureFirstUse)->Unit(benchmark::kMicrosecond);

// The design picture at ratio 1 once loaded: what the start window's cards cost on a repaint.
void BM_LibraryDesignPicture(benchmark::State &state)
{
    benchmark::DoNotOptimize(CardLibrary::face(2, 13));
    for (auto _ : state)
        benchmark::DoNotOptimize(CardLibrary::face(2, 13));
}
BENCHMARK(BM_LibraryDesignPicture);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return runGoogleBenchmarks("card_art", argc, argv);
}
