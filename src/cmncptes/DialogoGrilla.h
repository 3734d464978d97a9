#pragma once
// The layout the program's read-only list windows share: a bold caption over
// a grid (model and view, whole rows selected), a line of text at the foot
// and one closing button beside it. Each window names its parts.
#include <QString>

class GrillaFlex;
class QDialog;
class QLabel;
class QPushButton;
class VistaGrilla;

struct PartesDialogoGrilla {
    QLabel* Titulo = nullptr;
    GrillaFlex* Grilla = nullptr;
    VistaGrilla* Vista = nullptr;
    QLabel* Pie = nullptr;
    QPushButton* Boton = nullptr;
};

struct NombresDialogoGrilla {
    QString titulo, grilla, vista, pie, boton;
    QString textoBoton = QStringLiteral("Aceptar");
    bool pieEnNegrita = false;
    bool botonPredeterminado = true;  // Enter closes (false: Enter belongs to the grid)
};

// Lays the parts out on the dialog (which owns them) and connects the button
// to accept.
PartesDialogoGrilla ArmaDialogoGrilla(QDialog* dialogo, const NombresDialogoGrilla& nombres);
