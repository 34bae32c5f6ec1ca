// The engine layer: the only code that talks to SQLCipher.
#include "core/Engine.h"

#include "core/Failure.h"
#include "core/StoreKey.h"

#include <sqlcipher/sqlite3.h>

namespace Engine {

static_assert(GenericErrorCode == SQLITE_ERROR && MisuseCode == SQLITE_MISUSE);

namespace {

[[noreturn]] void ThrowEngineFailure(sqlite3* database) {
    throw Failure(sqlite3_extended_errcode(database), QString::fromUtf8(sqlite3_errmsg(database)));
}

} // namespace

Statement::Statement(sqlite3* database, const QString& sql) : database(database) {
    const QByteArray text = sql.toUtf8();
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(database, text.constData(), int(text.size()), &statement, &tail) !=
        SQLITE_OK)
        ThrowEngineFailure(database);
    if (statement == nullptr || !QByteArray(tail).trimmed().isEmpty()) {
        sqlite3_finalize(statement);
        statement = nullptr;
        throw Failure(SQLITE_ERROR, "only one SQL statement is allowed");
    }
}

Statement::~Statement() {
    sqlite3_finalize(statement);
}

void Statement::Bind(int index, const QString& value) {
    const QByteArray text = value.toUtf8();
    if (sqlite3_bind_text(statement, index, text.constData(), int(text.size()), SQLITE_TRANSIENT) !=
        SQLITE_OK)
        ThrowEngineFailure(database);
}

void Statement::Bind(int index, const StoreKey& key) {
    const std::string_view text = key.EngineText();
    if (sqlite3_bind_text(statement, index, text.data(), int(text.size()), SQLITE_TRANSIENT) !=
        SQLITE_OK)
        ThrowEngineFailure(database);
}

bool Statement::Step() {
    switch (sqlite3_step(statement)) {
    case SQLITE_ROW:
        return true;
    case SQLITE_DONE:
        return false;
    default:
        ThrowEngineFailure(database);
    }
}

int Statement::ColumnCount() const {
    return sqlite3_column_count(statement);
}

QString Statement::ColumnName(int column) const {
    return QString::fromUtf8(sqlite3_column_name(statement, column));
}

bool Statement::IsNull(int column) const {
    return sqlite3_column_type(statement, column) == SQLITE_NULL;
}

QString Statement::Text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(statement, column));
}

qint64 Statement::Integer(int column) const {
    return sqlite3_column_int64(statement, column);
}

Connection::Connection(const QString& path, const StoreKey& key, Mode mode) {
    const int flags = SQLITE_OPEN_READWRITE | (mode == Mode::CreateNew ? SQLITE_OPEN_CREATE : 0);
    if (path.contains(QChar(0)))
        throw Failure(SQLITE_CANTOPEN, "unable to open database file");
    const std::string_view keyText = key.EngineText();
    if (sqlite3_open_v2(path.toUtf8().constData(), &database, flags, nullptr) != SQLITE_OK ||
        sqlite3_key(database, keyText.data(), int(keyText.size())) != SQLITE_OK) {
        const Failure failure(sqlite3_extended_errcode(database),
                              QString::fromUtf8(sqlite3_errmsg(database)));
        sqlite3_close(database);
        throw failure;
    }
    try {
        // With the rollback journal, a commit is durable only once the journal's deletion has
        // reached the folder: otherwise a power cut brings the journal back and it undoes the
        // commit at the next open.
        Execute("PRAGMA synchronous = EXTRA;");
        QueryInteger("SELECT count(*) FROM sqlite_master;");
        if (mode == Mode::OpenExisting && QueryInteger("PRAGMA page_count;") == 0)
            throw Failure(SQLITE_NOTADB, QString::fromUtf8(sqlite3_errstr(SQLITE_NOTADB)));
    } catch (...) {
        sqlite3_close(database);
        throw;
    }
}

Connection::~Connection() {
    sqlite3_close(database);
}

std::unique_ptr<Statement> Connection::Prepare(const QString& sql) const {
    return std::make_unique<Statement>(database, sql);
}

void Connection::Execute(const QString& sql, const QStringList& values) const {
    const auto statement = Prepare(sql);
    for (int index = 0; index < values.size(); ++index)
        statement->Bind(index + 1, values[index]);
    while (statement->Step()) {
    }
}

qint64 Connection::QueryInteger(const QString& sql) const {
    const auto statement = Prepare(sql);
    return statement->Step() ? statement->Integer(0) : 0;
}

QStringList Connection::UserTables() const {
    const auto statement = Prepare("SELECT name FROM sqlite_master WHERE type = 'table' "
                                   "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
                                   "ORDER BY name COLLATE NOCASE, name;");
    QStringList names;
    while (statement->Step())
        names.append(statement->Text(0));
    return names;
}

Transaction::Transaction(const Connection& connection) : connection(connection) {
    connection.Execute("BEGIN;");
}

Transaction::~Transaction() {
    if (committed)
        return;
    try {
        connection.Execute("ROLLBACK;");
    } catch (const Failure&) {
        // Some failures (a full disk, for one) have already made the engine roll back.
    }
}

void Transaction::Commit() {
    connection.Execute("COMMIT;");
    committed = true;
}

bool IsBusy(const Failure& failure) {
    const qint64 primary = failure.number & 0xff;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

QString QuoteName(const QString& name) {
    QString inner = name;
    return '"' + inner.replace('"', "\"\"") + '"';
}

} // namespace Engine
