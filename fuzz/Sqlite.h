#pragma once
// An in-memory database with the program's CI_TRIM collation, and statements
// prepared as Qt's driver prepares them (UTF-16, one statement, no tail).
#include "session/DialectoSql.h"

#include <QString>
#include <sqlite3.h>

namespace Fuzz {

inline sqlite3* Base() {
    static sqlite3* db = [] {
        sqlite3* d = nullptr;
        if (sqlite3_open(":memory:", &d) != SQLITE_OK || !DialectoSql::RegistraColacion(d)) std::abort();
        return d;
    }();
    return db;
}

struct Preparada {
    sqlite3_stmt* st = nullptr;
    bool cola = false;      // text after the first statement
    QString error;
    ~Preparada() { sqlite3_finalize(st); }
};

inline void Prepara(const QString& sentencia, Preparada& p) {
    const void* cola = nullptr;
    const int rc = sqlite3_prepare16_v2(Base(), sentencia.utf16(), static_cast<int>((sentencia.size() + 1) * 2), &p.st,
                                        &cola);
    if (rc != SQLITE_OK) p.error = QString::fromUtf8(sqlite3_errmsg(Base()));
    if (cola && *static_cast<const char16_t*>(cola) != 0) {
        // Only blanks may follow the one statement.
        const auto* c = static_cast<const char16_t*>(cola);
        while (*c) {
            if (!QChar(*c).isSpace()) { p.cola = true; break; }
            ++c;
        }
    }
}

} // namespace Fuzz
