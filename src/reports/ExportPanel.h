#pragma once

#include "reports/export/ExportFormat.h"

#include <QWidget>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;

namespace controls {
class TNorvaEdit;
}

namespace shell {
class Tm3TransaccionesPendientesForm;
}

namespace reports {

class ReportPage;

// "Exportación" (PanelExportar): the format and the file name of an export, a
// modal layer over the module window opened by "&Exportar" of the report page.
// The file is the report the page would preview, run through the engine into
// the chosen format at ReportsFolder + name + extension; a file of that name is
// replaced whole. The choices stay in the controls for the life of the program.
class ExportPanel : public QWidget {
    Q_OBJECT
public:
    ExportPanel(shell::Tm3TransaccionesPendientesForm& module, ReportPage& page, QWidget* parent);
    ~ExportPanel() override;

    QLabel* Label38;                       // " Exportación"
    QGroupBox* RGExportar;                 // "Tipo"
    QLabel* Label39;                       // "Nombre del archivo destino :"
    controls::TNorvaEdit* SENombreReporte; // the name without folder and extension
    QPushButton* BBAceptar3001;
    QPushButton* BBCancelar3002;

    int RGExportarIndex() const;
    void SetRGExportarIndex(int index);
    exporting::ExportFormat Format() const;
    // ReportsFolder + the name + the format's extension; a backslash in the
    // name counts as a folder separator, as in the company's stored folders.
    QString FilePath() const;

public slots:
    // "&Exportar": the menus, the report page, the side bar and the notice
    // window take no input while the panel shows.
    void BExportar019Click();
    // "&Aceptar": runs the export; the panel stays open only when a file of
    // formats other than the saved report could not be written.
    void BBAceptar3001Click();
    // "&Cancelar": closes the panel without exporting.
    void BBCancelar3002Click();

private:
    void closePanel();
    void setModuleEnabled(bool enabled);

    shell::Tm3TransaccionesPendientesForm& m_module;
    ReportPage& m_page;
    QButtonGroup* m_formats;
};

} // namespace reports
