// Benchmarks of decoding, the headword scans and whole keystrokes, timed beside glibc memmem and memcpy on the same bytes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_texts.h"
#include "dictionary/article_text.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr size_t npos = std::u16string_view::npos;
constexpr size_t SyntheticBytes = size_t{200} << 20;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The units memmem looks for: the record prefix, the search text and, for an exact match, the closing bar.
std::u16string PatternOf(std::u16string_view search, HeadwordMatch match)
{
    std::u16string pattern = u"\n|";
    pattern += search;
    if (match == HeadwordMatch::Exact)
        pattern += u'|';
    return pattern;
}

// Headword offset of the first byte match of `pattern`; the setup checks that it agrees with FindHeadword.
size_t FindWithMemmem(std::u16string_view text, std::u16string_view pattern)
{
    const void* found = memmem(text.data(), text.size() * 2, pattern.data(), pattern.size() * 2);
    if (!found)
        return npos;
    return static_cast<size_t>(static_cast<const char*>(found) - reinterpret_cast<const char*>(text.data())) / 2 + 2;
}

// Runs `ours` and `baseline` in turn on every iteration, swapping which goes first, so that a busy neighbour
// or a change of clock weighs on both alike; the figures are taken over the totals of the whole run.
template <class Ours, class Baseline>
void TimeAgainst(benchmark::State& state, double bytes, Ours ours, Baseline baseline, bool ratioOfSpeeds)
{
    const auto timeOf = [](auto& run) {
        const Clock::time_point start = Clock::now();
        run();
        return SecondsSince(start);
    };
    double oursTotal = 0;
    double baselineTotal = 0;
    double oursBest = 1e30;
    double baselineBest = 1e30;
    bool baselineFirst = false;
    for (auto _ : state) {
        double oursSeconds = 0;
        double baselineSeconds = 0;
        if (baselineFirst) {
            baselineSeconds = timeOf(baseline);
            oursSeconds = timeOf(ours);
        } else {
            oursSeconds = timeOf(ours);
            baselineSeconds = timeOf(baseline);
        }
        baselineFirst = !baselineFirst;
        oursTotal += oursSeconds;
        baselineTotal += baselineSeconds;
        oursBest = std::min(oursBest, oursSeconds);
        baselineBest = std::min(baselineBest, baselineSeconds);
        state.SetIterationTime(oursSeconds);
    }
    // The fastest single run shows what the code can do when the machine leaves it alone.
    const double runs = static_cast<double>(state.iterations());
    state.counters["GBps"] = bytes * runs / oursTotal / 1e9;
    state.counters["baseGBps"] = bytes * runs / baselineTotal / 1e9;
    state.counters["ratio"] = ratioOfSpeeds ? baselineTotal / oursTotal : oursTotal / baselineTotal;
    state.counters["bestGBps"] = bytes / oursBest / 1e9;
    state.counters["baseBestGBps"] = bytes / baselineBest / 1e9;
}

using Finder = size_t (*)(std::u16string_view, std::u16string_view, HeadwordMatch, size_t);

size_t FindHeadwordFromStart(std::u16string_view text, std::u16string_view search, HeadwordMatch match, size_t from)
{
    return FindHeadword(text, search, match, from);
}

void RegisterScan(const BenchText& bench, const char* caseName, std::u16string_view search, HeadwordMatch match,
                  Finder find, const char* variant)
{
    const std::u16string_view text = bench.text;
    const std::u16string pattern = PatternOf(search, match);
    const size_t ours = find(text, search, match, 0);
    const size_t theirs = FindWithMemmem(text, pattern);
    const std::string name = bench.name + (match == HeadwordMatch::Prefix ? "/prefix/" : "/exact/") + caseName +
                             variant + " vs memmem";
    if (ours != theirs) {
        std::fprintf(stderr, "%s: FindHeadword gave %zu, memmem %zu\n", name.c_str(), ours, theirs);
        std::exit(1);
    }
    const double bytes = 2.0 * static_cast<double>(ours == npos ? text.size() : ours - 2 + pattern.size());
    benchmark::RegisterBenchmark(name.c_str(), [=, search = std::u16string(search)](benchmark::State& state) {
        TimeAgainst(
            state, bytes, [&] { benchmark::DoNotOptimize(find(text, search, match, 0)); },
            [&] { benchmark::DoNotOptimize(FindWithMemmem(text, pattern)); }, true);
    })->UseManualTime()->Unit(benchmark::kMicrosecond);
}

