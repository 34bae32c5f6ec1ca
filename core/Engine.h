#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class StoreKey;
struct Failure;
struct sqlite3;
struct sqlite3_stmt;

// The engine layer: the only code that talks to SQLCipher. Every failure is thrown as a
// Failure carrying the engine's extended result code and message.
namespace Engine {

// The engine's result codes for failures the program raises itself, in the engine's terms.
inline constexpr qint64 GenericErrorCode = 1; // SQLITE_ERROR
inline constexpr qint64 MisuseCode = 21;      // SQLITE_MISUSE

class Statement {
  public:
    Statement(sqlite3* database, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Values are bound, never spliced into the text: index counts from 1.
    void Bind(int index, const QString& value);
    void Bind(int index, const StoreKey& key);
    // True while a row is ready to read; false once the statement has finished.
    bool Step();

    int ColumnCount() const;
    QString ColumnName(int column) const;
    bool IsNull(int column) const;
    QString Text(int column) const;
    qint64 Integer(int column) const;

  private:
    sqlite3* database;
    sqlite3_stmt* statement = nullptr;
};

class Connection {
  public:
    enum class Mode { OpenExisting, CreateNew };

    // Opens the store with its key and reads the catalogue once, since a wrong key only
    // shows at the first read. An existing store holds at least its first page: an empty
    // file would open as an empty store, so it is refused as no store at all. Every commit
    // on the connection is durable once it returns.
    Connection(const QString& path, const StoreKey& key, Mode mode = Mode::OpenExisting);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Prepares exactly one statement; text after it is refused.
    std::unique_ptr<Statement> Prepare(const QString& sql) const;
    // Runs one statement to its end with the values bound in order.
    void Execute(const QString& sql, const QStringList& values = {}) const;
    // The first column of the first row.
    qint64 QueryInteger(const QString& sql) const;

    // Names of the user tables (the engine's own "sqlite_" tables and views left out),
    // sorted by name regardless of letter case.
    QStringList UserTables() const;

  private:
    sqlite3* database = nullptr;
};

// One transaction on the connection: what runs while it lives is kept by Commit and undone
// when it ends without one, so a failure halfway leaves the store as it was.
class Transaction {
  public:
    explicit Transaction(const Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void Commit();

  private:
    const Connection& connection;
    bool committed = false;
};

// Whether the failure is the engine's finding that another program holds the store's file
// locked while it writes.
bool IsBusy(const Failure& failure);

// A table name as an identifier: double quotes, inner ones doubled, so no name can escape.
QString QuoteName(const QString& name);

} // namespace Engine
