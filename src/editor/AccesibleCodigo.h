#pragma once
#include <QAccessibleWidget>

class VistaCodigo;

// What a screen reader sees of the code pane: its lines, caret, selection and
// the colour and weight of each run, read from the pane's model. Read-only.
// Offsets from an announcement the text has since outgrown are taken as the
// nearest end of the text as it stands.
class AccesibleCodigo : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AccesibleCodigo(VistaCodigo* vista);
    // Every VistaCodigo gets this interface; installed once.
    static void Instalar();

    void* interface_cast(QAccessible::InterfaceType tipo) override;
    QString text(QAccessible::Text tipo) const override;
    QAccessible::State state() const override;

    void selection(int indice, int* inicio, int* fin) const override;
    int selectionCount() const override;
    void addSelection(int inicio, int fin) override;
    void removeSelection(int indice) override;
    void setSelection(int indice, int inicio, int fin) override;
    int cursorPosition() const override;
    void setCursorPosition(int posicion) override;
    QString text(int inicio, int fin) const override;
    QString textAtOffset(int posicion, QAccessible::TextBoundaryType limite, int* inicio,
                         int* fin) const override;
    int characterCount() const override;
    QRect characterRect(int posicion) const override;
    int offsetAtPoint(const QPoint& punto) const override;
    void scrollToSubstring(int inicio, int fin) override;
    QString attributes(int posicion, int* inicio, int* fin) const override;

private:
    VistaCodigo* Vista() const;
    int Limite(int posicion) const;   // into 0 .. characterCount()
};
