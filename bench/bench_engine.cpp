// The engine on plain values: one keystroke's new inputs and view for a spread of inputs, the
// historical era lookup over many years, the year-number reader over a spread of texts, and the
// answer for a typed day of birth (reading the text included) over a spread of notations.

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "yorvane/dateanswer.h"
#include "yorvane/eras.h"
#include "yorvane/number.h"
#include "yorvane/view.h"

namespace {

using yorvane::Era;
using yorvane::MainInputs;

// One keystroke in the birth-year box: the window after start-up with the delivered settings
// (designated year 西暦 1990, today's year 2026) and the era `era` in the list, reading `text`.
struct Case {
    const char* name;
    std::u16string_view text;
    MainInputs in;
};

Case keystroke(const char* name, std::u16string_view text, Era era) {
    Case c{name, text, {}};
    c.in.listEra = era;
    c.in.currentYear = 2026;
    return c;
}

std::vector<Case> recalcCases() {
    std::vector<Case> cases{
        keystroke("seireki_1989", u"1989", Era::Western),
        keystroke("heisei_5", u"5", Era::Heisei),
        keystroke("showa_40", u"40", Era::Showa),
        keystroke("taisho_10", u"10", Era::Taisho),
        keystroke("meiji_30", u"30", Era::Meiji),
        keystroke("empty", u"", Era::Showa),
        keystroke("showa_70_past_end", u"70", Era::Showa),
        keystroke("number_1500_to_seireki", u"1500", Era::Showa),
    };
    Case designated = keystroke("option2_heisei_10", u"40", Era::Showa);
    designated.in.designatedText = u"10";
    designated.in.designatedEra = Era::Heisei;
    designated.in.designatedIsReference = true;
    cases.push_back(designated);
    Case designatedPast = keystroke("option2_taisho_20_past_end", u"1900", Era::Western);
    designatedPast.in.designatedText = u"20";
    designatedPast.in.designatedEra = Era::Taisho;
    designatedPast.in.designatedIsReference = true;
    cases.push_back(designatedPast);
    return cases;
}

// The new birth-year text entered into the inputs, and the whole view made of them.
yorvane::MainView recalculate(const Case& c) {
    MainInputs in = c.in;
    yorvane::enterBirthYear(in, c.text);
    return yorvane::mainView(in);
}

void BM_Recalculate(benchmark::State& state, const Case& c) {
    for (auto _ : state) {
        auto r = recalculate(c);
        benchmark::DoNotOptimize(r);
    }
}

// Every case in turn, so the figure is an average over the spread rather than one warm path.
void BM_RecalculateSpread(benchmark::State& state) {
    const auto cases = recalcCases();
    std::size_t i = 0;
    for (auto _ : state) {
        auto r = recalculate(cases[i]);
        benchmark::DoNotOptimize(r);
        if (++i == cases.size()) i = 0;
    }
}

// Years from before the table's first row to well after its last, in a scattered order.
std::vector<std::int32_t> lookupYears() {
    std::vector<std::int32_t> years;
    for (std::int32_t y = 500; y <= 2100; ++y) years.push_back(y);
    // A fixed shuffle (multiplicative step coprime to the count) defeats the branch predictor.
    std::vector<std::int32_t> scattered(years.size());
    for (std::size_t i = 0; i < years.size(); ++i) scattered[i] = years[(i * 7919) % years.size()];
    return scattered;
}

void BM_FindHistoricalEra(benchmark::State& state) {
    const auto years = lookupYears();
    std::size_t i = 0;
    for (auto _ : state) {
        const auto* era = yorvane::findHistoricalEra(years[i]);
        benchmark::DoNotOptimize(era);
        if (++i == years.size()) i = 0;
    }
}

constexpr std::array<std::u16string_view, 16> kTexts{
    u"1989", u"",    u"5",    u"64",    u"55年", u"19 89", u"-3",         u"1.5",
    u"2.5",  u"1e3", u"1e10", u"ERROR", u"  42", u"0064",  u"+1.2345e+2", u"abc",
};

void BM_ReadYearNumber(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        auto n = yorvane::readYearNumber(kTexts[i]);
        benchmark::DoNotOptimize(n);
        if (++i == kTexts.size()) i = 0;
    }
}

// Days of birth in every notation, from before 1873 to after 2100, with a 基準日 typed too.
constexpr std::array<std::u16string_view, 10> kBirthTexts{
    u"1980/3/4", u"昭和55年3月4日", u"S55.3.4",  u"令和元年5月1日", u"１９８９年１月８日",
    u"H1.1.8",   u"2000-02-29",     u"19210203", u"1850.5.1",       u"2101年1月10日",
};

void BM_AnswerDate(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        auto q = yorvane::answerDate(kBirthTexts[i], u"2026/12/7", {2026, 12, 7});
        benchmark::DoNotOptimize(q);
        if (++i == kBirthTexts.size()) i = 0;
    }
}

// The console table as usual, and the nanoseconds of every run kept for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    struct Figure {
        std::string name;
        double ns;
    };
    std::vector<Figure> figures;

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const double ns =
                run.GetAdjustedRealTime() * (1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit));
            figures.push_back({run.benchmark_name(), ns});
        }
    }
};

constexpr double kRecalcGoalNs = 2000.0;
constexpr double kAnswerGoalNs = 5000.0;

}  // namespace

int main(int argc, char** argv) {
    for (const Case& c : recalcCases())
        benchmark::RegisterBenchmark((std::string("recalculate/") + c.name).c_str(), BM_Recalculate,
                                     c);
    benchmark::RegisterBenchmark("recalculate/spread_of_all_cases", BM_RecalculateSpread);
    benchmark::RegisterBenchmark("findHistoricalEra/years_500_to_2100", BM_FindHistoricalEra);
    benchmark::RegisterBenchmark("readYearNumber/spread_of_16_texts", BM_ReadYearNumber);
    benchmark::RegisterBenchmark("answerDate/spread_of_10_texts", BM_AnswerDate);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\nengine summary (ns per call)\n");
    for (const auto& f : reporter.figures) {
        if (f.name.rfind("recalculate/", 0) == 0)
            std::printf("  %-48s %9.1f ns   goal < %.0f ns: %s\n", f.name.c_str(), f.ns,
                        kRecalcGoalNs, f.ns < kRecalcGoalNs ? "met" : "NOT MET");
        else if (f.name.rfind("answerDate/", 0) == 0)
            std::printf("  %-48s %9.1f ns   goal < %.0f ns: %s\n", f.name.c_str(), f.ns,
                        kAnswerGoalNs, f.ns < kAnswerGoalNs ? "met" : "NOT MET");
        else
            std::printf("  %-48s %9.1f ns\n", f.name.c_str(), f.ns);
    }
    return 0;
}
