#include "CarpetaPrueba.h"
#include "Module1.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace CarpetaPrueba {
namespace {
std::unique_ptr<QTemporaryDir> v_Carpeta;

class Oyente : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        Module1::v_Archivo.clear();
        Module1::v_TipoCom = QStringLiteral("RS232");
        Module1::v_Puerto = 0;
        Module1::v_TimeOut = 3000;
        Module1::v_Delay = 500;
        Module1::v_Modificado = false;
        Nueva();
    }
    void OnTestEnd(const ::testing::TestInfo&) override { v_Carpeta.reset(); }
};
}   // namespace

QString Ruta() { return v_Carpeta ? v_Carpeta->path() : QString(); }
QString Ruta(const QString& nombre) { return v_Carpeta ? v_Carpeta->filePath(nombre) : QString(); }

void Nueva() {
    v_Carpeta = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/orvo-prueba-XXXXXX"));
    Fijar();
}

void Fijar() {
    // The help pages are read from the program's folder; nothing is written there.
    Module1::FijarCarpetas(Ruta(), Module1::CarpetaRecursos(Module1::CarpetaPrograma()));
}

QByteArray Leer(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<sin archivo>");
}

bool Escribir(const QString& ruta, const QByteArray& bytes) {
    QFile f(ruta);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

void Instalar() { ::testing::UnitTest::GetInstance()->listeners().Append(new Oyente); }

}   // namespace CarpetaPrueba
