// Progress reports of a drawing and stopping it half way.

#include "engine/colour.h"
#include "engine/draw.h"
#include "engine/enginetest.h"

#include <utility>

using namespace orbelle;
using namespace orbelle::test;

TEST(DrawProgress, ReportsTheShareDoneAndStopsWhenAsked) {
    Canvas& canvas = sharedCanvas();
    DrawSettings s = plainSettings(); // 100001 dots
    for (const int pen : {1, 30}) {
        s.penWidth = pen;
        std::vector<std::pair<std::int64_t, std::int64_t>> reports;
        const DrawResult r = draw(s, canvas, [&](std::int64_t done, std::int64_t total) {
            reports.emplace_back(done, total);
            return true;
        });
        EXPECT_EQ(r.status, DrawStatus::Drawn);
        ASSERT_GE(reports.size(), 25u) << pen; // at least every 4096 dots
        // A thick pen paints after computing: its dots count twice.
        const std::int64_t total = pen == 1 ? 100001 : 200002;
        EXPECT_EQ(reports.front(), (std::pair<std::int64_t, std::int64_t>{0, total}));
        EXPECT_EQ(reports.back(), (std::pair<std::int64_t, std::int64_t>{total, total}));
        for (std::size_t k = 1; k < reports.size(); ++k) {
            EXPECT_LE(reports[k - 1].first, reports[k].first);
            EXPECT_EQ(reports[k].second, total);
        }
    }
    // Stopped before the first dot: the canvas holds the background only.
    s.backColorMode = 2;
    s.backColor = packRgb(7, 8, 9);
    const DrawResult stopped = draw(s, canvas, [](std::int64_t, std::int64_t) { return false; });
    EXPECT_EQ(stopped.status, DrawStatus::Cancelled);
    EXPECT_EQ(countColour(canvas, packRgb(7, 8, 9), 2000, 2000, 4000, 4000), 2001 * 2001);
    // Stopped half way through the painting of a thick pen.
    const DrawResult half =
        draw(s, canvas, [](std::int64_t done, std::int64_t total) { return done < total * 3 / 4; });
    EXPECT_EQ(half.status, DrawStatus::Cancelled);
}
