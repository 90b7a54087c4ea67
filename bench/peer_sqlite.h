#pragma once
// The database peer: the same items in an in-memory SQLite table of 21 columns with two
// indexes ((numitem, nuitem) and id_item) and a running total of qtde * preco_ini kept by a
// trigger. Used only by the benchmarks.

#include <cstdint>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace velmora::bench {

class SqliteItems {
public:
    // The rows of a proposals file's XML bytes, inserted in file order (rowid = row number
    // from 1). Raises std::runtime_error on any SQLite failure.
    explicit SqliteItems(const std::string& xmlBytes);
    ~SqliteItems();
    SqliteItems(const SqliteItems&) = delete;
    SqliteItems& operator=(const SqliteItems&) = delete;

    // Updates preco_ini of the row with that rowid; the trigger updates the total.
    void PostPrice(int64_t rowid, double price);
    // The running total.
    double Total();
    // Reads every column of the lot's rows through the id_item index, and their sum of
    // qtde * preco_ini; returns the rows read.
    int SelectLot(int32_t lot, double& sum);

private:
    void Execute(const char* sql);
    sqlite3_stmt* Prepare(const char* sql);
    void Check(int code, const char* what);
    void InsertRows(const std::string& xmlBytes);

    sqlite3* db_ = nullptr;
    sqlite3_stmt* update_ = nullptr;
    sqlite3_stmt* total_ = nullptr;
    sqlite3_stmt* lotRows_ = nullptr;
    sqlite3_stmt* lotSum_ = nullptr;
};

}  // namespace velmora::bench
