#pragma once

#include "LifeTool.h"

#include <sstream>
#include <string>
#include <vector>

// cellarium-life run in process on `input`, with what it wrote and its status.
struct LifeToolRun {
    int status;
    std::string out;
    std::string err;
};

inline LifeToolRun runLife(const std::vector<std::string>& args, const std::string& input = "")
{
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = cellarium::runLifeTool(args, in, out, err);
    return {status, out.str(), err.str()};
}
