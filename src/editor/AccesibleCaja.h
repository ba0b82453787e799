#pragma once
#include <QAccessibleWidget>

class QTextCursor;
class QTextEdit;

// What a screen reader sees of a text pane: its text, caret, selection and
// the colour and weight of each run. A reader hears of every change later
// than it happens and often asks about offsets from an announcement that the
// text has since outgrown (the range of a line just deleted, the caret before
// Backspace). Such an offset is taken as the nearest end of the text as it
// stands, never handed to the text cursor as it came.
class AccesibleCaja : public QAccessibleWidget,
                      public QAccessibleTextInterface,
                      public QAccessibleEditableTextInterface {
public:
    explicit AccesibleCaja(QTextEdit* caja);
    // Every CajaRica gets this interface; installed once.
    static void Instalar();

    void* interface_cast(QAccessible::InterfaceType tipo) override;
    QString text(QAccessible::Text tipo) const override;
    void setText(QAccessible::Text tipo, const QString& texto) override;
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

    void deleteText(int inicio, int fin) override;
    void insertText(int posicion, const QString& texto) override;
    void replaceText(int inicio, int fin, const QString& texto) override;

private:
    QTextEdit* Caja() const;
    int Limite(int posicion) const;                 // into 0 .. characterCount()
    QTextCursor Tramo(int inicio, int fin) const;   // anchor at inicio, position at fin
    bool Editable() const;
};
