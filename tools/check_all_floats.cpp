// Checks formatFloat against the reference for every 32-bit float bit
// pattern, widened to double by the ordinary conversion (exact for every
// number; the conversion makes signalling NaNs quiet).
//
// The reference is referenceFloatForm from the test support: the exact
// decimal expansion by big-integer arithmetic (m * 2^e as the integer
// m * 5^-e shifted by -e decimal places, or m * 2^e itself), then the
// roundings to 17 and to 6 digits done on the text. Nothing in it is
// approximate, and it shares no code with formatFloat. It is fast enough
// for all floats because their expansions are short: a float is m * 2^e
// with m < 2^24 and e >= -149, so at most 112 significant digits.
//
// Each pattern with the sign bit clear is checked together with its negation;
// the reference form of -v is "-" followed by that of v for every number but
// zero, so that form is computed once for both, which halves the run.
//
// Usage: check_all_floats [first last]   (patterns with the sign bit clear,
// decimal or 0x hex, each checked in both signs; by default 0 to 0x7fffffff,
// which is all 2^32). Exits with status 1 on any mismatch.

#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "support/float_reference.h"
#include "writer/format_float.h"

namespace {

constexpr std::uint64_t kChunk = 1 << 16;
constexpr std::uint32_t kSignBit = 0x80000000;
constexpr std::size_t kMismatchesShown = 10;

struct Mismatch {
    std::uint32_t bits;
    std::string actual;
    std::string expected;
};

class Checker {
public:
    Checker(std::uint64_t first, std::uint64_t last) : first_(first), last_(last) {}

    void run() {
        char text[grelvin::kFloatTextCapacity];
        for (;;) {
            const std::uint64_t start = first_ + kChunk * nextChunk_.fetch_add(1);
            if (start > last_) {
                return;
            }
            const std::uint64_t end = std::min(last_, start + kChunk - 1);
            std::uint64_t mismatches = 0;
            for (std::uint64_t bits = start; bits <= end; ++bits) {
                const auto pattern = static_cast<std::uint32_t>(bits);
                const std::string expected = grelvin::referenceFloatForm(widen(pattern));
                mismatches += check(pattern, expected, text);
                // The form of -v is "-" and the form of v, for any number but zero.
                const std::uint32_t negated = pattern | kSignBit;
                const bool plainNumber = (pattern & 0x7F800000) != 0x7F800000 && pattern != 0;
                mismatches += check(
                    negated,
                    plainNumber ? "-" + expected : grelvin::referenceFloatForm(widen(negated)),
                    text);
            }
            mismatches_ += mismatches;
            checked_ += 2 * (end - start + 1);
        }
    }

    std::uint64_t checked() const { return checked_; }
    std::uint64_t mismatches() const { return mismatches_; }

    std::vector<Mismatch> firstMismatches() {
        const std::lock_guard lock(mutex_);
        return shown_;
    }

private:
    static double widen(std::uint32_t bits) { return std::bit_cast<float>(bits); }

    std::uint64_t check(std::uint32_t bits, const std::string& expected, char* text) {
        const std::string_view actual(text, grelvin::formatFloat(widen(bits), text));
        if (actual == expected) {
            return 0;
        }
        record({bits, std::string(actual), expected});
        return 1;
    }

    void record(Mismatch mismatch) {
        const std::lock_guard lock(mutex_);
        if (shown_.size() < kMismatchesShown) {
            shown_.push_back(std::move(mismatch));
        }
    }

    const std::uint64_t first_;
    const std::uint64_t last_;
    std::atomic<std::uint64_t> nextChunk_{0};
    std::atomic<std::uint64_t> checked_{0};
    std::atomic<std::uint64_t> mismatches_{0};
    std::mutex mutex_;
    std::vector<Mismatch> shown_;
};

std::string hex(std::uint32_t bits) {
    constexpr char kDigits[] = "0123456789abcdef";
    std::string text = "0x00000000";
    for (std::size_t i = 9; i >= 2; --i) {
        text[i] = kDigits[bits & 0xF];
        bits >>= 4;
    }
    return text;
}

bool parseBits(const char* text, std::uint64_t& bits) {
    char* end = nullptr;
    bits = std::strtoull(text, &end, 0);
    return end != text && *end == '\0' && bits < kSignBit;
}

}  // namespace

int main(int argc, char** argv) {
    std::uint64_t first = 0;
    std::uint64_t last = kSignBit - 1;
    if (argc == 3) {
        if (!parseBits(argv[1], first) || !parseBits(argv[2], last) || first > last) {
            std::cerr << "check_all_floats: bad range\n";
            return 2;
        }
    } else if (argc != 1) {
        std::cerr << "usage: check_all_floats [first last]\n";
        return 2;
    }
    const std::uint64_t total = 2 * (last - first + 1);
    const unsigned threadCount = std::max(1u, std::thread::hardware_concurrency());
    std::cout << "checking " << total << " float bit patterns on " << threadCount << " threads"
              << std::endl;

    const auto started = std::chrono::steady_clock::now();
    const auto elapsedSeconds = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    };
    Checker checker(first, last);
    std::vector<std::thread> threads;
    for (unsigned i = 0; i < threadCount; ++i) {
        threads.emplace_back([&checker] { checker.run(); });
    }
    auto nextReport = started + std::chrono::seconds(30);
    while (checker.checked() < total) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        if (std::chrono::steady_clock::now() >= nextReport) {
            nextReport += std::chrono::seconds(30);
            const std::uint64_t checked = checker.checked();
            std::cout << "progress: " << checked << " / " << total << " ("
                      << static_cast<double>(checked) * 100.0 / static_cast<double>(total) << "%), "
                      << checker.mismatches() << " mismatches, " << elapsedSeconds() << " s"
                      << std::endl;
        }
    }
    for (std::thread& thread : threads) {
        thread.join();
    }

    for (const Mismatch& mismatch : checker.firstMismatches()) {
        std::cout << "mismatch " << hex(mismatch.bits) << ": got \"" << mismatch.actual
                  << "\", expected \"" << mismatch.expected << "\"\n";
    }
    std::cout << "checked " << checker.checked() << " float bit patterns, " << checker.mismatches()
              << " mismatches, " << elapsedSeconds() << " s" << std::endl;
    return checker.mismatches() == 0 ? 0 : 1;
}
