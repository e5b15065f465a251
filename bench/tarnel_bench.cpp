// tarnel_bench: what one frame costs against the blits SDL must do for it anyway, the game's
// logic alone, the world's construction, and the scaling of a frame against a copy of its bytes.
// Runs on whatever SDL drivers the environment names, in the folder with the pictures: the working
// directory or the one folder argument.
#include "scripted_game.h"
#include "seek.h"

#include "display/display.h"
#include "display/scaling.h"

#include <benchmark/benchmark.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr char CHECK_FLAG[] = "--check";
constexpr int EXIT_USAGE = 2;
constexpr char FRAME[] = "frame";
constexpr char BLIT_FLOOR[] = "blit_floor";
constexpr char LOGIC[] = "logic";
constexpr char BUILD[] = "build";
constexpr char GROWTH[] = "growth";
constexpr char MEDIAN[] = "median";
constexpr char SCALE[] = "scale";
constexpr char COPY[] = "memcpy";
constexpr int SCALES[] = {
    2,
    3,
    4,
};
// The crowds of the growth benchmark: the game's world repeated across and down.
struct Crowd {
    int boxes, tilesAcross, tilesDown;
};
constexpr Crowd CROWDS[] = {
    {200, 1, 1},
    {2000, 5, 2},
    {20000, 10, 10},
};
constexpr std::size_t DRIVER_NAME_SIZE = 64;
constexpr int DRAWN_CYCLES = 4;  // a second or so a run on sdl12-compat, whose flip is slow
constexpr int LOGIC_CYCLES = 40; // the logic alone is ten times quicker than the drawing
constexpr int GROWTH_CYCLES = 1; // a quarter of a second at 20,000 boxes

// Frames played from the cycle's start, which start() gives; the clock stops while the world is
// put back.
template <typename Start>
void runFrames(benchmark::State& state, Start start, void (*play)(World&, int)) {
    std::optional<World> world;
    int k = ScriptedGame::CYCLE_FRAMES;
    for (auto _ : state) {
        if (k == ScriptedGame::CYCLE_FRAMES) {
            state.PauseTiming();
            world = start();
            k = 0;
            state.ResumeTiming();
        }
        play(*world, ScriptedGame::frameNumber(k));
        ++k;
    }
}

void frame(benchmark::State& state, const ScriptedGame& game) {
    runFrames(
        state, [&game] { return game.start(); }, playFrame);
}

void blitFloor(benchmark::State& state, const ScriptedGame& game) {
    int k = 0;
    for (auto _ : state) {
        drawBlits(game.blitsOf(k++));
    }
    state.counters["blits"] = game.averageBlits();
}

// The frame on a world without pictures: every move, decision, collision scan and animation
// step, while the blits asked for are clipped to nothing and nothing is flipped.
void logic(benchmark::State& state, const ScriptedGame& game) {
    runFrames(
        state, [&game] { return game.blankStart(); }, moveAndDraw);
}

// The logic on ever larger crowds over ever larger worlds, at the game's density of sprites.
// One frame played beforehand enters the crowd in the world's grid, off the clock.
void growth(benchmark::State& state, const ScriptedGame& game, Crowd crowd) {
    World tiled = game.tiledStart(crowd.tilesAcross, crowd.tilesDown);
    moveAndDraw(tiled, ScriptedGame::frameNumber(0));
    const auto start = [&tiled] {
        ScriptedGame::seedCycle();
        return tiled;
    };
    runFrames(state, start, moveAndDraw);
    state.counters["boxes"] = crowd.boxes + 1;
}

void freePictures(World& world) {
    SDL_FreeSurface(world.background);
    SDL_FreeSurface(world.player.image);
    for (Sprite& npc : world.npcs) {
        SDL_FreeSurface(npc.image);
    }
}

// The world keeps its pictures for the whole game; here each one built is freed untimed.
void build(benchmark::State& state) {
    std::optional<World> world;
    for (auto _ : state) {
        world.emplace();
        state.PauseTiming();
        freePictures(*world);
        world.reset();
        state.ResumeTiming();
    }
}

// A surface of the game's picture scale times as large, in SCREEN's format.
SDL_Surface* scaledSurface(int scale) {
    const SDL_PixelFormat* format = SCREEN->format;
    return SDL_CreateRGBSurface(SDL_SWSURFACE, WIDTH * scale, HEIGHT * scale, 32, format->Rmask,
                                format->Gmask, format->Bmask, format->Amask);
}

// The scaling pass of a scaled frame: SCREEN's picture drawn N times as large.
void scale(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    SDL_Surface* target = scaledSurface(n);
    for (auto _ : state) {
        scale_picture(SCREEN, target, n, 0, 0);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * target->pitch * target->h);
    SDL_FreeSurface(target);
}

