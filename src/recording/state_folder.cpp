// The user's state folder and the names games are kept under there.
#include "recording/state_folder.h"

#include <cstdlib>

namespace {

// An absolute path from the variable, or empty.
std::string absolute(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value == '/' ? value : "";
}

} // namespace

std::string state_folder() {
    if (const std::string state = absolute("XDG_STATE_HOME"); !state.empty()) {
        return state + "/tarnel";
    }
    if (const std::string home = absolute("HOME"); !home.empty()) {
        return home + "/.local/state/tarnel";
    }
    return "";
}

std::string played_name(std::time_t played, int attempt) {
    std::tm local = {};
    localtime_r(&played, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d-%H%M%S", &local);
    const std::string again = attempt > 1 ? "-" + std::to_string(attempt) : "";
    return std::string("tarnel-") + stamp + again + ".tarnel";
}
