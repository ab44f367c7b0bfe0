#include "db/Databases.h"

#include <cstdlib>
#include <optional>

#include "base/UserText.h"
#include "db/ConnectString.h"
#include "db/Schema.h"
#include "db/TransactionLock.h"

namespace zel {
namespace {

constexpr const char* kCaption = "ZEL";
constexpr const char* kWorkInitFailed = ZEL_TR_NOOP("Ошибка инициализации интерфейса к базе данных ZEL");
constexpr const char* kCssInitFailed = ZEL_TR_NOOP("Ошибка инициализации интерфейса к базе данных CSS");

}  // namespace

std::optional<std::string> AlterColumnStatement(const std::string& table, const ColumnDef& column,
                                                bool exists, DbDialect dialect) {
    std::string verb = "ADD";
    std::string typeWord = " ";
    if (exists) {
        switch (dialect) {
            case kDialectAccess:
                verb = "ALTER";
                break;
            case kDialectSqlServer:
                verb = "ALTER COLUMN";
                break;
            case kDialectPostgres:
                verb = "ALTER";
                typeWord = "TYPE";
                break;
            case kDialectOracle:
            case kDialectMySql:
                verb = "MODIFY";
                break;
            // SQLite cannot re-type a column: an existing one stays as it is.
            case kDialectSqlite:
                return std::nullopt;
        }
    }
    return "ALTER TABLE " + table + " " + verb + " " + column.name + " " + typeWord + " " +
           TypeWord(column, dialect);
}

Databases::Databases(DatabaseSettings settings, MessageSink& messages)
    : settings_(std::move(settings)), messages_(messages) {}

std::string Databases::buildWorkConnect() const {
    return OpeningConnectString(settings_.odbc, settings_.user, settings_.password, settings_.userGiven,
                                settings_.passwordGiven, settings_.lockWaitSeconds);
}

std::string Databases::buildCssConnect() const {
    if (settings_.odbcCss.empty() || settings_.userCss.empty()) return {};
    return OpeningConnectString(settings_.odbcCss, settings_.userCss, settings_.passwordCss,
                                settings_.userCssGiven, settings_.passwordCssGiven,
                                settings_.lockWaitSeconds);
}

void Databases::showDbError(const std::string& text) {
    messages_.show({text, kCaption, MessageIcon::Error, MessageButtons::Ok});
}

int Databases::openWorkDb() {
    const std::string connect = buildWorkConnect();
    try {
        work_.open(connect);
        dialect_ = DetectDialect(work_);
        SetLockWait(work_, dialect_, settings_.lockWaitSeconds);
        CreateMissingTables(work_, dialect_, WorkingSchema());
    } catch (const Db::Error& e) {
        work_.close();
        showDbError(std::string(e.what()) + "\n" + MaskPassword(connect));
        return 0;
    }
    commentsColumn_ = columnExists("ORIGIN", "COMMENTS");
    if (settings_.checkSchema) upgradeSchema();
    return 1;
}

int Databases::openCssDb() {
    cssAvailable_ = false;
    const std::string connect = buildCssConnect();
    if (connect.empty()) return 1;
    try {
        css_.open(connect);
        const DbDialect dialect = DetectDialect(css_);
        SetLockWait(css_, dialect, settings_.lockWaitSeconds);
        CreateMissingTables(css_, dialect, CssSchema());
    } catch (const Db::Error& e) {
        css_.close();
        showDbError(Tr(kCssInitFailed) + "\n" + e.what() + "\n" + MaskPassword(connect));
        return 0;
    }
    cssAvailable_ = true;
    return 1;
}

void Databases::closeAll() {
    css_.close();
    cssAvailable_ = false;
    work_.close();
}

bool Databases::columnExists(const std::string& table, const std::string& column) {
    if (!work_.isOpen()) return false;
    Db::Statement probe(work_);
    return probe.tryExecute("select " + column + " from " + table + " where 1=0");
}

int Databases::alterColumn(const std::string& table, const ColumnDef& column) {
    auto statement = AlterColumnStatement(table, column, columnExists(table, column.name), dialect_);
    if (!statement) return 1;
    try {
        work_.execute(*statement);
    } catch (const Db::Error& e) {
        // The driver's own text on a line of its own.
        showDbError(Tr("Ошибка базы данных: Ошибка добавления поля %1 в таблицу %2\n%3")
                        .arg(column.name)
                        .arg(table)
                        .arg(e.what()));
        return 0;
    }
    return 1;
}

void Databases::upgradeSchema() {
    for (const UpgradeRow& row : UpgradeColumns()) {
        alterColumn(row.table, row.column);
        if (row.table == "ORIGIN" && row.column.name == "COMMENTS")
            commentsColumn_ = columnExists("ORIGIN", "COMMENTS");
    }
}

std::int64_t Databases::nextKey(const std::string& keyName) {
    Db::Connection* connection = &work_;
    if (!settings_.localLastId) {
        if (!cssAvailable_) return -1;
        connection = &css_;
    }
    if (!connection->isOpen()) return -1;
    try {
        // The UPDATE comes first so that it takes the write lock before anything is read:
        // a second program waits here and then reads its own, higher value.
        Db::Transaction transaction(*connection);
        Db::Statement statement(*connection);
        const std::string key = Db::SqlQuote(keyName);
        if (!statement.execute("update LASTID set keyvalue=keyvalue+1 where keyname=" + key)) return -1;
        statement.execute("select keyvalue from LASTID where keyname=" + key);
        if (!statement.fetch()) return -1;
        std::optional<std::string> value = statement.text(0);
        if (!value || value->empty()) return -1;
        char* end = nullptr;
        long long parsed = std::strtoll(value->c_str(), &end, 10);
        if (end == value->c_str()) return -1;
        statement.closeCursor();
        transaction.commit();
        return parsed;
    } catch (const Db::Error&) {
        return -1;
    }
}

void OpenDatabases(Databases& databases, MessageSink& messages) {
    if (!databases.openWorkDb())
        messages.show({Tr(kWorkInitFailed), kCaption, MessageIcon::Error, MessageButtons::Ok});
    if (!databases.openCssDb())
        messages.show({Tr(kCssInitFailed), kCaption, MessageIcon::Error, MessageButtons::Ok});
}

bool ReconnectCommand(Databases& databases, MessageSink& messages) {
    MessageAnswer answer = messages.show(
        {Tr("Переподключиться к БД?"), Tr("Внимание!"), MessageIcon::Warning, MessageButtons::YesNo});
    if (answer != MessageAnswer::Yes) return false;
    databases.closeAll();
    OpenDatabases(databases, messages);
    return true;
}

}  // namespace zel
