// The player's language for the program's messages, from catalogues found beside the program.
#pragma once

// Takes the language for messages, and the character set, from the environment (numbers keep
// the C locale's form), and reads the catalogues from the build folder or the installed tree.
void speak_the_players_language();
