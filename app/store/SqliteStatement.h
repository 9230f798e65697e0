#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace cellarium {

// A prepared SQLite statement, finalized when destroyed. Used on the thread of
// its connection; the connection must outlive it.
class SqliteStatement {
public:
    SqliteStatement() = default;
    // On failure isPrepared() is false and the connection's error message says why.
    SqliteStatement(sqlite3* db, std::string_view sql);
    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement& operator=(SqliteStatement&& other) noexcept;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;
    ~SqliteStatement();

    bool isPrepared() const { return statement_ != nullptr; }

    // Bind parameters counted from 1; an absent value binds NULL.
    void bind(int index, std::optional<std::int64_t> value);
    void bind(int index, const std::optional<std::string>& bytes);

    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step();
    // Ready to run again; bindings are kept until rebound.
    void reset();

    bool isNull(int column) const;
    std::int64_t integer(int column) const;
    double real(int column) const;
    int type(int column) const;
    std::string bytes(int column) const;

private:
    sqlite3_stmt* statement_ = nullptr;
};

}  // namespace cellarium
