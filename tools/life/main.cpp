#include "LifeTool.h"

#include <csignal>
#include <cstring>
#include <iostream>

namespace {

volatile std::sig_atomic_t interrupted = 0;

void interrupt(int)
{
    interrupted = 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "cellarium-life " CELLARIUM_VERSION "\n";
        return std::cout.flush() ? 0 : 1;
    }
    std::ios::sync_with_stdio(false);
    // Without SA_RESTART a blocked read returns, so Ctrl+C also ends a wait for input.
    struct sigaction action {};
    action.sa_handler = interrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    return cellarium::runLifeTool({argv + 1, argv + argc}, std::cin, std::cout, std::cerr, &interrupted);
}
