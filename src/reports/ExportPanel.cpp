#include "reports/ExportPanel.h"

#include "controls/OutlookBar.h"
#include "controls/TNorvaEdit.h"
#include "controls/TitleStrip.h"
#include "platform/MessageBoxService.h"
#include "reports/ReportPage.h"
#include "shell/TAvisoTransaccionesPendientesForm.h"
#include "shell/Tm3TransaccionesPendientesForm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace reports {

namespace {

constexpr int PanelLeft = 90;
constexpr int PanelTop = 112;
constexpr int PanelWidth = 294;
constexpr int PanelHeight = 145;

QPushButton* button(QWidget* parent, const QString& name, const QString& text, int x) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setGeometry(x, 104, 75, 25);
    b->setAutoDefault(false);
    return b;
}

} // namespace

ExportPanel::ExportPanel(shell::Tm3TransaccionesPendientesForm& module, ReportPage& page,
                         QWidget* parent)
    : QWidget(parent), m_module(module), m_page(page) {
    setObjectName(QStringLiteral("PanelExportar"));
    setGeometry(PanelLeft, PanelTop, PanelWidth, PanelHeight);
    setAutoFillBackground(true);

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setGeometry(0, 0, PanelWidth, PanelHeight);

    Label38 = new QLabel(QStringLiteral(" Exportación"), this);
    Label38->setObjectName(QStringLiteral("Label38"));
    Label38->setGeometry(0, 0, PanelWidth, 17);
    controls::MakeTitleStrip(Label38);

    // The five formats keep their indexes; "Pdf" comes after them.
    RGExportar = new QGroupBox(QStringLiteral("Tipo"), this);
    RGExportar->setObjectName(QStringLiteral("RGExportar"));
    RGExportar->setGeometry(11, 21, 97, 115);
    m_formats = new QButtonGroup(RGExportar);
    for (int i = 0; i < exporting::ExportFormatCount; ++i) {
        auto* item = new QRadioButton(exporting::captionOf(exporting::ExportFormat(i)), RGExportar);
        item->setGeometry(8, 15 + 16 * i, 85, 16);
        m_formats->addButton(item, i);
    }
    m_formats->button(0)->setChecked(true);

    Label39 = new QLabel(QStringLiteral("Nombre del archivo destino :"), this);
    Label39->setObjectName(QStringLiteral("Label39"));
    QFont bold = Label39->font();
    bold.setBold(true);
    Label39->setFont(bold);
    Label39->move(112, 40);
    Label39->adjustSize();

    SENombreReporte = new controls::TNorvaEdit(this);
    SENombreReporte->setObjectName(QStringLiteral("SENombreReporte"));
    SENombreReporte->setGeometry(112, 69, 169, 21);
    SENombreReporte->setText(QStringLiteral("Transacciones Pendientes"));
    Label39->setBuddy(SENombreReporte);

    BBAceptar3001 = button(this, QStringLiteral("BBAceptar3001"), QStringLiteral("&Aceptar"), 116);
    BBCancelar3002 =
        button(this, QStringLiteral("BBCancelar3002"), QStringLiteral("&Cancelar"), 208);
    connect(BBAceptar3001, &QPushButton::clicked, this, &ExportPanel::BBAceptar3001Click);
    connect(BBCancelar3002, &QPushButton::clicked, this, &ExportPanel::BBCancelar3002Click);

    hide();
}

ExportPanel::~ExportPanel() = default;

int ExportPanel::RGExportarIndex() const {
    return m_formats->checkedId();
}

void ExportPanel::SetRGExportarIndex(int index) {
    if (QAbstractButton* item = m_formats->button(index))
        item->setChecked(true);
}

exporting::ExportFormat ExportPanel::Format() const {
    const int index = RGExportarIndex();
    return index < 0 ? exporting::ExportFormat::Ascii : exporting::ExportFormat(index);
}

QString ExportPanel::FilePath() const {
    QString name = SENombreReporte->text();
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return m_module.ReportsFolder + name + exporting::extensionOf(Format());
}

void ExportPanel::setModuleEnabled(bool enabled) {
    m_module.EnableMainMenus(enabled);
    m_module.PanelReporte->setEnabled(enabled);
    m_module.OutlookBar->setEnabled(enabled);
    if (QWidget* notice = m_module.noticeWindow())
        notice->setEnabled(enabled);
}

void ExportPanel::BExportar019Click() {
    setModuleEnabled(false);
    show();
    raise();
    SENombreReporte->setFocus();
}

void ExportPanel::BBAceptar3001Click() {
    const QString name = SENombreReporte->text();
    const ReportPage::ExportOutcome outcome =
        m_page.ExportReport(m_page.CBActivarVencimiento->isChecked(), Format(), FilePath());
    if (outcome == ReportPage::ExportOutcome::Failed)
        return;
    if (outcome == ReportPage::ExportOutcome::Written)
        platform::showInformation(&m_module,
                                  QStringLiteral("El archivo ha sido creado en el directorio \"") +
                                      m_module.ReportsFolder + name + QLatin1Char('"'));
    closePanel();
}

void ExportPanel::BBCancelar3002Click() {
    closePanel();
}

void ExportPanel::closePanel() {
    setModuleEnabled(true);
    hide();
}

} // namespace reports
