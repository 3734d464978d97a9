#pragma once
// A run-time error of the program: a number, its description and where it
// arose. Statements, conversions and list operations raise it; the error trap
// of each procedure catches it and reports it through ClsFunciones::InformaError.
#include <QString>
#include <exception>
#include <string>

class ErrorEjecucion : public std::exception {
public:
    ErrorEjecucion(int numero, QString descripcion, QString origen = {})
        : numero_(numero), descripcion_(std::move(descripcion)), origen_(std::move(origen)),
          utf8_(descripcion_.toStdString()) {}

    int Numero() const { return numero_; }
    const QString& Descripcion() const { return descripcion_; }
    const QString& Origen() const { return origen_; }
    const char* what() const noexcept override { return utf8_.c_str(); }

    // Numbers the program raises (the suite's run-time error numbers).
    static constexpr int LlamadaNoValida = 5;      // invalid procedure call or argument
    static constexpr int Desbordamiento = 6;       // a value beyond the range of its type
    static constexpr int TipoNoCoincide = 13;      // a value is not of the expected type
    static constexpr int ErrorBaseDatos = 3604;    // a statement the database refused
    static constexpr int CampoInexistente = 3265;  // item not found in the collection
    static constexpr int SinRegistroActual = 3021; // no current record
    static constexpr int ArchivoNoValido = 75;     // path/file access error
    static constexpr int ErrorInterno = 440;       // any other failure

private:
    int numero_;
    QString descripcion_;
    QString origen_;
    std::string utf8_;
};
