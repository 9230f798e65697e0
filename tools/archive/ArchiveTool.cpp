#include "ArchiveTool.h"

#include "ArchiveExport.h"
#include "IsoDate.h"
#include "model/BoardSize.h"
#include "model/PatternCoding.h"
#include "model/PatternText.h"
#include "model/PlacedPattern.h"
#include "ToolArchive.h"
#include "ToolInput.h"

#include <charconv>
#include <chrono>
#include <fstream>
#include <iostream>
#include <memory>
#include <new>

namespace cellarium {

namespace {

constexpr const char* kUsage =
    "usage: cellarium-archive list\n"
    "       cellarium-archive add [FILE] [--rows R]\n"
    "       cellarium-archive show (N | --id ID) [--to FORMAT]\n"
    "       cellarium-archive delete (N | --id ID)\n"
    "       cellarium-archive export [FILE]\n"
    "       cellarium-archive import [FILE]\n"
    "\n"
    "Works on the archive of saved patterns that the app uses,\n"
    "$XDG_DATA_HOME/cellarium/CoreLife.sqlite (XDG_DATA_HOME is ~/.local/share by default).\n"
    "\n"
    "list    one line per record, newest first: the date it was archived (ISO 8601, UTC;\n"
    "        '-' when it has none), a tab, its number of cells, or 'invalid' when it\n"
    "        holds no pattern that decodes, a tab, and its record id\n"
    "add     reads a pattern (at most 64 MiB) from FILE or standard input and archives it,\n"
    "        dated now: JSON (a JSON array of {\"x\":X,\"y\":Y} cells) as it is, RLE or\n"
    "        plaintext (.cells) in JSON, placed by RLE's #CXRLE Pos line or centred, on a\n"
    "        board of R rows (default 190) or the smallest larger size that holds it\n"
    "show    writes the pattern of record N of the list (0 is the newest), or of the\n"
    "        record with id ID, byte for byte, or with --to in FORMAT: json, rle or cells\n"
    "delete  deletes record N of the list, or the record with id ID; ids never change\n"
    "        and are never reused, so --id acts on the record listed even when another\n"
    "        was saved since, where N would count that one too\n"
    "export  writes every record (date and pattern bytes, exactly) to FILE or standard\n"
    "        output as one file, 'Cellarium archive export 1': a safe backup at any time\n"
    "import  adds every record of such a file (FILE or standard input, at most 1 GiB) to\n"
    "        the archive, all in one transaction; a bad file adds nothing\n"
    "\n"
    "Exit status: 0 on success; 1 when the output cannot be written or memory runs out;\n"
    "2 on bad input, a missing record or an unavailable archive.\n";

using Failure = ToolFailure;
using Archive = ToolArchive;

void expectArguments(const std::vector<std::string>& args, std::size_t count)
{
    if (args.size() != count)
        throw Failure{"'" + args[0] + "' takes " + (count == 1 ? "no arguments" : "one argument") + "; see --help"};
}

void list(const std::vector<std::string>& args, const std::optional<std::filesystem::path>& file, std::ostream& out)
{
    expectArguments(args, 1);
    Archive archive(file, Archive::Use::Read);
    std::string lines;
    for (const std::shared_ptr<CoreLife>& record : archive.records()) {
        lines += record->addedDate() ? isoDate(*record->addedDate()) : "-";
        lines += '\t';
        const std::optional<std::string>& bytes = Archive::lifeData(*record);
        const std::optional<LifeSet> lifes = bytes ? decodePattern(*bytes) : std::nullopt;
        lines += lifes ? std::to_string(lifes->count()) : "invalid";
        lines += '\t';
        lines += record->objectID() ? std::to_string(*record->objectID()) : "-";
        lines += '\n';
    }
    out << lines;
}

// The value after option args[i], moving i past it.
const std::string& optionValue(const std::vector<std::string>& args, std::size_t& i)
{
    if (i + 1 >= args.size())
        throw Failure{args[i] + " needs a value"};
    return args[++i];
}

void add(const std::vector<std::string>& args, const std::optional<std::filesystem::path>& file, std::istream& in)
{
    std::int64_t rows = 190;
    std::optional<std::string> input;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--rows") {
            const std::string& text = optionValue(args, i);
            const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), rows);
            if (ec != std::errc{} || end != text.data() + text.size() || rows < 1 || rows > kMaxPatternTextRows)
                throw Failure{"--rows must be a whole number from 1 to " + std::to_string(kMaxPatternTextRows) +
                              ", not '" + text + "'"};
        } else if (args[i].starts_with("-") && args[i] != "-") {
            throw Failure{"unknown option '" + args[i] + "'"};
        } else if (input) {
            throw Failure{"'add' takes at most one FILE; see --help"};
        } else {
            input = args[i];
        }
    }
    std::string bytes = readToolInput(input, in);
    const std::optional<PatternFormat> format = sniffPatternFormat(bytes);
    if (format == PatternFormat::json || !format) {
        // Every record holds the JSON encoding: JSON is kept byte for byte.
        if (!decodePattern(bytes))
            throw Failure{"the input is not a pattern: expected JSON, RLE or plaintext; JSON is an array of objects "
                          "with integer \"x\" and \"y\""};
    } else {
        // Stored where it would load: an RLE placed beyond this board by its Pos line
        // keeps its place on the larger board that holds it.
        PatternReading read = readPatternTextForBoard(bytes, rows, format);
        if (!read)
            throw Failure{read.fault};
        const std::optional<PlacedPattern> fitted =
            fitPatternToBoard(PlacedPattern(std::move(*read.lifes), read.rows), rows);
        if (!fitted)
            throw Failure{"the pattern has cells beyond every board size up to " +
                          std::to_string(kBoardSizes.back()) + " x " + std::to_string(kBoardSizes.back())};
        bytes = encodePattern(fitted->lifes);
    }

    Archive archive(file, Archive::Use::Add);
    const std::shared_ptr<CoreLife> record = archive.context().insertNewObject();
    record->setLifeData(std::move(bytes));
    record->setAddedDate(std::chrono::floor<std::chrono::milliseconds>(std::chrono::system_clock::now()));
    archive.save("archive the pattern");
}

