#include "ComboPuertos.h"
#include "PuertoSerie.h"

ComboPuertos::ComboPuertos(QWidget* padre) : QComboBox(padre) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    Llenar();
    connect(this, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!v_Llenando && i >= 0 && i < PuertoSerie::Lista().size()) v_IndiceCom = i;
    });
}

void ComboPuertos::Llenar() {
    const QString texto = currentText();
    const int indice = currentIndex();
    v_Llenando = true;
    clear();
    for (const PuertoSerie::Entrada& e : PuertoSerie::Entradas()) addItem(e.texto, e.ruta);
    v_Llenando = false;
    const int igual = findText(texto, Qt::MatchExactly);
    if (igual >= 0)
        setCurrentIndex(igual);
    else if (!texto.isEmpty()) {
        // A typed path (or a device that went away) stays as typed.
        setCurrentIndex(std::min(indice, static_cast<int>(PuertoSerie::Lista().size()) - 1));
        setEditText(texto);
    }
}

QString ComboPuertos::TextoPuerto() const {
    const int i = currentIndex();
    if (i >= 0 && itemText(i) == currentText() && !itemData(i).toString().isEmpty()) return itemData(i).toString();
    return currentText();
}

void ComboPuertos::ElegirRuta(const QString& ruta) {
    const int i = findData(ruta);
    if (i >= 0)
        setCurrentIndex(i);
    else
        setEditText(ruta);
}

void ComboPuertos::showPopup() {
    Llenar();
    QComboBox::showPopup();
}