// Its floor: a copy of as many bytes as the scaled picture has.
void copy(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    SDL_Surface* target = scaledSurface(n);
    SDL_Surface* source = scaledSurface(n);
    // Written once, so that the copy reads memory of its own rather than pages never touched.
    SDL_FillRect(source, nullptr, SDL_MapRGB(source->format, 1, 2, 3));
    SDL_FillRect(target, nullptr, 0);
    const std::size_t bytes = static_cast<std::size_t>(target->pitch) * target->h;
    for (auto _ : state) {
        std::memcpy(target->pixels, source->pixels, bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
    SDL_FreeSurface(source);
    SDL_FreeSurface(target);
}

// The console table, and then frame / blit_floor from the medians when the runs were
// repeated, or from the single runs. CPU time, since other work on a shared machine stretches
// the wall-clock time of a run that is all computation.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    // One table for all four, with colours only on a terminal.
    RatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Color : OO_None) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const std::string name = run.run_name.function_name +
                                     (run.run_name.args.empty() ? "" : "/" + run.run_name.args);
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == MEDIAN) {
                medians_[name] = run.GetAdjustedCPUTime();
            } else if (run.run_type == Run::RT_Iteration) {
                singles_[name] = run.GetAdjustedCPUTime();
            }
        }
    }

    void printRatio() const {
        const std::optional<double> frameTime = timeOf(FRAME);
        const std::optional<double> floorTime = timeOf(BLIT_FLOOR);
        if (frameTime && floorTime && *floorTime > 0) {
            std::printf("frame / blit_floor = %.3f (CPU time: frame %.1f us, blit_floor %.1f us)\n",
                        *frameTime / *floorTime, *frameTime, *floorTime);
        }
        for (const Crowd& crowd : CROWDS) {
            const std::optional<double> logicTime =
                timeOf(GROWTH + ("/" + std::to_string(crowd.boxes)));
            if (logicTime) {
                // The player's box is one more.
                std::printf("logic at %d boxes = %.1f us a frame, %.1f ns a box\n", crowd.boxes + 1,
                            *logicTime, *logicTime * 1000 / (crowd.boxes + 1));
            }
        }
        for (int n : SCALES) {
            const std::string arg = "/" + std::to_string(n);
            const std::optional<double> scaled = timeOf(SCALE + arg);
            const std::optional<double> copied = timeOf(COPY + arg);
            if (scaled && copied && *copied > 0) {
                std::printf("scale %d / memcpy = %.2f (CPU time: scale %.0f us, memcpy %.0f us)\n",
                            n, *scaled / *copied, *scaled, *copied);
            }
        }
    }

private:
    std::optional<double> timeOf(const std::string& name) const {
        for (const auto* times : {&medians_, &singles_}) {
            const auto found = times->find(name);
            if (found != times->end()) {
                return found->second;
            }
        }
        return std::nullopt;
    }

    std::map<std::string, double> medians_;
    std::map<std::string, double> singles_;
};

void describeRuntime() {
    SDL_version linked = *SDL_Linked_Version();
    benchmark::AddCustomContext("SDL runtime", std::to_string(linked.major) + "." +
                                                   std::to_string(linked.minor) + "." +
                                                   std::to_string(linked.patch));
    char driver[DRIVER_NAME_SIZE] = "";
    SDL_VideoDriverName(driver, sizeof driver);
    benchmark::AddCustomContext("SDL video driver", driver);
}

int run(bool checkOnly) {
    const ScriptedGame game;
    if (checkOnly) {
        std::printf("tarnel_bench: the blits of %d frames draw what the frames drew; "
                    "fingerprint %016llx\n",
                    ScriptedGame::CYCLE_FRAMES,
                    static_cast<unsigned long long>(game.fingerprint()));
        return EXIT_SUCCESS;
    }
    describeRuntime();
    const auto withGame = [&game](void (*body)(benchmark::State&, const ScriptedGame&)) {
        return [&game, body](benchmark::State& state) { body(state, game); };
    };
    // Whole cycles only: a frame's cost varies along the cycle with the sprites on the screen.
    benchmark::RegisterBenchmark(FRAME, withGame(frame))
        ->Unit(benchmark::kMicrosecond)
        ->Iterations(DRAWN_CYCLES * ScriptedGame::CYCLE_FRAMES);
    benchmark::RegisterBenchmark(BLIT_FLOOR, withGame(blitFloor))
        ->Unit(benchmark::kMicrosecond)
        ->Iterations(DRAWN_CYCLES * ScriptedGame::CYCLE_FRAMES);
    benchmark::RegisterBenchmark(LOGIC, withGame(logic))
        ->Unit(benchmark::kMicrosecond)
        ->Iterations(LOGIC_CYCLES * ScriptedGame::CYCLE_FRAMES);
    benchmark::RegisterBenchmark(BUILD, build)->Unit(benchmark::kMillisecond);
    for (const Crowd& crowd : CROWDS) {
        const auto body = [&game, crowd](benchmark::State& state) { growth(state, game, crowd); };
        benchmark::RegisterBenchmark(GROWTH, body)
            ->Arg(crowd.boxes)
            ->Unit(benchmark::kMicrosecond)
            ->Iterations(GROWTH_CYCLES * ScriptedGame::CYCLE_FRAMES);
    }
    for (int n : SCALES) {
        benchmark::RegisterBenchmark(SCALE, scale)->Arg(n)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(COPY, copy)->Arg(n)->Unit(benchmark::kMicrosecond);
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio();
    print_seek_figure();
    return EXIT_SUCCESS;
}

} // namespace

int main(int argc, char* argv[]) {
    benchmark::Initialize(&argc, argv);
    bool checkOnly = false;
    const char* folder = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], CHECK_FLAG) == 0) {
            checkOnly = true;
        } else if (folder == nullptr && argv[i][0] != '-') {
            folder = argv[i];
        } else {
            std::fprintf(stderr, "tarnel_bench: unknown argument %s (usage: %s [%s] [folder])\n",
                         argv[i], argv[0], CHECK_FLAG);
            return EXIT_USAGE;
        }
    }
    if (folder != nullptr && chdir(folder) != 0) {
        std::fprintf(stderr, "tarnel_bench: cannot enter %s: %s\n", folder, std::strerror(errno));
        return EXIT_FAILURE;
    }
    int status = EXIT_FAILURE;
    try {
        screen_init();
        status = run(checkOnly);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tarnel_bench: %s\n", error.what());
    }
    SDL_Quit();
    return status;
}
