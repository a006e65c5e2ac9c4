// main.cpp -- the program entry: no arguments, no command line; the game runs until it ends itself.
#include "runtime/paths.h"
#include "shell/game.h"

int main() {
    enter_program_folder();
    start_game();
    run_main_loop();
}
