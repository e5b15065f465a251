// The command line: what each set of arguments asks for, and the complaint for a wrong one.
#include "program/options.h"

#include "display/scaling.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using Action = Options::Action;

Options parse(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "tarnel");
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    return parse_options(static_cast<int>(arguments.size()), argv.data());
}

TEST(Options, EachCommandLineAsksForWhatItSays) {
    constexpr std::optional<std::uint32_t> CLOCK = std::nullopt;
    const struct {
        std::vector<std::string> arguments;
        Action action;
        bool window;
        std::optional<std::uint32_t> seed;
        int scale = UNSCALED;
        std::string record = "";
        std::string replay = "";
        bool quitAtEnd = false;
        bool mute = false;
    } cases[] = {
        {{}, Action::PLAY, false, CLOCK},
        {{"-h"}, Action::HELP, false, CLOCK},
        {{"--help"}, Action::HELP, false, CLOCK},
        {{"--help", "--bogus"}, Action::HELP, false, CLOCK}, // acted on as soon as met
        {{"-V"}, Action::VERSION, false, CLOCK},
        {{"--version"}, Action::VERSION, false, CLOCK},
        {{"-w"}, Action::PLAY, true, CLOCK},
        {{"--window"}, Action::PLAY, true, CLOCK},
        {{"-f"}, Action::PLAY, false, CLOCK},
        {{"--fullscreen"}, Action::PLAY, false, CLOCK},
        {{"-w", "-f"}, Action::PLAY, false, CLOCK}, // the last one wins
        {{"-f", "--window"}, Action::PLAY, true, CLOCK},
        {{"-s", "7"}, Action::PLAY, false, 7u},
        {{"-s7"}, Action::PLAY, false, 7u},
        {{"--seed=0"}, Action::PLAY, false, 0u},
        {{"--seed", "4294967295"}, Action::PLAY, false, 4294967295u},
        {{"--seed=007"}, Action::PLAY, false, 7u},
        {{"-ws", "12"}, Action::PLAY, true, 12u}, // a cluster ending in the seed
        {{"--seed=1", "--seed=2"}, Action::PLAY, false, 2u},
        {{"--win"}, Action::PLAY, true, CLOCK}, // an unambiguous abbreviation
        {{"--version", "--bogus"}, Action::VERSION, false, CLOCK},
        {{"-z", "1"}, Action::PLAY, false, CLOCK, 1},
        {{"-wz3"}, Action::PLAY, true, CLOCK, 3},
        {{"--scale=8", "--fullscreen"}, Action::PLAY, false, CLOCK, 8},
        {{"--scale=auto", "-w"}, Action::PLAY, true, CLOCK, AUTO_SCALE},
        {{"-r", "walk.tarnel", "-s", "9"}, Action::PLAY, false, 9u, UNSCALED, "walk.tarnel"},
        {{"--record=-"}, Action::PLAY, false, CLOCK, UNSCALED, "-"},
        {{"-p", "walk.tarnel", "-wz2"}, Action::PLAY, true, CLOCK, 2, "", "walk.tarnel"},
        {{"--quit-at-end", "-p", "a"}, Action::PLAY, false, CLOCK, UNSCALED, "", "a", true},
        {{"-wm"}, Action::PLAY, true, CLOCK, UNSCALED, "", "", false, true},
        {{"--mute", "-p", "a"}, Action::PLAY, false, CLOCK, UNSCALED, "", "a", false, true},
    };
    for (const auto& c : cases) {
        std::string line;
        for (const std::string& argument : c.arguments) {
            line += " " + argument;
        }
        SCOPED_TRACE("tarnel" + line);
        const Options options = parse(c.arguments);
        EXPECT_EQ(options.action, c.action) << options.complaint;
        if (c.action == Action::PLAY) {
            EXPECT_EQ(options.window, c.window);
            EXPECT_EQ(options.seed, c.seed);
            EXPECT_EQ(options.scale, c.scale);
            EXPECT_EQ(options.record, c.record);
            EXPECT_EQ(options.replay, c.replay);
            EXPECT_EQ(options.quitAtEnd, c.quitAtEnd);
            EXPECT_EQ(options.mute, c.mute);
            EXPECT_EQ(options.complaint, "");
        }
    }
}

TEST(Options, AWrongCommandLineIsNamedInOneLine) {
    const struct {
        std::vector<std::string> arguments;
        const char* complaint;
    } cases[] = {
        {{"-x"}, "unknown option '-x'"},
        {{"-wx"}, "unknown option '-x'"},
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"--bogus=1"}, "unknown option '--bogus'"},
        {{"--bogus", "--help"}, "unknown option '--bogus'"},
        {{"-s"}, "option '-s' needs a value"},
        {{"--seed"}, "option '--seed' needs a value"},
        {{"--window=1"}, "option '--window' takes no value"},
        {{"--mute=no"}, "option '--mute' takes no value"},
        {{"--seed="}, "the seed must be a whole number from 0 to 4294967295, not ''"},
        {{"--seed=4294967296"},
         "the seed must be a whole number from 0 to 4294967295, not '4294967296'"},
        {{"--seed=99999999999999999999"},
         "the seed must be a whole number from 0 to 4294967295, not '99999999999999999999'"},
        {{"-s", "-1"}, "the seed must be a whole number from 0 to 4294967295, not '-1'"},
        {{"-s", "+1"}, "the seed must be a whole number from 0 to 4294967295, not '+1'"},
        {{"-s", " 1"}, "the seed must be a whole number from 0 to 4294967295, not ' 1'"},
        {{"-s", "1x"}, "the seed must be a whole number from 0 to 4294967295, not '1x'"},
        {{"-s", "0x10"}, "the seed must be a whole number from 0 to 4294967295, not '0x10'"},
        {{"play"}, "unexpected argument 'play'"},
        {{"-w", "play", "-f"}, "unexpected argument 'play'"},
        {{"-w", "--", "-s"}, "unexpected argument '-s'"},
        {{"--scale=0"}, "the scale must be a whole number from 1 to 8, or auto, not '0'"},
        {{"-z", "9"}, "the scale must be a whole number from 1 to 8, or auto, not '9'"},
        {{"-z", "2x"}, "the scale must be a whole number from 1 to 8, or auto, not '2x'"},
        {{"--scale=Auto"}, "the scale must be a whole number from 1 to 8, or auto, not 'Auto'"},
        {{"--scale"}, "option '--scale' needs a value"},
        {{"--record="}, "option '--record' needs a file name"},
        {{"-p", ""}, "option '-p' needs a file name"},
        {{"-p", "a", "-s", "1"},
         "'--replay' plays the recording's own seed, so it takes no '--seed'"},
        {{"-r", "a", "--replay=b"}, "'--replay' and '--record' cannot be used together"},
        {{"--quit-at-end"}, "'--quit-at-end' ends a replay, so it needs '--replay'"},
        {{"-p", "a", "--quit-at-end=1"}, "option '--quit-at-end' takes no value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.front());
        const Options options = parse(c.arguments);
        EXPECT_EQ(options.action, Action::REFUSE);
        EXPECT_EQ(options.complaint, c.complaint);
    }
}

} // namespace
