#pragma once
#include <QRect>
#include <QWidget>

class QPushButton;
class QTextBrowser;

// Help window: the HTML pages of Ayuda/html in Qt's own browser, with back,
// forward and close. Lives from the first MostrarAyuda until it is closed.
class fr_Ayuda : public QWidget {
    Q_OBJECT
public:
    explicit fr_Ayuda(QWidget* padre = nullptr);

    // Shows a page of the help folder ("inia.htm").
    void IrAPagina(const QString& pagina);

    QPushButton* btn_Principal = nullptr;   // back
    QPushButton* Command1 = nullptr;        // forward
    QPushButton* Command2 = nullptr;        // close
    QTextBrowser* Browser = nullptr;

    // Where the browser goes for a given inner size: below the buttons,
    // filling the rest of the window.
    QRect ReglaTamano(QSize cliente) const;

protected:
    void resizeEvent(QResizeEvent* e) override;
};

// The help window while it exists, else nullptr.
fr_Ayuda* VentanaAyuda();
