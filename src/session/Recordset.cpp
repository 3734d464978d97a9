#include "session/Recordset.h"

#include "session/ErrorEjecucion.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>

#include <cmath>
#include <QSqlRecord>

#include <sqlite3.h>

namespace {
QVariant TextoAFecha(const QString& t, Recordset::Datos::Clase clase) {
    const QString s = t.trimmed();
    if (s.isEmpty()) return QVariant(QMetaType(QMetaType::QDate));
    // ISO text as SQLite keeps it: a date, or a date with a time.
    if (s.size() <= 10) {
        const QDate d = QDate::fromString(s, Qt::ISODate);
        if (d.isValid()) return d;
    }
    QString iso = s;
    if (iso.size() > 10 && iso[10] == QLatin1Char(' ')) iso[10] = QLatin1Char('T');
    const QDateTime dt = QDateTime::fromString(iso, Qt::ISODateWithMs);
    if (dt.isValid()) {
        if (clase == Recordset::Datos::Clase::FechaHora && dt.time() == QTime(0, 0)) return dt;
        if (dt.time() == QTime(0, 0) && clase == Recordset::Datos::Clase::Fecha) return dt.date();
        return dt;
    }
    return t;  // not a date after all: shown as stored
}
} // namespace

Recordset::Datos::~Datos() {
    if (sentencia) sqlite3_finalize(sentencia);
}

void Recordset::Datos::Libera() {
    if (sentencia) {
        sqlite3_finalize(sentencia);
        sentencia = nullptr;
        hayFila = false;
    } else {
        consulta.finish();
        hayFila = false;
    }
}

bool Recordset::Datos::Siguiente() {
    if (!sentencia) return consulta.next();
    if (sqlite3_step(sentencia) == SQLITE_ROW) return true;
    // Past the last row, or a failing step (which the driver reads as the end too).
    sqlite3_reset(sentencia);
    return false;
}

QVariant Recordset::Datos::Bruto(int i) const {
    if (!sentencia) return consulta.value(i);
    // The types Qt's SQLite driver gives (high precision: reals as doubles).
    switch (sqlite3_column_type(sentencia, i)) {
    case SQLITE_INTEGER:
        return QVariant(static_cast<qlonglong>(sqlite3_column_int64(sentencia, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(sentencia, i));
    case SQLITE_NULL:
        return QVariant(QMetaType::fromType<QString>());
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(sentencia, i)), sqlite3_column_bytes(sentencia, i));
    default: {
        const auto* texto = static_cast<const QChar*>(sqlite3_column_text16(sentencia, i));
        return QString(texto, sqlite3_column_bytes16(sentencia, i) / static_cast<int>(sizeof(QChar)));
    }
    }
}

QVariant Recordset::Datos::Convierte(int i) const {
    QVariant v = Bruto(i);
    if (v.isNull()) return QVariant();
    // A real number of the embedded engine comes back as a double, whose text
    // turns scientific below a thousandth ("5e-04", read as 5 by every
    // leading-number reading). It is given as its shortest exact decimal
    // text, as a server's decimal columns come.
    if (v.metaType().id() == QMetaType::Double || v.metaType().id() == QMetaType::Float) {
        const double d = v.toDouble();
        if (std::isfinite(d)) return QString::number(d, 'f', QLocale::FloatingPointShortest);
    }
    if (clases.value(i) == Clase::Decimal && v.metaType().id() == QMetaType::QString) {
        // "25.0000" of a numeric(19,4) column is given as the embedded engine
        // gives the same stored value: its shortest exact decimal text ("25").
        QString t = v.toString();
        if (t.contains(QLatin1Char('.')) && !t.contains(QLatin1Char('e')) && !t.contains(QLatin1Char('E'))) {
            while (t.endsWith(QLatin1Char('0'))) t.chop(1);
            if (t.endsWith(QLatin1Char('.'))) t.chop(1);
            if (t == QLatin1String("-0")) t = QStringLiteral("0");
        }
        return t;
    }
    if (clases.value(i) != Clase::Otro && clases.value(i) != Clase::Decimal && v.metaType().id() == QMetaType::QString)
        return TextoAFecha(v.toString(), clases.value(i));
    if (v.metaType().id() == QMetaType::QDateTime) {
        const QDateTime dt = v.toDateTime();
        if (dt.time() == QTime(0, 0) && clases.value(i) != Clase::FechaHora) return dt.date();
    }
    return v;
}

bool Recordset::Bof() const { return !d_ || d_->vacio; }
bool Recordset::Eof() const { return !d_ || !d_->hayFila; }

void Recordset::MoveNext() {
    if (!d_ || !d_->hayFila)
        throw ErrorEjecucion(ErrorEjecucion::SinRegistroActual,
                             QStringLiteral("No hay un registro actual (fin del conjunto de registros)."));
    d_->hayFila = d_->Siguiente();
}

int Recordset::CantidadCampos() const { return d_ ? static_cast<int>(d_->nombres.size()) : 0; }

QString Recordset::NombreCampo(int i) const { return d_ ? d_->nombres.value(i) : QString(); }

int Recordset::Indice(const QString& nombre) const {
    if (!d_) return -1;
    const QString n = nombre.trimmed();
    for (int i = 0; i < d_->nombres.size(); ++i)
        if (d_->nombres[i].compare(n, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

bool Recordset::TieneCampo(const QString& nombre) const { return Indice(nombre) >= 0; }

QVariant Recordset::Campo(const QString& nombre) const {
    const int i = Indice(nombre);
    if (i < 0)
        throw ErrorEjecucion(ErrorEjecucion::CampoInexistente,
                             QStringLiteral("No se encontró el campo \"%1\" en el conjunto de registros.").arg(nombre));
    return Campo(i);
}

QVariant Recordset::Campo(int indice) const {
    if (!d_ || indice < 0 || indice >= d_->nombres.size())
        throw ErrorEjecucion(ErrorEjecucion::CampoInexistente,
                             QStringLiteral("No se encontró el campo número %1 en el conjunto de registros.").arg(indice));
    if (!d_->hayFila)
        throw ErrorEjecucion(ErrorEjecucion::SinRegistroActual,
                             QStringLiteral("No hay un registro actual (BOF o EOF)."));
    return d_->Convierte(indice);
}

void Recordset::Cierra() {
    if (d_) d_->Libera();
    d_.reset();
}
