#include "ArchiveTool.h"
#include "StoreLocation.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    return cellarium::runArchiveTool({argv + 1, argv + argc}, cellarium::coreLifeStoreFile(), std::cin, std::cout,
                                     std::cerr);
}