// Which record a command names: N (its place in the list) or --id ID.
struct RecordChoice {
    std::string text;
    bool byId = false;

    std::string name() const { return byId ? "the record with id " + text : "record " + text; }
    std::shared_ptr<CoreLife> in(Archive& archive) const
    {
        return byId ? archive.recordWithId(text) : archive.record(text);
    }
};

// Reads `N` or `--id ID` from args[i...], moving i past it.
RecordChoice recordChoice(const std::vector<std::string>& args, std::size_t& i)
{
    if (args[i] == "--id")
        return {optionValue(args, i), true};
    if (args[i].starts_with("--"))
        throw Failure{"unknown option '" + args[i] + "'"};
    return {args[i], false};
}

void show(const std::vector<std::string>& args, const std::optional<std::filesystem::path>& file, std::ostream& out)
{
    std::optional<PatternFormat> format;
    std::optional<RecordChoice> choice;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--to" && !format) {
            const std::string& name = optionValue(args, i);
            format = patternFormatNamed(name);
            if (!format)
                throw Failure{"--to must be json, rle or cells, not '" + name + "'"};
        } else if (!choice) {
            choice = recordChoice(args, i);
        } else {
            throw Failure{"'show' takes one record, N or --id ID, and at most one --to; see --help"};
        }
    }
    if (!choice)
        throw Failure{"'show' takes a record, N or --id ID; see --help"};
    Archive archive(file, Archive::Use::Read);
    const std::shared_ptr<CoreLife> record = choice->in(archive);
    const std::optional<std::string>& bytes = Archive::lifeData(*record);
    if (!bytes)
        throw Failure{choice->name() + " holds no pattern data"};
    if (!format) {
        out.write(bytes->data(), static_cast<std::streamsize>(bytes->size()));
        return;
    }
    const std::optional<LifeSet> lifes = decodeBoardPattern(*bytes);
    if (!lifes)
        throw Failure{choice->name() + " holds no pattern that decodes"};
    out << writePatternText(*lifes, *format);
}

