#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

// About box: product picture, name, version and the maker's notice.
class fr_Acerca : public QDialog {
    Q_OBJECT
public:
    explicit fr_Acerca(QWidget* padre = nullptr);

    QLabel* Image2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* tx_Ver = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* btn_Aceptar = nullptr;

protected:
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void MostrarVersion();
};
