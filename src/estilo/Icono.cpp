#include "Icono.h"

QIcon IconoOrvo() {
    // Rendered pictures, so no SVG plugin is needed at run time. The
    // resource lives in a static library: it must be registered by hand.
    static const QIcon icono = [] {
        Q_INIT_RESOURCE(orvo);
        QIcon i;
        for (int lado : {16, 32, 48, 128, 256})
            i.addFile(QStringLiteral(":/orvo/orvo-%1.png").arg(lado), QSize(lado, lado));
        return i;
    }();
    return icono;
}
