#include "LifeTool.h"

#include "model/BoardSize.h"
#include "model/FirstRunPattern.h"
#include "model/GenerationStep.h"
#include "model/LifeEngine.h"
#include "model/PatternCoding.h"
#include "model/PatternText.h"
#include "model/PlacedPattern.h"
#include "model/StepWindow.h"
#include "ToolInput.h"

#include <algorithm>
#include <charconv>
#include <iostream>
#include <new>
#include <optional>

namespace cellarium {

namespace {

constexpr const char* kUsage =
    "usage: cellarium-life step --rows R --generations N [FILE] [--from FORMAT] [--to FORMAT] [--stats]\n"
    "       cellarium-life convert --to FORMAT [FILE] [--from FORMAT] [--rows R]\n"
    "       cellarium-life first-run\n"
    "\n"
    "step       reads a pattern (at most 64 MiB) from FILE or standard input, advances it\n"
    "           N generations (0 to 1000000000) on a board of R rows (1 to 10000), and\n"
    "           writes the result to standard output. Cells lacking a coordinate are\n"
    "           dropped. Ctrl+C stops it. Once the pattern repeats, whole periods are\n"
    "           skipped. --stats writes the generation reached, the live cells on the\n"
    "           board and its margin, and the period once one was found, to standard\n"
    "           error.\n"
    "convert    reads a pattern as step does and writes it in another format, unstepped;\n"
    "           R (default 190) is the board it is placed on.\n"
    "first-run  writes the 40-cell pattern a new player starts with.\n"
    "\n"
    "FORMAT is json (a JSON array of {\"x\":X,\"y\":Y} cells, the app's own form), rle\n"
    "(run-length encoded, rule B3/S23) or cells (plaintext: '.' dead, 'O' alive). --from\n"
    "defaults to the format the content shows, --to to json. JSON keeps its coordinates;\n"
    "RLE stands where its '#CXRLE Pos=X,Y' line puts it (Golly's place relative to the\n"
    "board's centre, which RLE output carries too), else centred, as plaintext is. A\n"
    "pattern with cells beyond the board goes on the smallest board size of the app\n"
    "(380 or 760) that holds it, as the app does; none holding it is bad input.\n"
    "\n"
    "Exit status: 0 on success; 1 when the output cannot be written or memory runs out;\n"
    "2 on bad arguments or input (unreadable, too large, not a pattern); 130 when\n"
    "interrupted.\n";

constexpr std::int64_t kMaxRows = 10000;
constexpr std::int64_t kMaxGenerations = 1'000'000'000;
// Ctrl+C is noticed within this many generations (well under a millisecond
// each on the largest board).
constexpr std::int64_t kGenerationsBetweenChecks = 64;
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

PatternFormat formatOption(const std::vector<std::string>& args, std::size_t& i)
{
    const std::string& name = args[i];
    if (i + 1 >= args.size())
        throw Failure{name + " needs a value"};
    const std::string& text = args[++i];
    if (const std::optional<PatternFormat> format = patternFormatNamed(text))
        return *format;
    throw Failure{name + " must be json, rle or cells, not '" + text + "'"};
}

struct Options {
    std::optional<std::int64_t> rows;
    std::optional<std::int64_t> generations;
    std::optional<PatternFormat> from;
    std::optional<PatternFormat> to;
    std::optional<std::string> file;
    bool stats = false;
};

Options parseOptions(const std::vector<std::string>& args, bool stepping)
{
    Options options;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--rows")
            options.rows = integerOption(args, i, 1, kMaxRows);
        else if (args[i] == "--generations" && stepping)
            options.generations = integerOption(args, i, 0, kMaxGenerations);
        else if (args[i] == "--stats" && stepping)
            options.stats = true;
        else if (args[i] == "--from")
            options.from = formatOption(args, i);
        else if (args[i] == "--to")
            options.to = formatOption(args, i);
        else if (args[i].starts_with("-") && args[i] != "-")
            throw Failure{"unknown option '" + args[i] + "'"};
        else if (options.file)
            throw Failure{"only one FILE may be given"};
        else
            options.file = args[i];
    }
    return options;
}

// The pattern on the board it loads onto from a board of `rows` (fitPatternToBoard).
PlacedPattern readPattern(const Options& options, std::int64_t rows, std::istream& in,
                          const volatile std::sig_atomic_t* interrupted)
{
    auto stopIfInterrupted = [interrupted] {
        if (interrupted && *interrupted)
            throw Interrupted{};
    };
    std::string bytes;
    try {
        bytes = readToolInput(options.file, in);
    } catch (const ToolInputError& error) {
        stopIfInterrupted();  // a read cut short by Ctrl+C
        throw Failure{error.what()};
    }
    stopIfInterrupted();
    PatternReading read = readPatternTextForBoard(bytes, rows, options.from);
    if (!read)
        throw Failure{read.fault};
    std::optional<PlacedPattern> fitted = fitPatternToBoard(PlacedPattern(std::move(*read.lifes), read.rows), rows);
    if (!fitted) {
        const std::int64_t largest = kBoardSizes.back();
        const std::string board = std::to_string(rows) + " x " + std::to_string(rows);
        throw Failure{rows >= largest ? "the pattern has cells beyond the board of " + board
                                      : "the pattern has cells beyond the board of " + board + " and every larger size up to " +
                                            std::to_string(largest) + " x " + std::to_string(largest)};
    }
    return std::move(*fitted);
}

std::string runConvert(const std::vector<std::string>& args, std::istream& in, const volatile std::sig_atomic_t* interrupted)
{
    const Options options = parseOptions(args, false);
    if (!options.to)
        throw Failure{"--to is required"};
    const PlacedPattern pattern = readPattern(options, options.rows.value_or(kBoardSizes.front()), in, interrupted);
    return writePatternText(pattern.lifes, *options.to, pattern.rows);
}

struct StepResult {
    std::string text;
    std::string stats;  // the --stats line, or empty
};

std::string statsLine(std::int64_t generation, std::size_t population, std::int64_t period)
{
    std::string line = "generation " + std::to_string(generation) + ", population " + std::to_string(population);
    if (period != 0)
        line += ", period " + std::to_string(period);
    return line + "\n";
}

StepResult runStep(const std::vector<std::string>& args, std::istream& in, const volatile std::sig_atomic_t* interrupted)
{
    auto stopIfInterrupted = [interrupted] {
        if (interrupted && *interrupted)
            throw Interrupted{};
    };
    const Options options = parseOptions(args, true);
    const std::optional<std::int64_t> rows = options.rows;
    const std::optional<std::int64_t> generations = options.generations;
    if (!rows)
        throw Failure{"--rows is required"};
    if (!generations)
        throw Failure{"--generations is required"};

    PlacedPattern pattern = readPattern(options, *rows, in, interrupted);
    const std::int64_t side = *pattern.rows;
    LifeSet& lifes = pattern.lifes;
    std::string stats;
    if (side <= LifeEngine::kMaxRows) {
        // Once the engine knows the pattern's period the rest costs nothing, so
        // the remaining generations go in one call.
        LifeEngine engine(lifes, side);
        while (engine.generation() < *generations) {
            stopIfInterrupted();
            const std::int64_t left = *generations - engine.generation();
            engine.run(engine.period() != 0 ? left : std::min(left, kGenerationsBetweenChecks));
        }
        lifes = engine.lifes();
        stats = statsLine(engine.generation(), engine.population(), engine.period());
    } else {
        for (std::int64_t g = 0; g < *generations && !lifes.empty(); ++g) {
            stopIfInterrupted();
            LifeSet next = nextGeneration(lifes, side);
            if (next == lifes)
                break;  // a still pattern stays still
            lifes = std::move(next);
        }
        const StepWindow window = StepWindow::forRows(side);
        std::size_t population = 0;
        lifes.forEachPlaced([&](std::int64_t x, std::int64_t y) { population += window.contains(x, y) ? 1 : 0; });
        stats = statsLine(*generations, population, 0);
    }
    return {writePatternText(lifes, options.to.value_or(PatternFormat::json), side), options.stats ? stats : ""};
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
        std::string stats;
        if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
            result = kUsage;
        } else if (args[0] == "step") {
            StepResult step = runStep(args, in, interrupted);
            result = std::move(step.text);
            stats = std::move(step.stats);
        } else if (args[0] == "convert") {
            result = runConvert(args, in, interrupted);
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
        err << stats;
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
