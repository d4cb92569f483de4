#pragma once

#include <QLineEdit>

namespace controls {

// How a TNorvaEdit is used; kept with the control, nothing depends on it.
enum class TEdicion { Simple, Combo, SeleccionMultiple };

// "0" put in front of a non-empty text until it is `maxLength` long; a text
// already that long, an empty one or a length of 0 leave it unchanged.
QString fillCero(const QString& text, int maxLength);

// The plain text field of the control set: shows its hint in the window's
// status line on entering, puts the caret at the start on leaving and, with
// FillCero, pads a non-empty text with leading zeros up to its maximum length.
// OnEnter and OnExit are emitted after the control's own handling.
class TNorvaEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TNorvaEdit(QWidget* parent = nullptr);

    TEdicion TipoEdicion() const { return m_tipoEdicion; }
    void SetTipoEdicion(TEdicion tipo) { m_tipoEdicion = tipo; }
    // Kept with the control; nothing depends on it.
    int Elementos() const { return m_elementos; }
    void SetElementos(int elementos) { m_elementos = elementos; }
    // On leaving, pad a non-empty text with "0" up to maxLength() (a field
    // with Qt's default maximum length has none).
    bool FillCero() const { return m_fillCero; }
    void SetFillCero(bool on) { m_fillCero = on; }

signals:
    void OnEnter();
    void OnExit();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    TEdicion m_tipoEdicion = TEdicion::Simple;
    int m_elementos = 0;
    bool m_fillCero = false;
    bool m_entered = false;
};

} // namespace controls
