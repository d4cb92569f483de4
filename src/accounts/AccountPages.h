#pragma once

#include "accounts/BrowseRules.h"

#include <QObject>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class QWidget;

namespace controls {
class HeaderSections;
class LookupCombo;
class TNorvaDateEdit;
class TNorvaList;
} // namespace controls

namespace shell {
class Tm3TransaccionesPendientesForm;
}

namespace accounts {

// What one search of the browse reads and where it shows what it found.
struct BrowseInputs {
    QWidget* panel = nullptr; // the search runs only while it is shown
    controls::TNorvaList* list = nullptr;
    QLabel* balance = nullptr;
    QLabel* credit = nullptr;
    QLabel* debit = nullptr;
    controls::TNorvaDateEdit* from = nullptr;
    controls::TNorvaDateEdit* to = nullptr;
    BrowseMode mode = BrowseMode::OneParty;
    int firstSlot = CustomerMemorySlot;     // of ViewMemory
    controls::LookupCombo* party = nullptr; // not read for every party
    const DocumentKind* kind = nullptr;
};

// The pages of the side bar's group "Cuentas": the open documents of one
// customer ("Por Cobrar") or one supplier ("Por Pagar") on PanelCuentas, and
// the open receivables or payables of every party in a range of due dates
// ("Fecha") on PanelFechaCtas. Each search lists the documents with their
// debit, credit and balance figures and keeps the page's state in ViewMemory;
// opening a page again shows that state without searching.
class AccountPages : public QObject {
    Q_OBJECT
public:
    explicit AccountPages(shell::Tm3TransaccionesPendientesForm& form);
    ~AccountPages() override;

    // Opening the pages (the side-bar items and the menu "&Cuentas").
    void ShowCustomerPage(); // OutlookListCuentasItems0Click
    void ShowSupplierPage(); // OutlookListCuentasItems1Click
    void ShowDatePage();     // OutlookListCuentasItems2Click

    // The search of one page; nothing happens while its panel is hidden. A
    // failed search shows its message and still sets the totals, the labels,
    // the saved state and the record count from the rows it read.
    void BrowseDocuments(const BrowseInputs& inputs);
    BrowseInputs CustomerInputs() const;
    BrowseInputs SupplierInputs() const;
    BrowseInputs DateInputs(bool receivables) const;
    // The documents of the party shown in the page's selector.
    void BrowseCustomer();
    void BrowseSupplier();

    // The figures of the last search (or of the page's saved state when it
    // was opened again).
    DocumentTotals Totals;

    // PanelCuentas.
    QLabel* LTopCuentas;
    QLabel* LCuentas;
    QLabel* LDesdeCtas;
    QLabel* LHastaCtas;
    QLabel* LTipoTrans;
    QComboBox* CTipoTrans;
    QStackedWidget* PControlCuentas;
    QWidget* TabSCobrar;
    QWidget* TabSPagar;
    controls::HeaderSections* CabeceraCtasxCobrar;
    controls::HeaderSections* CabeceraCtasxPagar;
    controls::TNorvaList* NorvaListCtasxCobrar;
    controls::TNorvaList* NorvaListCtasxPagar;
    QLabel* LMontoDebito;
    QLabel* LMontoCredito;
    QLabel* LSaldo;

    // PanelFechaCtas.
    QLabel* LHeaderFechaCts;
    QLabel* LFechaDesdeCts;
    QLabel* LFechaHastaCts;
    controls::HeaderSections* CabeceraFechaCtas; // hidden: the column widths only
    controls::TNorvaList* NorvaListFechaCtas;
    QPushButton* BBuscarCts006;
    QGroupBox* GBCuentaConsultar; // "Cuenta a consultar"
    QCheckBox* CheckCobrar;
    QCheckBox* CheckPagar;
    QLabel* LFechaDebitoCts;
    QLabel* LFechaCreditoCts;
    QLabel* LSaldoCts;

public slots:
    // A change of the type filter, and leaving either date of the party page:
    // the page showing is searched again for the party in its selector.
    void CTipoTransChange();
    // A party chosen in a selector (the selection rules took the choice).
    void CClientesCloseUp();
    void CProveedoresCloseUp();
    // "&Buscar" of the documents-by-date page: the kind ticked.
    void BBuscarCts006Click();
    // The pair "x Cobrar" / "x Pagar": the box clicked is ticked, the other
    // not, and the page is searched for that kind.
    void CheckCobrarClick();
    void CheckPagarClick();

private:
    void buildPartyPage();
    void buildDatePage();
    void showPartyPage(bool receivables);
    void setTypeEntries(bool receivables, int index);
    void setTypeIndex(int index);
    void showTotals(const DocumentKind& kind, QLabel* debit, QLabel* credit, QLabel* balance) const;
    void closeDropDowns();

    shell::Tm3TransaccionesPendientesForm& m_form;
    // The kind of the last search of the documents-by-date page, whose labels
    // show the saved totals by it.
    bool m_dateReceivables = true;
    bool m_searching = false;
};

} // namespace accounts
