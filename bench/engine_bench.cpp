// Cost of the engine's part of a reading: determine the sign for a date and look
// its profile up by name, over every month and day position.
#include "profiles.h"
#include "sunsign.h"

#include <benchmark/benchmark.h>

#include <cstdint>

static void DetermineAndLookUpEveryDate(benchmark::State &state) {
    for (auto _ : state) {
        for (std::int16_t month = 0; month < 12; ++month) {
            for (std::int16_t day = 0; day <= 30; ++day) {
                aromelle::determine_sun_sign(month, day);
                benchmark::DoNotOptimize(aromelle::findProfile(modAromelle::current_sign));
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * 12 * 31);
}
BENCHMARK(DetermineAndLookUpEveryDate);
