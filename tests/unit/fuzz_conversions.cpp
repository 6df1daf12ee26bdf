// libFuzzer target over every conversion of settings text. Besides "no crash
// and no sanitizer report" it checks the properties the program relies on.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/backdrop_opacity.h"
#include "settings/ansi_path.h"
#include "settings/conversions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const std::string folded = settings::FoldFullWidth(text);
    if (folded.size() > text.size()) std::abort();
    // Folding is idempotent: its output holds no foldable pair any more
    // (a lone trailing lead byte is gone too).
    if (settings::FoldFullWidth(folded) != folded) std::abort();

    (void)settings::TextToInt(text);
    const double number = settings::TextToNumber(text);
    if (std::isnan(number)) std::abort();

    const std::int32_t opacity = BackdropOpacityFromText(text);
    if (opacity < 0 || opacity > 255) std::abort();

    (void)settings::IsYes(text);
    (void)settings::ColourFromName(text);

    const std::size_t cut = settings::FindLastBackslash(text);
    if (cut != std::string_view::npos && (cut >= text.size() || text[cut] != '\\')) std::abort();
    const std::string directory = settings::DirectoryOf(text);
    if (directory.size() > text.size()) std::abort();
    return 0;
}
