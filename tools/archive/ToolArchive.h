#pragma once

#include "store/CoreLifeContainer.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace cellarium {

// Why a command of cellarium-archive stopped, in one line for standard error.
struct ToolFailure {
    std::string message;
};

// The archive as cellarium-archive opens it for one command: every failure is thrown
// as a ToolFailure. One thread.
class ToolArchive {
public:
    enum class Use {
        Read,    // a missing archive is empty; nothing is written
        Change,  // a missing archive is empty and is not created
        Add,     // a missing archive is created
    };

    ToolArchive(const std::optional<std::filesystem::path>& file, Use use);

    // Every record, newest first; none for a missing archive.
    std::vector<std::shared_ptr<CoreLife>> records();
    // Record number `indexText` of the list (0 is the newest).
    std::shared_ptr<CoreLife> record(const std::string& indexText);
    // The record whose id (the third column of `list`) is `idText`.
    std::shared_ptr<CoreLife> recordWithId(const std::string& idText);

    // A record's pattern; a failed read is a failure, never an absent pattern.
    static const std::optional<std::string>& lifeData(const CoreLife& record);

    // Precondition: the archive exists (opened with `create`, or a record was found).
    CoreLifeContext& context() { return container_->viewContext(); }

    void save(const std::string& doing);

private:
    std::unique_ptr<CoreLifeContainer> container_;
};

}  // namespace cellarium
