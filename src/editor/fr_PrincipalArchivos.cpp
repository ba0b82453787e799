// File commands of the main window: new, open, save, exit.
#include "ArchivoComandos.h"
#include "CajaRica.h"
#include "Lineas.h"
#include "MemoriaLibre.h"
#include "Module1.h"
#include "fr_Principal.h"
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTextCursor>
#include <QTextDocument>

namespace {
const QString kCRLF = QStringLiteral("\r\n");
QString Nativa(const QString& ruta) { return QDir::toNativeSeparators(ruta); }
constexpr int kLineasPorTrozo = 4000;
// From this many lines, what the load freed is handed back to the system.
constexpr int kLineasLargo = 10000;
}   // namespace

bool fr_Principal::Ocupado() const { return v_CargandoArchivo || v_Compilador->Compilando(); }

bool fr_Principal::PreguntarGuardar() {
    if (!Module1::v_Modificado) return true;
    const auto r = Preguntar(QMessageBox::Question, QStringLiteral("Pregunta"),
                             QStringLiteral("¿Desea guardar los cambios en el archivo actual?"),
                             QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel);
    if (r == QMessageBox::No) return true;
    // Yes goes on only once the file is saved: a cancelled or failed save keeps the work.
    if (r == QMessageBox::Yes) return mn_Guardar_Click();
    return false;
}

void fr_Principal::mn_Nuevo_Click() {
    if (Ocupado() || !PreguntarGuardar()) return;
    VaciarPaneles();
    tx_Arch->setText(QStringLiteral("[Archivo nuevo]"));
    v_Codificacion = Codificacion::Tipo::Windows1252;
    v_ConBom = false;
    Module1::v_Modificado = false;
}

void fr_Principal::mn_Abrir_Click() {
    if (Ocupado() || !PreguntarGuardar()) return;
    const QString ruta = PedirArchivo(false);
    if (ruta.isEmpty()) return;
    AbrirArchivo(ruta);
}

void fr_Principal::CargarLineas(const QStringList& lineas) {
    // Inserted a time slice's worth at a time: the window repaints and shows
    // progress. The pane's document is apart from the widget meanwhile, so
    // nothing is laid out until the whole file is in and coloured.
    QString trozo;
    auto volcar = [&](const QString& linea) {
        Cmd().SetSelStart(Cmd().Length());
        Cmd().SetSelText(trozo);
        trozo.clear();
        lbl_Info->setText(QStringLiteral("Leyendo: ") + linea);
        lbl_Info->repaint();
    };
    v_Entorno->Empezar();
    int enTrozo = 0;
    for (const QString& linea : lineas) {
        trozo += linea;
        trozo += QStringLiteral("\r\n");
        if (++enTrozo >= kLineasPorTrozo || v_Entorno->RebanadaCumplida()) {
            volcar(linea);
            QApplication::processEvents();
            enTrozo = 0;
        }
    }
    volcar(lineas.isEmpty() ? QString() : lineas.constLast());
}

bool fr_Principal::AbrirArchivo(const QString& ruta) {
    ArchivoComandos archivo;
    QString error;
    if (!LeerArchivoComandos(ruta, &archivo, &error)) {
        Avisar(QMessageBox::Critical, QStringLiteral("Error"),
               QStringLiteral("No se pudo leer el archivo ") + Nativa(ruta) + QStringLiteral(".") + kCRLF + error);
        return false;
    }
    Module1::v_Archivo = ruta;
    v_CargandoArchivo = true;
    tx_Cmd->SetBloqueada(true);
    v_Codificacion = archivo.tipo;
    v_ConBom = archivo.conBom;
    tx_Cmd->document()->setUndoRedoEnabled(false);   // a fresh file starts a fresh undo history
    VaciarPaneles();
    // Read and coloured in one batch, apart from the widget, which gets the
    // text in one write at the end.
    Cmd().EmpezarLote();
    Cmd().EmpezarAparte();
    CargarLineas(archivo.lineas);
    const qsizetype leidas = archivo.lineas.size();
    archivo.lineas = QStringList();   // the pane holds them now: not twice through the pass
    Comp().LinAntCmd = 0;
    CompilarLineas(true);
    Cmd().DevolverPorPartes([this] {
        lbl_Info->repaint();
        QApplication::processEvents();
    });
    v_CargandoArchivo = false;
    Cmd().TerminarLote();
    SincronizaTxt();

    // The caret at the end shows the end: the code pane and the gutter follow it.
    Cmd().SetSelStart(Cmd().Length());
    SincronizaTxt();
    ActualizaNumerosLinea();
    tx_Cmd->setFocus();
    v_PrimerUso = false;
    mn_Guardar->setEnabled(true);
    Comp().LinActCmd = LineaActual(Cmd());
    Comp().LinAntCmd = Comp().LinActCmd;
    Module1::v_Modificado = false;
    tx_Arch->setText(Nativa(Module1::v_Archivo));
    tx_Cmd->document()->setUndoRedoEnabled(true);
    HistoriaNueva();
    tx_Cmd->SetBloqueada(false);
    // The file's lines, the text apart and the pass's temporaries were freed
    // amid blocks still held: the allocator would keep them.
    if (leidas >= kLineasLargo) DevolverMemoriaLibre();
    return true;
}

bool fr_Principal::mn_Guardar_Click() {
    if (Ocupado()) return false;
    const QString ruta = PedirArchivo(true);
    if (ruta.isEmpty()) return false;
    if (QFileInfo::exists(ruta) &&
        Preguntar(QMessageBox::Warning, QStringLiteral("Atención!"),
                  QStringLiteral("El archivo ") + Nativa(ruta) + QStringLiteral(" ya existe.") + kCRLF +
                      QStringLiteral("¿Desea sobreescribirlo?"),
                  QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return false;

    Codificacion::Tipo tipo = v_Codificacion;
    bool bom = v_ConBom;
    QByteArray bytes;
    QString caracter;
    if (!BytesArchivoComandos(Cmd().Text(), tipo, bom, &bytes, &caracter)) {
        // Never replaced silently: the user chooses UTF-8 or keeps the text unsaved.
        if (Preguntar(QMessageBox::Warning, QStringLiteral("Atención!"),
                      QStringLiteral("El carácter \"") + caracter +
                          QStringLiteral("\" no se puede guardar en la codificación del archivo (Windows-1252).") +
                          kCRLF + QStringLiteral("¿Desea guardar el archivo en UTF-8?"),
                      QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
            return false;
        tipo = Codificacion::Tipo::Utf8;
        bom = false;
        BytesArchivoComandos(Cmd().Text(), tipo, bom, &bytes, &caracter);
    }
    QString error;
    if (!GrabarArchivoComandos(ruta, bytes, &error)) {
        Avisar(QMessageBox::Critical, QStringLiteral("Error"),
               QStringLiteral("No se pudo guardar el archivo ") + Nativa(ruta) + QStringLiteral(".") + kCRLF + error);
        return false;
    }
    Module1::v_Archivo = ruta;
    v_Codificacion = tipo;
    v_ConBom = bom;
    Module1::v_Modificado = false;
    tx_Arch->setText(Nativa(Module1::v_Archivo));
    return true;
}

void fr_Principal::mn_Salir_Click() { close(); }
