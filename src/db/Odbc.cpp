#include "db/Odbc.h"

#include <sql.h>
#include <sqlext.h>
#include <strings.h>

#include <cstring>

namespace zel::Db {
namespace {

bool Succeeded(SQLRETURN rc) { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO; }

SQLHENV Environment() {
    static SQLHENV env = [] {
        SQLHENV h = SQL_NULL_HENV;
        if (!Succeeded(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &h)))
            throw Error("ODBC: the driver manager could not allocate an environment", "HY001");
        SQLSetEnvAttr(h, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        return h;
    }();
    return env;
}

[[noreturn]] void Throw(SQLSMALLINT type, SQLHANDLE handle, const char* fallback) {
    std::string state;
    std::string text = DiagnosticText(type, handle, &state);
    throw Error(text.empty() ? std::string(fallback) : text, state);
}

}  // namespace

std::string DiagnosticText(short handleType, void* handle, std::string* firstState) {
    std::string out;
    for (SQLSMALLINT i = 1;; ++i) {
        SQLCHAR state[6] = {};
        SQLINTEGER native = 0;
        SQLCHAR message[SQL_MAX_MESSAGE_LENGTH + 1] = {};
        SQLSMALLINT length = 0;
        SQLRETURN rc = SQLGetDiagRec(handleType, handle, i, state, &native, message, sizeof message, &length);
        if (!Succeeded(rc)) break;
        if (i == 1 && firstState) *firstState = reinterpret_cast<char*>(state);
        if (!out.empty()) out += '\n';
        out += reinterpret_cast<char*>(state);
        out += ": ";
        out += reinterpret_cast<char*>(message);
    }
    return out;
}

std::string SqlQuote(std::string_view text) {
    std::string out = "'";
    for (char c : text) {
        if (c == '\'') out += '\'';
        out += c;
    }
    out += '\'';
    return out;
}

// ---------------------------------------------------------------- Connection

Connection::Connection() = default;

Connection::~Connection() { close(); }

void Connection::open(const std::string& connectString) {
    close();
    SQLHDBC dbc = SQL_NULL_HDBC;
    if (!Succeeded(SQLAllocHandle(SQL_HANDLE_DBC, Environment(), &dbc)))
        Throw(SQL_HANDLE_ENV, Environment(), "ODBC: cannot allocate a connection");
    SQLSetConnectAttr(dbc, SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(15), 0);
    SQLCHAR out[1024];
    SQLSMALLINT outLength = 0;
    SQLRETURN rc =
        SQLDriverConnect(dbc, nullptr, reinterpret_cast<SQLCHAR*>(const_cast<char*>(connectString.c_str())),
                         SQL_NTS, out, sizeof out, &outLength, SQL_DRIVER_NOPROMPT);
    if (!Succeeded(rc)) {
        std::string state;
        std::string text = DiagnosticText(SQL_HANDLE_DBC, dbc, &state);
        SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        throw Error(text.empty() ? "ODBC: connection failed" : text, state);
    }
    dbc_ = dbc;
    connectString_ = connectString;
}

void Connection::close() {
    if (!dbc_) return;
    SQLEndTran(SQL_HANDLE_DBC, dbc_, SQL_ROLLBACK);
    SQLDisconnect(dbc_);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
    dbc_ = nullptr;
}

bool Connection::isDead() const {
    if (!dbc_) return true;
    SQLUINTEGER dead = SQL_CD_FALSE;
    SQLRETURN rc = SQLGetConnectAttr(dbc_, SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr);
    return Succeeded(rc) && dead == SQL_CD_TRUE;
}

std::string Connection::dbmsName() const {
    if (!dbc_) return {};
    char name[257] = {};
    SQLSMALLINT length = 0;
    if (!Succeeded(SQLGetInfo(dbc_, SQL_DBMS_NAME, name, sizeof name, &length))) return {};
    return name;
}

bool Connection::execute(const std::string& sql, const std::vector<Value>& params) {
    Statement statement(*this);
    return statement.execute(sql, params);
}

void Connection::setAutoCommit(bool on) {
    if (!dbc_) throw Error("ODBC: no open connection", "08003");
    auto value = on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF;
    if (!Succeeded(SQLSetConnectAttr(dbc_, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(value), 0)))
        Throw(SQL_HANDLE_DBC, dbc_, "ODBC: cannot change the transaction mode");
}

void Connection::commit() {
    if (!dbc_) throw Error("ODBC: no open connection", "08003");
    if (!Succeeded(SQLEndTran(SQL_HANDLE_DBC, dbc_, SQL_COMMIT)))
        Throw(SQL_HANDLE_DBC, dbc_, "ODBC: commit failed");
}

void Connection::rollback() noexcept {
    if (dbc_) SQLEndTran(SQL_HANDLE_DBC, dbc_, SQL_ROLLBACK);
}

// ---------------------------------------------------------------- Transaction

Transaction::Transaction(Connection& connection) : connection_(connection) {
    connection_.setAutoCommit(false);
}

Transaction::~Transaction() {
    if (done_) return;
    connection_.rollback();
    try {
        connection_.setAutoCommit(true);
    } catch (const Error&) {
        // The connection is gone; the next statement will report it.
    }
}

void Transaction::commit() {
    connection_.commit();
    done_ = true;
    if (connection_.isDead()) throw Error("ODBC: the connection was lost while committing", "08S01");
    connection_.setAutoCommit(true);
}

// ---------------------------------------------------------------- Statement

Statement::Statement(Connection& connection) {
    if (!connection.isOpen()) throw Error("ODBC: no open connection", "08003");
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    if (!Succeeded(SQLAllocHandle(SQL_HANDLE_STMT, connection.handle(), &stmt)))
        Throw(SQL_HANDLE_DBC, connection.handle(), "ODBC: cannot allocate a statement");
    stmt_ = stmt;
}

Statement::~Statement() {
    if (stmt_) SQLFreeHandle(SQL_HANDLE_STMT, stmt_);
}

void Statement::reset() noexcept {
    SQLFreeStmt(stmt_, SQL_CLOSE);
    SQLFreeStmt(stmt_, SQL_RESET_PARAMS);
}

void Statement::bindParameters(const std::vector<Value>& params) {
    boundValues_ = params;
    boundLengths_.assign(params.size(), 0);
    for (size_t i = 0; i < boundValues_.size(); ++i) {
        Value& v = boundValues_[i];
        auto* length = reinterpret_cast<SQLLEN*>(&boundLengths_[i]);
        SQLUSMALLINT number = static_cast<SQLUSMALLINT>(i + 1);
        SQLRETURN rc;
        if (auto* s = std::get_if<std::string>(&v)) {
            *length = static_cast<SQLLEN>(s->size());
            rc = SQLBindParameter(stmt_, number, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR,
                                  s->empty() ? 1 : s->size(), 0, s->data(), *length, length);
        } else if (auto* n = std::get_if<std::int64_t>(&v)) {
            rc = SQLBindParameter(stmt_, number, SQL_PARAM_INPUT, SQL_C_SBIGINT, SQL_BIGINT, 0, 0, n, 0,
                                  nullptr);
        } else if (auto* d = std::get_if<double>(&v)) {
            rc = SQLBindParameter(stmt_, number, SQL_PARAM_INPUT, SQL_C_DOUBLE, SQL_DOUBLE, 0, 0, d, 0,
                                  nullptr);
        } else {
            *length = SQL_NULL_DATA;
            rc = SQLBindParameter(stmt_, number, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR, 1, 0, nullptr, 0,
                                  length);
        }
        if (!Succeeded(rc)) Throw(SQL_HANDLE_STMT, stmt_, "ODBC: cannot bind a parameter");
    }
}

bool Statement::execute(const std::string& sql, const std::vector<Value>& params) {
    reset();
    SQLRETURN rc;
    auto* text = reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str()));
    if (params.empty()) {
        rc = SQLExecDirect(stmt_, text, SQL_NTS);
    } else {
        if (!Succeeded(SQLPrepare(stmt_, text, SQL_NTS)))
            Throw(SQL_HANDLE_STMT, stmt_, "ODBC: cannot prepare a statement");
        bindParameters(params);
        rc = SQLExecute(stmt_);
    }
    if (rc == SQL_NO_DATA) return false;
    if (!Succeeded(rc)) Throw(SQL_HANDLE_STMT, stmt_, "ODBC: statement failed");
    return true;
}

