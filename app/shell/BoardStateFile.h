#pragma once

#include "model/BoardState.h"

#include <QString>

#include <optional>

// The file the board is kept in between launches, beside the user defaults
// (encodeBoardState). Reading belongs to the main thread at launch; writing may
// happen on any one thread at a time.
class BoardStateFile {
public:
    explicit BoardStateFile(QString filePath);

    // "board-state.json" in the user defaults' folder (QStandardPaths::AppConfigLocation).
    static QString defaultFilePath();
    QString filePath() const { return filePath_; }

    // The board kept in the file; nullopt when there is none. A file that cannot be
    // opened or read as a board state is moved aside (to "<file>.corrupt", or with a
    // time stamp if that exists) with one line on stderr, as the defaults do with theirs,
    // so that the next write starts afresh and the damaged file stays for a person to see.
    std::optional<cellarium::BoardState> read();
    // Where read() moved a damaged file; empty when it moved none.
    QString setAsidePath() const { return setAsidePath_; }

    // Replaces the file atomically (a crash leaves the old or the new file), creating
    // its folder. False with the reason in `error` when it cannot.
    bool write(const cellarium::BoardState& state, QString& error) const;

private:
    void setAside(const QString& why);

    QString filePath_;
    QString setAsidePath_;
};
