#include "ArchiveTool.h"
#include "store/StoreLocation.h"

#include <cstring>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "cellarium-archive " CELLARIUM_VERSION "\n";
        return std::cout.flush() ? 0 : 1;
    }
    std::ios::sync_with_stdio(false);
    return cellarium::runArchiveTool({argv + 1, argv + argc}, cellarium::coreLifeStoreFile(), std::cin, std::cout,
                                     std::cerr);
}
