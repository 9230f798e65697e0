#include "LifeTool.h"

#include "FirstRunPattern.h"
#include "GenerationStep.h"
#include "PatternCoding.h"
#include "ToolInput.h"

#include <charconv>
#include <iostream>
#include <new>
#include <optional>

namespace cellarium {

namespace {

constexpr const char* kUsage =
    "usage: cellarium-life step --rows R --generations N [FILE]\n"
    "       cellarium-life first-run\n"
    "\n"
    "step       reads a pattern (a JSON array of {\"x\":X,\"y\":Y} cells, at most 64 MiB) from\n"
    "           FILE or standard input, advances it N generations (0 to 1000000000) on a\n"
    "           board of R rows (1 to 10000), and writes the result in the same form to\n"
    "           standard output. Cells lacking a coordinate are dropped. Ctrl+C stops it.\n"
    "first-run  writes the 40-cell pattern a new player starts with.\n"
    "\n"
    "Exit status: 0 on success; 1 when the output cannot be written or memory runs out;\n"
    "2 on bad arguments or input (unreadable, too large, not a pattern); 130 when\n"
    "interrupted.\n";

constexpr std::int64_t kMaxRows = 10000;
constexpr std::int64_t kMaxGenerations = 1'000'000'000;
constexpr int kInterruptedStatus = 128 + 2;  // as a shell reports SIGINT

struct Failure {
    std::string message;
};

struct Interrupted {};

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

std::string runStep(const std::vector<std::string>& args, std::istream& in, const volatile std::sig_atomic_t* interrupted)
{
    auto stopIfInterrupted = [interrupted] {
        if (interrupted && *interrupted)
            throw Interrupted{};
    };
    std::optional<std::int64_t> rows;
    std::optional<std::int64_t> generations;
    std::optional<std::string> file;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--rows")
            rows = integerOption(args, i, 1, kMaxRows);
        else if (args[i] == "--generations")
            generations = integerOption(args, i, 0, kMaxGenerations);
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
    try {
        bytes = readToolInput(file, in);
    } catch (const ToolInputError& error) {
        stopIfInterrupted();  // a read cut short by Ctrl+C
        throw Failure{error.what()};
    }
    stopIfInterrupted();
    std::optional<LifeSet> lifes = decodeBoardPattern(bytes);
    bytes = std::string();
    if (!lifes)
        throw Failure{"the input is not a pattern: expected a JSON array of objects with integer \"x\" and \"y\""};
    for (std::int64_t g = 0; g < *generations && !lifes->empty(); ++g) {
        stopIfInterrupted();
        LifeSet next = nextGeneration(*lifes, *rows);
        if (next == *lifes)
            break;  // a still pattern stays still
        *lifes = std::move(next);
    }
    return encodePattern(*lifes);
}

}  // namespace

int runLifeTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
                const volatile std::sig_atomic_t* interrupted)
{
    if (args.empty()) {
        err << "cellarium-life: no command given; see --help\n";
        return 2;
    }
    try {
        std::string result;
        if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
            result = kUsage;
        } else if (args[0] == "step") {
            result = runStep(args, in, interrupted);
        } else if (args[0] == "first-run") {
            if (args.size() > 1)
                throw Failure{"unexpected argument '" + args[1] + "': 'first-run' takes none"};
            result = encodePattern(firstRunPattern());
        } else {
            throw Failure{"unknown command '" + args[0] + "'; see --help"};
        }
        out.write(result.data(), static_cast<std::streamsize>(result.size()));
        out.flush();
        if (!out) {
            err << "cellarium-life: cannot write the result to standard output\n";
            return 1;
        }
        return 0;
    } catch (const Failure& failure) {
        err << "cellarium-life: " << failure.message << '\n';
        return 2;
    } catch (const Interrupted&) {
        err << "cellarium-life: interrupted\n";
        return kInterruptedStatus;
    } catch (const std::bad_alloc&) {
        err << "cellarium-life: out of memory\n";
        return 1;
    }
}

}  // namespace cellarium
