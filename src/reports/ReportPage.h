#pragma once

#include "reports/ReportQueries.h"
#include "reports/TReporteTransVencimiento.h"
#include "reports/export/ExportFormat.h"

#include <QObject>
#include <functional>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

namespace controls {
class Shape;
class TNorvaList;
} // namespace controls

namespace shell {
class Tm3TransaccionesPendientesForm;
}

namespace reports {

namespace engine {
class PreviewDialog;
}

class ExportPanel;
class TransactionsReportForm;
class TReporteTransaccionesPendientes;

// The report page "Informes" (the panel PanelReporte of the module window):
// the sections, dates, conditions and filters of a report run, and the
// preview, the printer and the export. The pop-up menus of the module
// window's lists print the report of what a list shows through it too.
//
// A run creates one of the two reports, builds its first statement, shows or
// prints it and frees it; the module window and the notice window take no
// input meanwhile. The choices stay in the controls for the life of the
// program and are not saved.
class ReportPage : public QObject {
    Q_OBJECT
public:
    explicit ReportPage(shell::Tm3TransaccionesPendientesForm& form);
    ~ReportPage() override;

    // Controls, top to bottom. The module window made the section boxes of
    // the receivables and payables, the page control with its tabs and the
    // two dates (NorvaDateInicial, NorvaDateFinal); the page lays them out.
    QLabel* LTituloReporte;
    QLabel* LFechaInicial;           // "Fecha Desde:"
    QLabel* LFechaFinal;             // "Fecha Hasta:"
    QGroupBox* RadioGroupReporte;    // "Condiciones"
    QRadioButton* RBAmbas;           // 0
    QRadioButton* RBPagadas;         // 1
    QRadioButton* RBPorPagar;        // 2
    QGroupBox* GBIncluir;            // "Incluir"
    QCheckBox* CheckBTransP;         // "Transacciones Bancarias"
    QCheckBox* CBActivarVencimiento; // "Días de Vencimientos"
    // TabFiltros: the bank selector and the beneficiary edit are placed on it
    // when the page opens, over their shadows.
    QLabel* LBanco;
    controls::Shape* SSombraBanco2;
    QLabel* LBeneficiario;
    controls::Shape* SSombraBene;
    QLabel* LTipo;
    QComboBox* ComboBoxTipo; // "Cheques/ND", "Cheques", "Notas Débtio"
    QCheckBox* CheckBoxActivarfiltros;
    // TabCtasxCobrar and TabCtasxPagar.
    QGroupBox* RGActivoxCobrar; // "Activo": "Si", "No", "Todos"
    QGroupBox* GBTransCobrar;   // "Transacciones"
    QCheckBox* CheckBCobrarFact;
    QCheckBox* CheckBCobrarGiro;
    QCheckBox* CheckBCobrarND;
    QCheckBox* CheckBCobrarNC;
    QCheckBox* CheckBCobrarNP;
    QGroupBox* RGActivoxPagar;
    QGroupBox* GBTransPagar;
    QCheckBox* CheckBPagarFact;
    QCheckBox* CheckBPagarGiro;
    QCheckBox* CheckBPagarND;
    QCheckBox* CheckBPagarNC;
    QCheckBox* CheckBPagarNP;
    QPushButton* BExportar019;
    QPushButton* BAvanzado025;
    QPushButton* BImpresora004;
    QPushButton* BPreliminar003;
    // "Exportación", in front of the page while it shows.
    ExportPanel* PanelExportar;

    // The last run built by the page has rows.
    bool ReportHasData = false;
    // The report of each kind being run, or none.
    TReporteTransaccionesPendientes* ReporteTransaccionesPendientes = nullptr;
    TReporteTransVencimiento* ReporteTransVencimiento = nullptr;

    // The item indexes of the radio groups.
    int RadioGroupReporteIndex() const;
    void SetRadioGroupReporteIndex(int index);
    int RGActivoxCobrarIndex() const;
    void SetRGActivoxCobrarIndex(int index);
    int RGActivoxPagarIndex() const;
    void SetRGActivoxPagarIndex(int index);

