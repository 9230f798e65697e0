#include "LifeTool.h"

#include "FirstRunPattern.h"
#include "GenerationStep.h"
#include "PatternCoding.h"

#include <charconv>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>

namespace cellarium {

namespace {

constexpr const char* kUsage =
    "usage: cellarium-life step --rows R --generations N [FILE]\n"
    "       cellarium-life first-run\n"
    "\n"
    "step       reads a pattern (a JSON array of {\"x\":X,\"y\":Y} cells) from FILE or standard\n"
    "           input, advances it N generations on a board of R rows (1 to 10000), and\n"
    "           writes the result in the same form to standard output. Cells lacking a\n"
    "           coordinate are dropped.\n"
    "first-run  writes the 40-cell pattern a new player starts with.\n";

constexpr std::int64_t kMaxRows = 10000;

struct Failure {
    std::string message;
};

std::optional<std::int64_t> parseInteger(const std::string& text)
{
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::int64_t integerOption(const std::vector<std::string>& args, std::size_t& i, std::int64_t min, std::int64_t max)
{
    const std::string& name = args[i];
    if (i + 1 >= args.size())
        throw Failure{name + " needs a value"};
    const std::string& text = args[++i];
    const std::optional<std::int64_t> value = parseInteger(text);
    if (!value || *value < min || *value > max)
        throw Failure{name + " must be a whole number from " + std::to_string(min) + " to " + std::to_string(max) +
                      ", not '" + text + "'"};
    return *value;
}

std::string readAll(std::istream& in)
{
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

std::string runStep(const std::vector<std::string>& args, std::istream& in)
{
    std::optional<std::int64_t> rows;
    std::optional<std::int64_t> generations;
    std::optional<std::string> file;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--rows")
            rows = integerOption(args, i, 1, kMaxRows);
        else if (args[i] == "--generations")
            generations = integerOption(args, i, 0, INT64_MAX);
        else if (args[i].starts_with("-") && args[i] != "-")
            throw Failure{"unknown option '" + args[i] + "'"};
        else if (file)
            throw Failure{"only one FILE may be given"};
        else
            file = args[i];
    }
    if (!rows)
        throw Failure{"--rows is required"};
    if (!generations)
        throw Failure{"--generations is required"};

    std::string bytes;
    if (!file || *file == "-") {
        bytes = readAll(in);
    } else {
        std::ifstream stream(*file, std::ios::binary);
        if (!stream)
            throw Failure{"cannot read '" + *file + "'"};
        bytes = readAll(stream);
    }
    std::optional<LifeSet> lifes = decodeBoardPattern(bytes);
    if (!lifes)
        throw Failure{"the input is not a pattern: expected a JSON array of objects with integer \"x\" and \"y\""};
    for (std::int64_t g = 0; g < *generations && !lifes->empty(); ++g) {
        LifeSet next = nextGeneration(*lifes, *rows);
        if (next == *lifes)
            break;  // a still pattern stays still
        *lifes = std::move(next);
    }
    return encodePattern(*lifes);
}

}  // namespace

int runLifeTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err)
{
    if (args.empty()) {
        err << "cellarium-life: no command given; see --help\n";
        return 2;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        out << kUsage;
        return 0;
    }
    try {
        if (args[0] == "step") {
            out << runStep(args, in);
            return 0;
        }
        if (args[0] == "first-run") {
            if (args.size() > 1)
                throw Failure{"unexpected argument '" + args[1] + "': 'first-run' takes none"};
            out << encodePattern(firstRunPattern());
            return 0;
        }
        throw Failure{"unknown command '" + args[0] + "'; see --help"};
    } catch (const Failure& failure) {
        err << "cellarium-life: " << failure.message << '\n';
        return 2;
    }
}

}  // namespace cellarium