constexpr std::size_t kMaxImportBytes = std::size_t{1} << 30;

void exportAll(const std::vector<std::string>& args, const std::optional<std::filesystem::path>& file,
               std::ostream& out)
{
    if (args.size() > 2)
        throw Failure{"'export' takes at most one FILE; see --help"};
    Archive archive(file, Archive::Use::Read);
    std::vector<CoreLifeRow> rows;
    for (const std::shared_ptr<CoreLife>& record : archive.records())
        rows.push_back({std::nullopt, record->addedDate(), Archive::lifeData(*record)});
    const std::string bytes = exportRecords(rows);
    if (args.size() == 1 || args[1] == "-") {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return;
    }
    std::ofstream stream(args[1], std::ios::binary | std::ios::trunc);
    stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    stream.close();
    if (!stream)
        throw Failure{"cannot write '" + args[1] + "'"};
}

void importAll(const std::vector<std::string>& args, const std::optional<std::filesystem::path>& file,
               std::istream& in)
{
    if (args.size() > 2)
        throw Failure{"'import' takes at most one FILE; see --help"};
    const std::string bytes = readToolInput(args.size() == 2 ? std::optional(args[1]) : std::nullopt, in, kMaxImportBytes);
    std::string why;
    const std::optional<std::vector<CoreLifeRow>> rows = importRecords(bytes, why);
    if (!rows)
        throw Failure{"nothing imported: " + why};
    Archive archive(file, Archive::Use::Add);
    // Oldest first, so that records of equal date list in the exported order.
    for (auto row = rows->rbegin(); row != rows->rend(); ++row) {
        const std::shared_ptr<CoreLife> record = archive.context().insertNewObject();
        record->setAddedDate(row->addedDate);
        record->setLifeData(row->lifeData);
    }
    archive.save("import the records");
}

void remove(const std::vector<std::string>& args, const std::optional<std::filesystem::path>& file)
{
    std::size_t i = 1;
    if (args.size() < 2)
        throw Failure{"'delete' takes a record, N or --id ID; see --help"};
    const RecordChoice choice = recordChoice(args, i);
    if (i + 1 != args.size())
        throw Failure{"'delete' takes one record, N or --id ID; see --help"};
    Archive archive(file, Archive::Use::Change);
    const std::shared_ptr<CoreLife> record = choice.in(archive);  // throws first when the archive is missing
    archive.context().deleteObject(record);
    archive.save("delete " + choice.name());
}

}  // namespace

int runArchiveTool(const std::vector<std::string>& args, const std::optional<std::filesystem::path>& storeFile,
                   std::istream& in, std::ostream& out, std::ostream& err)
{
    if (args.empty()) {
        err << "cellarium-archive: no command given; see --help\n";
        return 2;
    }
    try {
        if (args[0] == "--help" || args[0] == "-h" || args[0] == "help")
            out << kUsage;
        else if (args[0] == "list")
            list(args, storeFile, out);
        else if (args[0] == "add")
            add(args, storeFile, in);
        else if (args[0] == "show")
            show(args, storeFile, out);
        else if (args[0] == "delete")
            remove(args, storeFile);
        else if (args[0] == "export")
            exportAll(args, storeFile, out);
        else if (args[0] == "import")
            importAll(args, storeFile, in);
        else
            throw Failure{"unknown command '" + args[0] + "'; see --help"};
        out.flush();
        if (!out) {
            err << "cellarium-archive: cannot write to standard output\n";
            return 1;
        }
        return 0;
    } catch (const Failure& failure) {
        err << "cellarium-archive: " << failure.message << '\n';
        return 2;
    } catch (const ToolInputError& error) {
        err << "cellarium-archive: " << error.what() << '\n';
        return 2;
    } catch (const std::bad_alloc&) {
        err << "cellarium-archive: out of memory\n";
        return 1;
    }
}

}  // namespace cellarium