bool Statement::tryExecute(const std::string& sql) noexcept {
    reset();
    SQLRETURN rc = SQLExecDirect(stmt_, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str())), SQL_NTS);
    return Succeeded(rc);
}

bool Statement::fetch() {
    SQLRETURN rc = SQLFetch(stmt_);
    if (rc == SQL_NO_DATA) return false;
    if (!Succeeded(rc)) Throw(SQL_HANDLE_STMT, stmt_, "ODBC: fetch failed");
    return true;
}

int Statement::columnCount() {
    SQLSMALLINT n = 0;
    if (!Succeeded(SQLNumResultCols(stmt_, &n))) return 0;
    return n;
}

std::string Statement::columnName(int column) {
    SQLCHAR name[256] = {};
    SQLSMALLINT length = 0, type = 0, digits = 0, nullable = 0;
    SQLULEN size = 0;
    if (!Succeeded(SQLDescribeCol(stmt_, static_cast<SQLUSMALLINT>(column + 1), name, sizeof name, &length,
                                  &type, &size, &digits, &nullable)))
        return {};
    return reinterpret_cast<char*>(name);
}

int Statement::findColumn(std::string_view name) {
    const int n = columnCount();
    for (int i = 0; i < n; ++i) {
        std::string c = columnName(i);
        if (c.size() == name.size() && strncasecmp(c.data(), name.data(), c.size()) == 0) return i;
    }
    return -1;
}

