#pragma once
// Table definitions of the two databases, creation of missing tables, and the column upgrade list.
// Fresh columns get exactly the type word the upgrade would give them, so an upgrade run on a
// freshly created schema changes nothing.

#include <string>
#include <vector>

#include "db/DbDialect.h"

namespace zel {

namespace Db {
class Connection;
}

enum class ColumnType { Real, Int, BigInt, Date, Timestamp, Text };

struct ColumnDef {
    std::string name;
    ColumnType type;
    int length = 0;  // Text only
};

struct TableDef {
    std::string name;
    std::vector<ColumnDef> columns;
    // Run once right after the table is created: indexes and seed rows.
    std::vector<std::string> afterCreate;
};

struct UpgradeRow {
    std::string table;
    ColumnDef column;
};

std::string TypeWord(const ColumnDef& column, DbDialect dialect);

// The tables of the working database and of the CSS database.
const std::vector<TableDef>& WorkingSchema();
const std::vector<TableDef>& CssSchema();

// The columns the upgrade adds when missing and re-types when present, in their order.
const std::vector<UpgradeRow>& UpgradeColumns();

std::string CreateTableStatement(const TableDef& table, DbDialect dialect);

// True when the table can be queried on this connection.
bool TableExists(Db::Connection& connection, const std::string& table);

// Creates every table of 'schema' that the database lacks; returns the names created. Throws Db::Error.
std::vector<std::string> CreateMissingTables(Db::Connection& connection, DbDialect dialect,
                                             const std::vector<TableDef>& schema);

}  // namespace zel
