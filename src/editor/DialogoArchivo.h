#pragma once
#include <QIdentityProxyModel>

class QFileDialog;

// The open and save dialogs of the main window. Qt's own dialog writes file
// dates in the system's format (month names included) whatever language the
// program speaks: here its date column goes through the program's locale.
void PrepararDialogoArchivo(QFileDialog& dialogo, bool guardar);

class FechasLocales : public QIdentityProxyModel {
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    static constexpr int kColumnaFecha = 3;   // the file model's "modified" column
    QVariant data(const QModelIndex& indice, int rol) const override;
};
