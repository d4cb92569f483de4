#pragma once

#include "shell/Settings.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace controls {
class TNorvaNumberEdit;
}

namespace shell {

class Tm3TransaccionesPendientesForm;

// The configuration page of the module window (module.PanelConfig, which is
// its panel PanelConfigurar). Its controls are the settings in memory from
// start-up until the program ends: the rest of the program reads a setting by
// reading its control, e.g.
//   module.PanelConfig->EDiasAntes->WholeValue()      notice horizon, days
//   module.PanelConfig->CIncCuentasxCobrar->isChecked()
//   module.PanelConfig->MEHoraText(), CAMPM->currentIndex()
// (or all of them at once through PageSettings()). The page writes the
// company's settings file when it is saved and when the file is missing at
// start-up; the postpone dialog writes it through PageSettings(Ticked) and
// writeSettingsFile().
//
// View mode (as created): every setting control, "&Cancelar" and "&Guardar"
// disabled. "&Editar" enters the edit mode, "&Guardar" and "&Cancelar" leave it.
class SettingsPage : public QWidget {
    Q_OBJECT
public:
    SettingsPage(Tm3TransaccionesPendientesForm& module, QWidget* parent);
    ~SettingsPage() override;

    // How a check-box line is written: the page's own saving counts a box as
    // ticked only while it is also enabled; the postpone dialog writes the tick.
    enum class BoxRule { TickedAndEnabled, Ticked };

    // The settings the controls hold; number fields within their limits.
    Settings PageSettings(BoxRule rule = BoxRule::TickedAndEnabled) const;
    // The file of the current company.
    QString SettingsPath() const;

    // Reads the file into the controls. A missing file is reported and then
    // written from the controls; an unreadable one is reported and the controls
    // keep their values. Touches nothing but the controls.
    void LoadSettings(const QString& path);
    // Writes the controls into the file; false (with its message shown) when
    // the file could not be written, the previous file then being left whole.
    bool SaveSettings();
    // Reading: ticks the box when the text is "1", else unticks it; a change of
    // tick runs the box's click behaviour. Writing: "1" when the box is ticked
    // and enabled, else "0" (the text given is not used).
    QString CheckBoxSetting(QCheckBox* box, const QString& text, bool reading);
    // Enables or disables the setting controls; the notice-related ones follow
    // only while the notice is switched on, or when leaving the edit mode
    // (sender "&Guardar" or "&Cancelar").
    void EnableSettingsControls(bool enabled, QObject* sender);

    // The page is in edit mode ("&Editar" disabled).
    bool IsEditing() const;

    // The value of a whole-number setting, kept within its field's limits
    // (a field being typed into may hold anything, even nothing).
    static int NumberSetting(const controls::TNorvaNumberEdit* edit);

    // The text of MEHora as it stands, a blank for every empty place ("  :  "
    // when empty); written back unchanged by SetMEHoraText.
    QString MEHoraText() const;
    void SetMEHoraText(const QString& text);

    // Controls, with the names the rest of the module uses.
    QLabel* LTituloConfig;
    QTabWidget* PageControlConfig;
    QWidget* TabVentanaAviso;     // "Ventana de aviso"
    QWidget* TabCuentasImpresion; // "Cuentas e Impresión"
    QGroupBox* GBAviso;
    QGroupBox* GBCuentas;
    QGroupBox* GBImpresion;
    QCheckBox* CIncCuentasxCobrar;
    QCheckBox* CIncCuentasxPagar;
    QCheckBox* CDesactivarVentana;
    QCheckBox* CDesactivarSonido;
    QLabel* LRefrescarDatos;
    controls::TNorvaNumberEdit* ERefrescarDatos;
    QLabel* LTiempoEspera;
    controls::TNorvaNumberEdit* ETiempoEspera;
    QComboBox* ComboBMinHora; // "Minuto(s)", "Hora(s)"
    QLabel* LDiasAntes;
    controls::TNorvaNumberEdit* EDiasAntes;
    QLabel* LHora;
    QLineEdit* MEHora;
    QComboBox* CAMPM; // "A.M.", "P.M."
    QLabel* LPathSonido;
    QLineEdit* EPathSonido;
    QPushButton* BBuscarSonido006;
    QCheckBox* CEmcabezado;
    QPushButton* BCancelar2002;
    QPushButton* BGuardar012;
    QPushButton* BEditar030;

    // The open-file dialog's filter for the notice sound.
    static QString SoundFileFilter();

public slots:
    void BEditar030Click();
    void BGuardar012Click();
    void BCancelar2002Click();
    void CDesactivarVentanaClick();
    void BBuscarSonido006Click();
    // Leaving MEHora: a time that is empty, unreadable, later than 12:59 or
    // with a blank left in it becomes "12:00".
    void MEHoraExit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void leaveEditMode(QObject* sender);
    void applySettings(const Settings& settings);

    Tm3TransaccionesPendientesForm& m_module;
};

} // namespace shell
