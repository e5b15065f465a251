// Finds the catalogues from where the program is, as the launcher finds the pictures, so an
// install under any prefix, or a moved one, speaks the player's language.
#include "language/catalogues.h"

#include <clocale>
#include <filesystem>
#include <libintl.h>

// The install puts the catalogues in PREFIX/share/locale; a build that does not say where
// (the page's) has them beside the program only.
#ifndef TARNEL_LOCALE_FROM_PROGRAM
#define TARNEL_LOCALE_FROM_PROGRAM "locale"
#endif

namespace {

constexpr char DOMAIN[] = "tarnel";
// From the program's folder: the build folder's catalogues, then the installed ones.
constexpr const char* CATALOGUE_FOLDERS[] = {
    "locale",
    TARNEL_LOCALE_FROM_PROGRAM,
};

} // namespace

void speak_the_players_language() {
    std::setlocale(LC_MESSAGES, "");
    std::setlocale(LC_CTYPE, "");
    std::error_code unknown;
    const std::filesystem::path program =
        std::filesystem::read_symlink("/proc/self/exe", unknown).parent_path();
    for (const char* folder : CATALOGUE_FOLDERS) {
        const std::filesystem::path catalogues = program / folder;
        if (!program.empty() && std::filesystem::is_directory(catalogues, unknown)) {
            bindtextdomain(DOMAIN, catalogues.c_str());
            break;
        }
    }
    textdomain(DOMAIN);
}
