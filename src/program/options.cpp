// The command line, parsed with getopt_long: play in a window or full screen, at a scale, seed
// the crowd, record or replay a game, or just print the usage or the version.
#include "program/options.h"

#include "display/scaling.h"
#include "language/translation.h"

#include <charconv>
#include <getopt.h>

// TRANSLATORS: options, values in capitals and file names stay as they are; keep lines
// within 80 columns.
// xgettext:no-c-format
const char USAGE[] = N_(R"(Usage: tarnel [-w | -f] [-z N | -z auto] [-m] [-s N] [-r FILE]
       tarnel [-w | -f] [-z N | -z auto] [-m] -p FILE [--quit-at-end]
       tarnel -h | -V
Walk a hero through a crowd of 200 wandering sprites.

  -w, --window       play in a window; the desktop's mode stays as it is
  -f, --fullscreen   play on the whole screen (the default): at 640x480 and 32 bits,
                     or with --scale at the desktop's own size
  -z, --scale=N      draw each game pixel as an N x N block, N from 1 to 8: a window
                     of 640N x 480N, or the full screen with the picture centred
      --scale=auto   the largest N that fits the desktop
  -m, --mute         start with the sound off; M turns it on
  -s, --seed=N       seed the crowd with N (0 to 4294967295) instead of the clock:
                     the same N and the same keys give the same game
  -r, --record=FILE  keep the game in FILE, a new file, to watch again with --replay
  -p, --replay=FILE  watch the game kept in FILE again, frame for frame; it holds at
                     its last frame until Escape
      --quit-at-end  with --replay: exit (status 0) after the last frame instead
  -h, --help         print this help and exit
  -V, --version      print the version and exit

Keys: the arrow keys walk, Return pauses and resumes, M mutes and unmutes the sound,
Escape quits, F11 or Alt+Enter switches between the window and the full screen. A
gamepad plugged in before the start walks with its D-pad, hat or left stick, and Start
pauses.

Watching a replay: Space, Return or Start pauses and resumes; Right and Left step a
frame while paused, else skip 5 seconds; Up and Down change the speed (1/4x to 8x);
Home and End go to the first and last frame; 0 to 9 to 0%, 10%, ... 90% of the way.

The pictures Background.bmp, Link.bmp, BlueSoldier.bmp, GreenSoldier.bmp and Armos.bmp
are read from the working folder, and so are the sounds (Step.wav and the others);
the installed 'tarnel' launcher starts in theirs.
)");

const char VERSION[] = "tarnel 3.2\n";

namespace {

// A leading '+' stops at the first argument that is not an option, so it is named as stray;
// a leading ':' tells a missing value apart from an unknown option.
constexpr char SHORT_OPTIONS[] = "+:hVwfms:z:r:p:";
constexpr int QUIT_AT_END = 256; // long only: past every character a short option can be
constexpr option LONG_OPTIONS[] = {
    {"help", no_argument, nullptr, 'h'},         // -h
    {"version", no_argument, nullptr, 'V'},      // -V
    {"window", no_argument, nullptr, 'w'},       // -w
    {"fullscreen", no_argument, nullptr, 'f'},   // -f
    {"mute", no_argument, nullptr, 'm'},         // -m
    {"seed", required_argument, nullptr, 's'},   // -s N
    {"scale", required_argument, nullptr, 'z'},  // -z N
    {"record", required_argument, nullptr, 'r'}, // -r FILE
    {"replay", required_argument, nullptr, 'p'}, // -p FILE
    {"quit-at-end", no_argument, nullptr, QUIT_AT_END},
    {nullptr, 0, nullptr, 0}, // the end
};

// The option as the user wrote it: "--seed" of "--seed=x", or "-s" of a cluster.
std::string written(const char* argument, int shortOption) {
    const std::string text = argument;
    if (text.rfind("--", 0) == 0) {
        return text.substr(0, text.find('='));
    }
    return std::string("-") + static_cast<char>(shortOption);
}

// A whole decimal number that fits 32 bits: no sign, no spaces, nothing after it.
std::optional<std::uint32_t> parseSeed(const std::string& text) {
    std::uint32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

// A scale of 1 to MAX_SCALE, or auto, written as for the seed.
std::optional<int> parseScale(const std::string& text) {
    if (text == "auto") {
        return AUTO_SCALE;
    }
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < 1 || value > MAX_SCALE) {
        return std::nullopt;
    }
    return value;
}

Options refuse(std::string complaint) {
    Options options;
    options.action = Options::Action::REFUSE;
    options.complaint = std::move(complaint);
    return options;
}

} // namespace

Options parse_options(int argc, char* argv[]) {
    Options options;
    optind = 0; // 0 makes glibc start afresh, also when the program is parsed twice
    opterr = 0; // the complaints are ours, one line each
    for (;;) {
        const int at = optind == 0 ? 1 : optind; // the argument being read
        const int option = getopt_long(argc, argv, SHORT_OPTIONS, LONG_OPTIONS, nullptr);
        if (option == -1) {
            break;
        }
        switch (option) {
        case 'h':
            options.action = Options::Action::HELP;
            return options;
        case 'V':
            options.action = Options::Action::VERSION;
            return options;
        case 'w':
            options.window = true;
            break;
        case 'f':
            options.window = false;
            break;
        case 'm':
            options.mute = true;
            break;
        case 's':
            options.seed = parseSeed(optarg);
            if (!options.seed) {
                return refuse(formatted(
                    _("the seed must be a whole number from 0 to 4294967295, not '%s'"), optarg));
            }
            break;
        case 'z': {
            const std::optional<int> scale = parseScale(optarg);
            if (!scale) {
                return refuse(formatted(
                    _("the scale must be a whole number from 1 to 8, or auto, not '%s'"), optarg));
            }
            options.scale = *scale;
            break;
        }
        case 'r':
        case 'p':
            if (*optarg == '\0') {
                return refuse(formatted(_("option '%s' needs a file name"),
                                        written(argv[at], option).c_str()));
            }
            (option == 'r' ? options.record : options.replay) = optarg;
            break;
        case QUIT_AT_END:
            options.quitAtEnd = true;
            break;
        case ':':
            return refuse(
                formatted(_("option '%s' needs a value"), written(argv[at], optopt).c_str()));
        default: { // '?': an unknown option, or a value given to a long one that takes none
            const std::string name = written(argv[at], optopt);
            if (name.rfind("--", 0) == 0 && optopt != 0) {
                return refuse(formatted(_("option '%s' takes no value"), name.c_str()));
            }
            return refuse(formatted(_("unknown option '%s'"), name.c_str()));
        }
        }
    }
    if (optind < argc) {
        return refuse(formatted(_("unexpected argument '%s'"), argv[optind]));
    }
    // A recording holds its own seed, and what it replays is not played anew.
    if (!options.replay.empty() && options.seed) {
        return refuse(_("'--replay' plays the recording's own seed, so it takes no '--seed'"));
    }
    if (!options.replay.empty() && !options.record.empty()) {
        return refuse(_("'--replay' and '--record' cannot be used together"));
    }
    if (options.quitAtEnd && options.replay.empty()) {
        return refuse(_("'--quit-at-end' ends a replay, so it needs '--replay'"));
    }
    return options;
}
