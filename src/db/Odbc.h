#pragma once
// Thin RAII wrapper over unixODBC: one connection, one statement, values bound as parameters.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "base/ZelError.h"

namespace zel::Db {

// A database failure: the driver's own text (all diagnostic records), and the SQLSTATE of the first.
class Error : public ZelError {
  public:
    Error(const std::string& driverText, std::string sqlState)
        : ZelError(driverText), sqlState_(std::move(sqlState)) {}
    const std::string& sqlState() const { return sqlState_; }

  private:
    std::string sqlState_;
};

struct Null {};
// A parameter value: SQL NULL, an integer, a double or UTF-8 text.
using Value = std::variant<Null, std::int64_t, double, std::string>;

class Connection {
  public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens without ever showing a driver dialog; throws Error with the driver's text.
    void open(const std::string& connectString);
    void close();
    bool isOpen() const { return dbc_ != nullptr; }
    // What the open connection was opened with.
    const std::string& connectString() const { return connectString_; }
    // True when the driver says the link to the server is gone.
    bool isDead() const;
    std::string dbmsName() const;

    // Runs one statement; throws Error. Returns false when an UPDATE or DELETE touched no row.
    bool execute(const std::string& sql, const std::vector<Value>& params = {});

    void setAutoCommit(bool on);
    void commit();
    void rollback() noexcept;

    void* handle() const { return dbc_; }

  private:
    void* dbc_ = nullptr;
    std::string connectString_;
};

// One transaction: begun on construction, rolled back on destruction unless committed.
class Transaction {
  public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    // Commits and checks that the connection is still alive, since a dead link can report success.
    void commit();

  private:
    Connection& connection_;
    bool done_ = false;
};

class Statement {
  public:
    explicit Statement(Connection& connection);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Throws Error. Returns false when the statement reported no data (an UPDATE that touched nothing).
    bool execute(const std::string& sql, const std::vector<Value>& params = {});
    // For probes whose failure is an answer rather than an error: true on success (with or without info).
    bool tryExecute(const std::string& sql) noexcept;

    // Ends the current result early (before a commit, or to reuse the statement).
    void closeCursor() noexcept { reset(); }
    // Advances to the next row; false at the end. Throws Error on a fetch failure.
    bool fetch();
    int columnCount();
    std::string columnName(int column);
    // Index of a result column by name, without regard to case; -1 when absent.
    int findColumn(std::string_view name);

    // Column values of the current row (0-based); nullopt for SQL NULL.
    std::optional<std::string> text(int column);
    std::optional<double> real(int column);
    std::optional<std::int64_t> integer(int column);

  private:
    void bindParameters(const std::vector<Value>& params);
    void reset() noexcept;

    void* stmt_ = nullptr;
    std::vector<Value> boundValues_;
    std::vector<long> boundLengths_;
};

// The driver's diagnostic text for a handle: each record "SQLSTATE: message", joined by newlines.
std::string DiagnosticText(short handleType, void* handle, std::string* firstState = nullptr);

// 'text' with every quote doubled, for the few statement shapes that must stay literal text.
std::string SqlQuote(std::string_view text);

}  // namespace zel::Db
