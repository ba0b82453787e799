#include "DialogoArchivo.h"
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTreeView>
#include <QLocale>

QVariant FechasLocales::data(const QModelIndex& indice, int rol) const {
    if (rol != Qt::DisplayRole || indice.column() != kColumnaFecha)
        return QIdentityProxyModel::data(indice, rol);
    const auto* archivos = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (!archivos) return QIdentityProxyModel::data(indice, rol);
    return QLocale().toString(archivos->lastModified(mapToSource(indice)), QLocale::ShortFormat);
}

void PrepararDialogoArchivo(QFileDialog& dialogo, bool guardar) {
    dialogo.setAcceptMode(guardar ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialogo.setFileMode(guardar ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The window asks before overwriting, in its own words.
    if (guardar) dialogo.setOption(QFileDialog::DontConfirmOverwrite);
    dialogo.setProxyModel(new FechasLocales(&dialogo));
    // Room for the size, type and date columns without cutting them: the
    // name takes what is left.
    dialogo.resize(dialogo.sizeHint().expandedTo(QSize(760, 440)));
    if (auto* lista = dialogo.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* cabecera = lista->header();
        cabecera->setStretchLastSection(false);
        cabecera->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int columna = 1; columna <= FechasLocales::kColumnaFecha; ++columna)
            cabecera->setSectionResizeMode(columna, QHeaderView::ResizeToContents);
    }
}
