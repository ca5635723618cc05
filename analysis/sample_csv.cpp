#include "analysis/sample_csv.h"

#include "toolkit/float_chars.h"

#include <algorithm>
#include <array>

namespace signova {
namespace {

void Append(std::string& text, double value) {
    std::array<char, 32> digits{};
    const auto result = DoubleToChars(digits.data(), digits.data() + digits.size(), value);
    text.append(digits.data(), result.ptr);
}

} // namespace

std::string SamplesCsv(const RecordedSamples& samples) {
    std::string text = "n,input,output\n";
    const std::size_t count = std::min(samples.input.size(), samples.output.size());
    text.reserve(text.size() + count * 20);
    for (std::size_t n = 0; n < count; ++n) {
        text += std::to_string(n);
        text += ',';
        Append(text, samples.input[n]);
        text += ',';
        Append(text, samples.output[n]);
        text += '\n';
    }
    return text;
}

} // namespace signova
