#include "bench/peer_sqlite.h"

#include <sqlite3.h>

#include <array>
#include <stdexcept>

#include <pugixml.hpp>

namespace velmora::bench {
namespace {

struct Column {
    const char* name;
    const char* type;  // the affinity, so numbers are stored as numbers
};

constexpr std::array<Column, 21> kColumns{{
    {"id_item", "INTEGER"},  {"unges", "TEXT"},        {"sigla", "TEXT"},
    {"convit", "INTEGER"},   {"anoc", "TEXT"},         {"numitem", "INTEGER"},
    {"descr_lote", "TEXT"},  {"material", "TEXT"},     {"descr_item", "TEXT"},
    {"compl_descr", "TEXT"}, {"valor", "REAL"},        {"marca", "TEXT"},
    {"tipoprega", "TEXT"},   {"razao_social", "TEXT"}, {"identif", "TEXT"},
    {"tipoempresa", "TEXT"}, {"nuitem", "INTEGER"},    {"qtde", "REAL"},
    {"preco_ini", "REAL"},   {"upsigl", "TEXT"},       {"updesc", "TEXT"},
}};

std::string CreateTableSql() {
    std::string sql = "CREATE TABLE itens (";
    for (size_t i = 0; i < kColumns.size(); ++i)
        sql += std::string(i ? ", " : "") + kColumns[i].name + " " + kColumns[i].type;
    return sql + ")";
}

std::string InsertSql() {
    std::string sql = "INSERT INTO itens VALUES (";
    for (size_t i = 0; i < kColumns.size(); ++i) sql += i ? ", ?" : "?";
    return sql + ")";
}

}  // namespace

SqliteItems::SqliteItems(const std::string& xmlBytes) {
    Check(sqlite3_open(":memory:", &db_), "open");
    Execute(CreateTableSql().c_str());
    Execute("CREATE TABLE soma (total REAL)");
    Execute("INSERT INTO soma VALUES (0)");
    Execute(
        "CREATE TRIGGER soma_itens AFTER UPDATE OF preco_ini ON itens BEGIN "
        "UPDATE soma SET total = total - coalesce(old.qtde * old.preco_ini, 0) "
        "+ coalesce(new.qtde * new.preco_ini, 0); END");
    InsertRows(xmlBytes);
    Execute("CREATE INDEX itens_ordem ON itens (numitem, nuitem)");
    Execute("CREATE INDEX itens_lote ON itens (id_item)");
    update_ = Prepare("UPDATE itens SET preco_ini = ?1 WHERE rowid = ?2");
    total_ = Prepare("SELECT total FROM soma");
    lotRows_ = Prepare("SELECT * FROM itens WHERE id_item = ?1");
    lotSum_ = Prepare("SELECT sum(qtde * preco_ini) FROM itens WHERE id_item = ?1");
}

SqliteItems::~SqliteItems() {
    for (sqlite3_stmt* statement : {update_, total_, lotRows_, lotSum_})
        sqlite3_finalize(statement);
    sqlite3_close(db_);
}

void SqliteItems::InsertRows(const std::string& xmlBytes) {
    pugi::xml_document document;
    if (!document.load_buffer(xmlBytes.data(), xmlBytes.size()))
        throw std::runtime_error("sqlite peer: the proposals bytes are not XML");
    Execute("BEGIN");
    sqlite3_stmt* insert = Prepare(InsertSql().c_str());
    for (pugi::xml_node row : document.child("DATAPACKET").child("ROWDATA").children("ROW")) {
        for (size_t i = 0; i < kColumns.size(); ++i) {
            const pugi::xml_attribute value = row.attribute(kColumns[i].name);
            const int index = static_cast<int>(i) + 1;
            if (value)
                sqlite3_bind_text(insert, index, value.value(), -1, SQLITE_STATIC);
            else
                sqlite3_bind_null(insert, index);
        }
        Check(sqlite3_step(insert) == SQLITE_DONE ? SQLITE_OK : SQLITE_ERROR, "insert");
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    Execute("COMMIT");
}

void SqliteItems::PostPrice(int64_t rowid, double price) {
    sqlite3_bind_double(update_, 1, price);
    sqlite3_bind_int64(update_, 2, rowid);
    const int code = sqlite3_step(update_);
    sqlite3_reset(update_);
    Check(code == SQLITE_DONE ? SQLITE_OK : code, "update");
}

double SqliteItems::Total() {
    Check(sqlite3_step(total_) == SQLITE_ROW ? SQLITE_OK : SQLITE_ERROR, "total");
    const double total = sqlite3_column_double(total_, 0);
    sqlite3_reset(total_);
    return total;
}

int SqliteItems::SelectLot(int32_t lot, double& sum) {
    sqlite3_bind_int(lotRows_, 1, lot);
    int rows = 0;
    while (sqlite3_step(lotRows_) == SQLITE_ROW) {
        for (int column = 0; column < sqlite3_column_count(lotRows_); ++column)
            sqlite3_column_text(lotRows_, column);
        ++rows;
    }
    sqlite3_reset(lotRows_);
    sqlite3_bind_int(lotSum_, 1, lot);
    Check(sqlite3_step(lotSum_) == SQLITE_ROW ? SQLITE_OK : SQLITE_ERROR, "lot sum");
    sum = sqlite3_column_double(lotSum_, 0);
    sqlite3_reset(lotSum_);
    return rows;
}

void SqliteItems::Execute(const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message ? message : "unknown error";
        sqlite3_free(message);
        throw std::runtime_error(std::string("sqlite: ") + text + " in " + sql);
    }
}

sqlite3_stmt* SqliteItems::Prepare(const char* sql) {
    sqlite3_stmt* statement = nullptr;
    Check(sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr), sql);
    return statement;
}

void SqliteItems::Check(int code, const char* what) {
    if (code != SQLITE_OK)
        throw std::runtime_error(std::string("sqlite: ") + sqlite3_errmsg(db_) + " (" + what + ")");
}

}  // namespace velmora::bench
