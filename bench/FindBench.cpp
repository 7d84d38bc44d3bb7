// Find in a tree of 50,000 entries: the rows of one keystroke, for texts that find every
// item, a common word, words found only in targets, and nothing at all; opening Find after
// the tree changed (the index is made again); and the memory Find keeps. Each keystroke's
// time is also printed as a share of the 5 ms it may take, the memory as a share of 2 MB.
//
//   cmake -S . -B build/release -G Ninja -DVANTREL_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release
//   cmake --build build/release --target vantrel_bench -j2
//   build/release/bench/vantrel_bench --benchmark_filter=Find

#include "app/MenuLayout.h"
#include "fakes/FakeCodePage.h"
#include "find/FindList.h"
#include "support/LargeTree.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <chrono>
#include <memory>
#include <string>

namespace vantrel {
namespace {

constexpr double KeystrokeBudgetMs = 5.0;
constexpr double KeptBudgetBytes = 2.0 * 1024 * 1024;
// In the 32-bit exe (checked where they are declared).
constexpr std::size_t ExeItemBytes = 32;
constexpr std::size_t ExeRowBytes = 16;

struct BigTree {
    MainMenuLayout menus = BuildPopupMenuMain();
    testing::FakeCodePage codePage;
    BigTree() { testing::FillLargeTree(menus.categories); }
};

BigTree& TheTree() {
    static BigTree tree;
    return tree;
}

std::size_t HeapInUse() {
    const struct mallinfo2 info = ::mallinfo2();
    return info.uordblks + info.hblkhd;
}

void FindKeystroke(benchmark::State& state, const char* text) {
    BigTree& tree = TheTree();
    FindList list(tree.menus.categories, tree.codePage);
    list.Open();
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        list.SetText(text);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        benchmark::DoNotOptimize(list.Rows().data());
    }
    const double ms = seconds * 1e3 / static_cast<double>(state.iterations());
    state.counters["rows"] = static_cast<double>(list.Rows().size());
    state.counters["of_5ms"] = ms / KeystrokeBudgetMs;
}

// One letter: every caption starts with "s", holds "e" inside, "x" is only in targets. A
// common word, in every caption or only in the Applications' targets. Texts found nowhere:
// most are ruled out by their letters alone, but every caption starts like "shortcut 1"
// and holds the letters of "ceo", which rank and pair letters cannot rule out.
BENCHMARK_CAPTURE(FindKeystroke, letter_s, "s")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindKeystroke, letter_e, "e")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindKeystroke, letter_x, "x")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindKeystroke, word_useful, "useful")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindKeystroke, word_program, "program")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindKeystroke, words_some_use_4, "some use 4")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindKeystroke, every_caption_read, "shortcut 1")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindKeystroke, no_match_zebra, "zebra")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindKeystroke, no_match_words, "useful nowhere")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindKeystroke, no_match_every_text_read, "ceo")->Unit(benchmark::kMillisecond);

// Text pasted into the box: 5,000 words, of which only what a search reads counts.
const char* PastedText() {
    static std::string text;
    for (int i = 0; text.empty() && i < 5000; ++i)
        text += "use" + std::to_string(i % 700) + " ";
    return text.c_str();
}
BENCHMARK_CAPTURE(FindKeystroke, pasted_5000_words, PastedText())->Unit(benchmark::kMillisecond);

// Opening Find after the tree changed: the index is made again, then a first keystroke.
void FindOpenAfterChange(benchmark::State& state) {
    BigTree& tree = TheTree();
    FindList list(tree.menus.categories, tree.codePage);
    for (auto _ : state) {
        state.PauseTiming();
        MenuNode::TextsChanged();
        state.ResumeTiming();
        list.Open();
        list.SetText("useful");
    }
}
BENCHMARK(FindOpenAfterChange)->Unit(benchmark::kMillisecond);

// What Find holds between keystrokes, on the heap after a few searches, with the list
// itself; nothing of it exists before the first Find. Natively pointers take 8 bytes; the
// exe's figure counts its index and rows at their 32-bit sizes, and the list (its tables of
// the code page) at its size here.
void FindKeptBytes(benchmark::State& state) {
    BigTree& tree = TheTree();
    std::size_t kept = 0;
    std::size_t items = 0;
    for (auto _ : state) {
        const std::size_t before = HeapInUse();
        auto list = std::make_unique<FindList>(tree.menus.categories, tree.codePage);
        list->Open();
        for (const char* text : {"s", "useful", "zebra", "x"})
            list->SetText(text);
        kept = HeapInUse() - before;
        items = list->IndexedItems();
    }
    const std::size_t exe = items * ExeItemBytes + FindRowLimit * ExeRowBytes + sizeof(FindList);
    state.counters["items"] = static_cast<double>(items);
    state.counters["native_bytes"] = static_cast<double>(kept);
    state.counters["exe_bytes"] = static_cast<double>(exe);
    state.counters["exe_of_2MB"] = static_cast<double>(exe) / KeptBudgetBytes;
}
BENCHMARK(FindKeptBytes)->Iterations(1);

} // namespace
} // namespace vantrel