// How fast this machine reads the text at all: glibc's memchr for a byte value the text does not hold.
void RegisterReadSpeed(const BenchText& bench)
{
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(bench.text.data());
    const size_t size = bench.text.size() * 2;
    bool seen[256] = {};
    for (size_t i = 0; i < size; ++i)
        seen[bytes[i]] = true;
    const int absent = static_cast<int>(std::find(std::begin(seen), std::end(seen), false) - std::begin(seen));
    if (absent == 256)
        return;
    benchmark::RegisterBenchmark((bench.name + "/read speed (memchr)").c_str(), [=](benchmark::State& state) {
        for (auto _ : state)
            benchmark::DoNotOptimize(std::memchr(bytes, absent, size));
        state.counters["GBps"] =
            benchmark::Counter(static_cast<double>(size), benchmark::Counter::kIsIterationInvariantRate);
        state.counters["GBps"].value /= 1e9;
    })->Unit(benchmark::kMicrosecond);
}

using Decoder = void (*)(uint8_t*, size_t);

void RegisterDecode(BenchText& bench, Decoder decode, const char* variant)
{
    uint8_t* bytes = reinterpret_cast<uint8_t*>(bench.fileBytes.data());
    const size_t size = bench.fileBytes.size();
    const std::string name = bench.name + "/decode" + variant + " vs memcpy";
    benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& state) {
        // Touched once beforehand, so that memcpy is not charged for first-touch page faults.
        std::vector<uint8_t> copy(bytes, bytes + size);
        TimeAgainst(
            state, static_cast<double>(size),
            [&] {
                decode(bytes, size);
                benchmark::ClobberMemory();
            },
            [&] {
                std::memcpy(copy.data(), bytes, size);
                benchmark::ClobberMemory();
            },
            false);
    })->UseManualTime()->Unit(benchmark::kMillisecond);
}

// What one keystroke costs the program: the list from the first headword that begins with the text, the
// article of the headword equal to it, and the copies of both into the buffers the window controls take.
size_t RunKeystroke(std::u16string_view text, std::u16string_view search)
{
    static char16_t listed[ListedHeadwordLimit + 1];
    static char16_t article[ArticleLimit + 1];
    const size_t first = FindHeadword(text, search, HeadwordMatch::Prefix);
    const WordList words = first == npos ? WordList{} : ListHeadwordsFrom(text, first);
    size_t shown = 0;
    for (size_t i = 0; i < words.count; ++i) {
        *std::copy(words.headwords[i].begin(), words.headwords[i].end(), listed) = u'\0';
        benchmark::ClobberMemory();
        shown += words.headwords[i].size();
    }
    const ArticleLookup lookup = LookUpArticle(text, search, HeadwordStart{first});
    if (lookup.found) {
        *std::copy(lookup.article.begin(), lookup.article.end(), article) = u'\0';
        benchmark::ClobberMemory();
        shown += lookup.article.size();
    }
    return shown;
}

// Types `word` one unit at a time, or only its last keystroke when `wholeWord` is false.
void RegisterKeystrokes(const BenchText& bench, const char* caseName, std::u16string_view word, bool wholeWord)
{
    const std::u16string_view text = bench.text;
    const std::string name = bench.name + "/keystroke/" + caseName;
    benchmark::RegisterBenchmark(name.c_str(), [=, word = std::u16string(word)](benchmark::State& state) {
        const size_t firstLength = wholeWord ? 1 : word.size();
        const size_t keystrokes = word.size() - firstLength + 1;
        for (auto _ : state) {
            const Clock::time_point start = Clock::now();
            for (size_t length = firstLength; length <= word.size(); ++length)
                benchmark::DoNotOptimize(RunKeystroke(text, std::u16string_view(word).substr(0, length)));
            state.SetIterationTime(SecondsSince(start) / static_cast<double>(keystrokes));
        }
        state.counters["keystrokes"] = static_cast<double>(keystrokes);
    })->UseManualTime()->Unit(benchmark::kMicrosecond);
}

