#include "store/SqliteStatement.h"

#include <sqlite3.h>

#include <utility>

namespace cellarium {

SqliteStatement::SqliteStatement(sqlite3* db, std::string_view sql)
{
    if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &statement_, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement_);
        statement_ = nullptr;
    }
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept : statement_(std::exchange(other.statement_, nullptr)) {}

SqliteStatement& SqliteStatement::operator=(SqliteStatement&& other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(statement_);
        statement_ = std::exchange(other.statement_, nullptr);
    }
    return *this;
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(statement_);
}

void SqliteStatement::bind(int index, std::optional<std::int64_t> value)
{
    if (value)
        sqlite3_bind_int64(statement_, index, *value);
    else
        sqlite3_bind_null(statement_, index);
}

void SqliteStatement::bind(int index, const std::optional<std::string>& bytes)
{
    if (bytes)
        sqlite3_bind_blob64(statement_, index, bytes->data(), bytes->size(), SQLITE_TRANSIENT);
    else
        sqlite3_bind_null(statement_, index);
}

int SqliteStatement::step()
{
    return sqlite3_step(statement_);
}

void SqliteStatement::reset()
{
    sqlite3_reset(statement_);
}

bool SqliteStatement::isNull(int column) const
{
    return type(column) == SQLITE_NULL;
}

std::int64_t SqliteStatement::integer(int column) const
{
    return sqlite3_column_int64(statement_, column);
}

double SqliteStatement::real(int column) const
{
    return sqlite3_column_double(statement_, column);
}

int SqliteStatement::type(int column) const
{
    return sqlite3_column_type(statement_, column);
}

std::string SqliteStatement::bytes(int column) const
{
    // sqlite3_column_blob may return null for an empty value, so the size is asked after it.
    const void* data = sqlite3_column_blob(statement_, column);
    const int size = sqlite3_column_bytes(statement_, column);
    return data ? std::string(static_cast<const char*>(data), static_cast<std::size_t>(size)) : std::string();
}

}  // namespace cellarium
