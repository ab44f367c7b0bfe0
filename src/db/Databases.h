#pragma once
// The working and the CSS database connections of one running ZEL, with the operations every
// other subsystem relies on: dialect, the comments-column flag, the column upgrade and key drawing.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "base/MessageSink.h"
#include "db/DatabaseSettings.h"
#include "db/DbDialect.h"
#include "db/Odbc.h"
#include "db/Schema.h"

namespace zel {

class Databases {
  public:
    Databases(DatabaseSettings settings, MessageSink& messages);

    std::string buildWorkConnect() const;
    // Empty when no CSS database is configured.
    std::string buildCssConnect() const;

    // 1 when open; 0 after a failure (the failure was shown).
    int openWorkDb();
    int openCssDb();
    void closeAll();

    Db::Connection& work() { return work_; }
    Db::Connection& css() { return css_; }
    bool cssAvailable() const { return cssAvailable_; }
    DbDialect dialect() const { return dialect_; }
    // Name of the comment column of ORIGIN on this schema.
    const char* originCommentColumn() const { return commentsColumn_ ? "COMMENTS" : "COMMENT"; }
    bool hasCommentsColumn() const { return commentsColumn_; }
    const DatabaseSettings& settings() const { return settings_; }

    bool columnExists(const std::string& table, const std::string& column);
    int alterColumn(const std::string& table, const ColumnDef& column);
    void upgradeSchema();

    // Who hears that a statement waits for another program (a status bar, stderr); the text is
    // the analyst's. Nobody by default.
    void setWaitNotice(std::function<void(const std::string& text)> notice) {
        waitNotice_ = std::move(notice);
    }
    void tellWaiting(const std::string& text) const {
        if (waitNotice_) waitNotice_(text);
    }

    // A new key from LASTID, or -1. Drawn in one transaction, so two programs never get the same key.
    std::int64_t nextKey(const std::string& keyName);
    std::int64_t nextArid() { return nextKey("arid"); }
    std::int64_t nextOrid() { return nextKey("orid"); }

  private:
    void showDbError(const std::string& text);

    DatabaseSettings settings_;
    MessageSink& messages_;
    Db::Connection work_;
    Db::Connection css_;
    bool cssAvailable_ = false;
    DbDialect dialect_ = kDialectAccess;
    bool commentsColumn_ = false;
    std::function<void(const std::string&)> waitNotice_;
};

// The statement that adds a missing column or re-types an existing one; nullopt where the
// server cannot re-type (SQLite), so the column is left as it is.
std::optional<std::string> AlterColumnStatement(const std::string& table, const ColumnDef& column,
                                                bool exists, DbDialect dialect);

// The start-up opening of both databases, with the caller's own failure messages.
void OpenDatabases(Databases& databases, MessageSink& messages);

// The "reconnect" command: asks, then closes and reopens both databases. True when it ran.
bool ReconnectCommand(Databases& databases, MessageSink& messages);

}  // namespace zel