    // Opening the page (the side bar's "Informes", the menu "&Informes").
    void ShowReportPage();
    // The runner: creates the report of the kind (the due-date report with
    // dueDate), builds its first statement from the page's choices and shows
    // it (sender "&Preliminar"), prints it (sender "&Impresora") or hands it
    // to the exporter.
    void RunReport(bool dueDate, QObject* sender, bool exporting);

    // Where a run reads its data and the page's choices now.
    ReportContext CurrentContext() const;
    // The day ranges and analysis of "Definir Vencimientos" now.
    AgingSetup CurrentAging() const;

    // How the modal preview is shown: exec() unless a test shows it its own way.
    using PreviewRunner = std::function<void(engine::PreviewDialog&)>;
    void SetPreviewRunner(PreviewRunner runner);
    // The export branch of the runner: the report built, not yet laid out.
    using ExportHandler = std::function<void(TransactionsReportForm&)>;
    ExportHandler Exporter;

    // How an export ended: the file written; not written, with the reason shown
    // and the panel to stay open; or not written and the panel to close (the
    // run cancelled or failed with its own message, or the saved report refused).
    enum class ExportOutcome { Written, Failed, NotWritten };
    // The export branch of the runner: the report of the kind (the due-date
    // report with dueDate) built from the page's choices, prepared in full
    // and written to `path` in `format`, then freed. Neither a section nor rows
    // are required: a report without rows is written as the engine lays it out.
    ExportOutcome ExportReport(bool dueDate, exporting::ExportFormat format, const QString& path);

    // The list entry points (here and in the notice window): the section boxes
    // set as given ("Días de Vencimientos" for the due-date report, which holds
    // "Condiciones" at "Por Pagar"), the windows disabled, the report created
    // and its first statement built by `buildQuery`, then the preview shown
    // whether the statement has rows or not, even after an error, and the
    // report freed and the windows enabled again.
    void PrintListReport(bool dueDate, bool bank, bool receivables, bool payables,
                         const std::function<void(TransactionsReportForm&)>& buildQuery);

    // The tag of a list the pop-up menu prints: 0 installments by date, 1 the
    // installments of a transaction, 2 documents by due date, 3 one customer's
    // documents, 4 one supplier's; -1 for another list.
    static int ListTag(const controls::TNorvaList* list);

public slots:
    void BPreliminar003Click();
    void BImpresora004Click();
    // "&Exportar": the export panel.
    void BExportar019Click();
    // "Condiciones": "Por Pagar" while "Días de Vencimientos" is ticked.
    void RadioGroupReporteClick();
    // "Días de Vencimientos": every click sets "Condiciones" to "Por Pagar".
    void CBActivarVencimientoClick();
    // "&Avanzado": the day ranges.
    void BAvanzado025Click();
    // "&Imprimir" of the installment and document lists' pop-up menu, for the
    // list it was opened on.
    void ImprimirClick();
    // "Imprimir" of the bank transaction list's pop-up menu.
    void Imprimir1Click();

private:
    void build();
    void buildFilters();
    void buildAccountsTab(QWidget* tab, QGroupBox*& status, QButtonGroup*& statusGroup,
                          QGroupBox*& types, QCheckBox** boxes, const QString& suffix);
    void startRun(QObject* sender);
    void setWindowsEnabled(bool enabled);
    TransactionsReportForm& createReport(bool dueDate);
    void freeReport();
    void preview(TransactionsReportForm& report);

    shell::Tm3TransaccionesPendientesForm& m_form;
    QButtonGroup* m_conditions;
    QButtonGroup* m_activoCobrar;
    QButtonGroup* m_activoPagar;
    std::unique_ptr<TransactionsReportForm> m_report;
    PreviewRunner m_previewRunner;
};

} // namespace reports
