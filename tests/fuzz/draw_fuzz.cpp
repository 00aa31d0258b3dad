// Fuzz target: draws any record the settings line reader accepts. The input
// overwrites the 68 fields of the start-up record, four little-endian bytes a
// field, as far as it reaches; the record then goes through a history line and
// its reader, so exactly the records a store can hand the engine are drawn.
// The dot count r0 is brought into -1..4 (at most 2,000 dots) so that each run
// takes milliseconds; everything else is drawn as read, then the view's square
// is cut and stretched to a small picture.

#include "engine/draw.h"
#include "engine/sourcesquare.h"
#include "engine/stretch.h"
#include "fuzz/fuzzscratch.h"
#include "store/settingsline.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

using namespace orbelle;
using orbelle::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One canvas for every run: it is 6000 x 6000 pixels, and draw clears it.
    static const std::unique_ptr<Canvas> canvas = std::make_unique<Canvas>();

    auto fields = DrawSettings::startup().toFields();
    for (std::size_t k = 0; k < fields.size() && 4 * k + 4 <= size; ++k) {
        std::uint32_t word = 0;
        for (int b = 3; b >= 0; --b) {
            word = (word << 8) | data[4 * k + static_cast<std::size_t>(b)];
        }
        fields[k] = static_cast<std::int32_t>(word);
    }
    constexpr int kRowZero = 2; // field of r0
    if (fields[kRowZero] < -1 || fields[kRowZero] > 4) {
        fields[kRowZero] =
            static_cast<std::int32_t>(static_cast<std::uint32_t>(fields[kRowZero]) % 6u) - 1;
    }

    const std::string line = formatLine(LineVariant::History, DrawSettings::fromFields(fields));
    const std::optional<DrawSettings> record =
        settingsFromLine(parseLine(line), LineVariant::History);
    if (!record) {
        return 0;
    }
    const DrawResult result = draw(*record, *canvas);
    if (result.status == DrawStatus::Drawn) {
        const SourceSquare square = sourceSquare(result.bounds, record->zoom);
        const std::vector<std::uint32_t> picture = stretchSquare(*canvas, square, 64);
        require(picture.size() == 64u * 64u);
    }
    return 0;
}
