// Reads a 16-bit PCM WAV file (as FluidSynth renders it) and checks that it lasts as long as
// asked and sounds for most of that time.
//   veldrun_wav_level <file.wav> <min seconds> <max seconds> <min sounding share, 0..1>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::uint32_t le32(const unsigned char* p)
{
    return p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24;
}
std::uint16_t le16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

int fail(const char* why)
{
    std::fprintf(stderr, "%s\n", why);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5)
        return fail("usage: veldrun_wav_level <file.wav> <min seconds> <max seconds> <min sounding share>");
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in),
                                           std::istreambuf_iterator<char>()};
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
        return fail("not a RIFF WAVE file");

    int channels = 0, bits = 0, format = 0;
    std::uint32_t rate = 0;
    const unsigned char* samples = nullptr;
    std::size_t sampleBytes = 0;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::uint32_t size = le32(&bytes[at + 4]);
        const unsigned char* body = &bytes[at + 8];
        const std::size_t available = std::min<std::size_t>(size, bytes.size() - at - 8);
        if (std::memcmp(&bytes[at], "fmt ", 4) == 0 && available >= 16) {
            format = le16(body);
            channels = le16(body + 2);
            rate = le32(body + 4);
            bits = le16(body + 14);
        } else if (std::memcmp(&bytes[at], "data", 4) == 0) {
            samples = body;
            sampleBytes = available;
        }
        at += 8 + size + (size & 1);
    }
    if ((format != 1 && format != 0xFFFE) || bits != 16 || channels < 1 || rate == 0 || !samples)
        return fail("not 16-bit PCM, or no data");

    const std::size_t frames = sampleBytes / (2u * channels);
    const double seconds = static_cast<double>(frames) / rate;
    // Share of whole seconds whose level is above -50 dBFS.
    std::size_t windows = 0, sounding = 0;
    int peak = 0;
    for (std::size_t start = 0; start + rate <= frames; start += rate, ++windows) {
        double sum = 0;
        for (std::size_t f = start; f < start + rate; ++f)
            for (int c = 0; c < channels; ++c) {
                const auto v = static_cast<std::int16_t>(le16(samples + 2 * (f * channels + c)));
                sum += double(v) * v;
                peak = std::max(peak, std::abs(int(v)));
            }
        const double rms = std::sqrt(sum / (double(rate) * channels)) / 32768.0;
        if (rms > std::pow(10.0, -50.0 / 20.0))
            ++sounding;
    }
    const double share = windows ? double(sounding) / windows : 0;
    std::printf("%s: %.1f s, peak %d, sounding %.0f%% of the seconds\n", argv[1], seconds, peak, 100 * share);
    if (seconds < std::atof(argv[2]) || seconds > std::atof(argv[3]))
        return fail("length out of range");
    if (share < std::atof(argv[4]))
        return fail("silent for too long");
    return 0;
}