std::optional<std::string> Statement::text(int column) {
    std::string out;
    char buffer[4096];
    for (;;) {
        SQLLEN indicator = 0;
        SQLRETURN rc = SQLGetData(stmt_, static_cast<SQLUSMALLINT>(column + 1), SQL_C_CHAR, buffer,
                                  sizeof buffer, &indicator);
        if (rc == SQL_NO_DATA) break;
        if (!Succeeded(rc)) Throw(SQL_HANDLE_STMT, stmt_, "ODBC: cannot read a column");
        if (indicator == SQL_NULL_DATA) return std::nullopt;
        // A full buffer (or an unknown total) means more pieces follow.
        size_t got = (indicator == SQL_NO_TOTAL || indicator >= static_cast<SQLLEN>(sizeof buffer))
                         ? sizeof buffer - 1
                         : static_cast<size_t>(indicator);
        out.append(buffer, got);
        if (rc == SQL_SUCCESS) break;
    }
    return out;
}

std::optional<double> Statement::real(int column) {
    double value = 0;
    SQLLEN indicator = 0;
    SQLRETURN rc =
        SQLGetData(stmt_, static_cast<SQLUSMALLINT>(column + 1), SQL_C_DOUBLE, &value, 0, &indicator);
    if (!Succeeded(rc)) Throw(SQL_HANDLE_STMT, stmt_, "ODBC: cannot read a column");
    if (indicator == SQL_NULL_DATA) return std::nullopt;
    return value;
}

std::optional<std::int64_t> Statement::integer(int column) {
    SQLBIGINT value = 0;
    SQLLEN indicator = 0;
    SQLRETURN rc =
        SQLGetData(stmt_, static_cast<SQLUSMALLINT>(column + 1), SQL_C_SBIGINT, &value, 0, &indicator);
    if (!Succeeded(rc)) Throw(SQL_HANDLE_STMT, stmt_, "ODBC: cannot read a column");
    if (indicator == SQL_NULL_DATA) return std::nullopt;
    return static_cast<std::int64_t>(value);
}

}  // namespace zel::Db