void RegisterText(BenchText& bench)
{
    const std::u16string_view text = bench.text;
    const std::u16string early = WordHeadwordAt(text, 32 * 1024);
    const std::u16string late = WordHeadwordAt(text, text.size() / 100 * 97);
    if (early.empty() || late.empty()) {
        std::printf("%s: no headword of one plain word to search for; not measured\n", bench.name.c_str());
        return;
    }
    std::u16string miss = late + u"qxq";
    while (FindWithMemmem(text, PatternOf(miss, HeadwordMatch::Prefix)) != npos)
        miss += u'q';
    std::printf("%s: %.1f MB of text (%zu units); early \"%s\" at %zu, late \"%s\" at %zu, miss \"%s\"\n",
                bench.name.c_str(), 2.0 * static_cast<double>(text.size()) / 1e6, text.size(), ToUtf8(early).c_str(),
                FindHeadword(text, early, HeadwordMatch::Prefix), ToUtf8(late).c_str(),
                FindHeadword(text, late, HeadwordMatch::Prefix), ToUtf8(miss).c_str());
    RegisterReadSpeed(bench);
    for (const HeadwordMatch match : {HeadwordMatch::Prefix, HeadwordMatch::Exact}) {
        RegisterScan(bench, "early", early, match, FindHeadwordFromStart, "");
        RegisterScan(bench, "late", late, match, FindHeadwordFromStart, "");
        RegisterScan(bench, "miss", miss, match, FindHeadwordFromStart, "");
    }
    // What the 32-bit build, made without SSE2, runs instead.
    for (const HeadwordMatch match : {HeadwordMatch::Prefix, HeadwordMatch::Exact}) {
        RegisterScan(bench, "late", late, match, FindHeadwordPortable, " portable");
        RegisterScan(bench, "miss", miss, match, FindHeadwordPortable, " portable");
    }
    RegisterDecode(bench, DecodeArticleBytes, "");
    RegisterDecode(bench, DecodeArticleBytesPortable, " portable");
    RegisterKeystrokes(bench, "typing the early word", early, true);
    RegisterKeystrokes(bench, "typing the late word", late, true);
    RegisterKeystrokes(bench, "last key of the miss", miss, false);
}

// The console output as usual, then one table of the figures that matter.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    using ConsoleReporter::ConsoleReporter;

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration)
                rows_.push_back(run);
        }
    }

    void PrintSummary() const
    {
        std::printf("\n%-46s %14s %9s %9s %7s %9s %9s\n", "case", "time", "GB/s", "base GB/s", "ratio", "best GB/s",
                    "base best");
        for (const Run& run : rows_) {
            const auto counter = [&](const char* key) {
                const auto found = run.counters.find(key);
                return found == run.counters.end() ? 0.0 : found->second.value;
            };
            std::string name = run.benchmark_name();
            name = name.substr(0, name.find("/manual_time"));
            char time[32];
            std::snprintf(time, sizeof time, "%.3f %s", run.GetAdjustedRealTime(), benchmark::GetTimeUnitString(run.time_unit));
            if (run.counters.count("ratio"))
                std::printf("%-46s %14s %9.2f %9.2f %7.2f %9.2f %9.2f\n", name.c_str(), time, counter("GBps"),
                            counter("baseGBps"), counter("ratio"), counter("bestGBps"), counter("baseBestGBps"));
            else if (run.counters.count("GBps"))
                std::printf("%-46s %14s %9.2f\n", name.c_str(), time, counter("GBps"));
            else
                std::printf("%-46s %14s\n", name.c_str(), time);
        }
        std::printf("ratio: memmem time / scan time for the scans (at least 1 is as fast or faster), decode time /\n"
                    "memcpy time for decoding, both over all interleaved runs; best: the fastest single run.\n");
    }

private:
    std::vector<Run> rows_;
};

}  // namespace

int main(int argc, char** argv)
{
    std::vector<char*> arguments;
    std::string dictionaryPath;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--dictionary=", 13) == 0)
            dictionaryPath = argv[i] + 13;
        else
            arguments.push_back(argv[i]);
    }
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data()))
        return 1;

    std::vector<std::unique_ptr<BenchText>> texts;
    texts.push_back(std::make_unique<BenchText>(MakeSyntheticText(SyntheticBytes)));
    if (!dictionaryPath.empty()) {
        auto dictionary = std::make_unique<BenchText>();
        std::string name = dictionaryPath.substr(dictionaryPath.find_last_of('/') + 1);
        name = name.substr(0, name.find('.'));
        if (LoadArticleFile(name, dictionaryPath, *dictionary))
            texts.push_back(std::move(dictionary));
        else
            std::printf("%s: cannot be read; only the synthetic text is measured\n", dictionaryPath.c_str());
    }
    for (const auto& text : texts)
        RegisterText(*text);

    SummaryReporter reporter(benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintSummary();
    benchmark::Shutdown();
    return 0;
}
