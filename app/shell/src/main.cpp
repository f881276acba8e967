#include "shell/launch.h"

int main(int argc, char** argv) {
    return shell::run(argc, argv);
}
