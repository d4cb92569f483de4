#pragma once

#include "bank/Records.h"

#include <QObject>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QWidget;

namespace controls {
class HeaderSections;
class Shape;
class TNorvaDateEdit;
class TNorvaEdit;
class TNorvaList;
class TNorvaNumberEdit;
} // namespace controls

namespace shell {
class Tm3TransaccionesPendientesForm;
}

namespace bank {

// The new-transaction panel PanelNuevo of the module window, in two pages. The
// first takes the bank account, beneficiary, description, total, first date,
// number of installments, period, notice time and the "Fija" flag; "S&iguiente"
// checks it and builds the schedule, which the second page shows in a grid
// whose rows can still be changed in an editing row laid over it; "&Guardar"
// writes the transaction and its installments.
class NewTransactionPage : public QObject {
    Q_OBJECT
public:
    explicit NewTransactionPage(shell::Tm3TransaccionesPendientesForm& form);
    ~NewTransactionPage() override;

    // Entry from the side bar's "Nuevo" and the menu's "&Nuevo": the panel
    // alone, with the shared bank selector (emptied) and beneficiary field on it.
    void Show();
    // The bank, beneficiary, description, first date, period and half of the
    // notice time all have a text.
    bool ValidateNewTransaction() const;
    // Empties the first date, beneficiary, description and period; total 0, one
    // installment, notice "12:00"; then the first date becomes today.
    void ClearNewTransactionPage();
    // Start-up: lays the editing row over the grid's columns.
    void LayEditingRow();

    // The transaction being entered, from "S&iguiente" to "&Guardar" (null
    // otherwise), and the period code chosen.
    TTransRegPtr Transaction;
    int PeriodCode = 0;

    // Controls.
    QLabel* LTitulo;
    QStackedWidget* PageControlNuevo;
    QWidget* TabNuevaTrans1;
    QWidget* TabNuevaTrans2;
    controls::TNorvaEdit* CBeneficiarios;
    controls::TNorvaEdit* EDescripcion;
    controls::TNorvaNumberEdit* EMonto;
    controls::TNorvaDateEdit* EFechaInicio;
    controls::TNorvaNumberEdit* EGiros;
    QComboBox* CBPeriodos;
    QLineEdit* MaskEHora;
    QComboBox* CHoraampm;
    QGroupBox* GroupCuota;
    QCheckBox* CheckBoxFijo;
    QGroupBox* RadioGTipos;
    QRadioButton* RadioCheque;
    QRadioButton* RadioNotaDebito;
    QPushButton* BVolver0032;
    QPushButton* BGuardar0012;
    QPushButton* BCancelar002;
    QPushButton* BSiguiente0033;
    controls::HeaderSections* CabeceraGiros;
    controls::TNorvaList* NorvaListGiros;
    QWidget* ItemsPanel;
    QLabel* LCuota;
    controls::TNorvaDateEdit* EFecha;
    QLineEdit* EHora;
    QComboBox* cboAM;
    controls::TNorvaNumberEdit* EMontoCuota;
    controls::Shape* Separador1;
    controls::Shape* Separador2;
    controls::Shape* Separador3;

public slots:
    void BSiguiente0033Click();
    void BGuardar0012Click();
    void BVolver0032Click();
    void BCancelar002Click();
    void CheckBoxFijoClick();
    // Double-click or Enter in the grid: the editing row for the selected installment.
    void OpenEditingRow();
    // The editing row's values into its installment.
    void CommitEditingRow();
    // Hides the editing row without saving and focuses the grid.
    void CloseEditingRow();
    void MaskEHoraExit();
    void EHoraExit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildFirstPage();
    void buildSecondPage();
    bool editorKey(QObject* watched, int key);
    void focusChanged(QWidget* old, QWidget* now);
    void restoreAfterFailedSchedule();
    void writeTransaction();

    shell::Tm3TransaccionesPendientesForm& m_form;
    TGirosRegPtr m_editing; // the installment in the editing row
    bool m_inGrid = false;  // the focus is inside the second page
};

} // namespace bank
