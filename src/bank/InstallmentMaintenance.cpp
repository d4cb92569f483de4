#include "bank/InstallmentMaintenance.h"

#include "bank/PageSupport.h"
#include "bank/PendingPage.h"
#include "bank/Schedule.h"
#include "controls/ListPainting.h"
#include "controls/OutlookBar.h"
#include "controls/RowTexts.h"
#include "controls/TNorvaDateEdit.h"
#include "controls/TNorvaList.h"
#include "controls/TNorvaNumberEdit.h"
#include "core/Formats.h"
#include "data/EngineError.h"
#include "data/Schema.h"
#include "platform/Clock.h"
#include "platform/MessageBoxService.h"
#include "shell/Tm3TransaccionesPendientesForm.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <cmath>

namespace bank {

namespace {

const QString Dash = QStringLiteral("-");
const QString InstallmentNotFound =
    QStringLiteral("Cuota no encontrada. Revise la tabla m3GirosPendientes");
const QString TransactionNotFound =
    QStringLiteral("Transacción no encontrada. Revise la tabla m3TransPendientes");
const QString PayQuestion = QStringLiteral(
    "La aplicación no avisará más esta transacción. Desea continuar con la operación?");

// Opens a module table on its primary index.
void openOnKey(data::Table& table) {
    table.setIndexName(QString());
    table.open();
}

void closeTable(data::Table& table) {
    table.cancel();
    table.close();
    table.setIndexName(QString());
}

} // namespace

InstallmentMaintenance::InstallmentMaintenance(shell::Tm3TransaccionesPendientesForm& form)
    : QObject(&form), m_form(form) {
    PopupMenuProcesar = new QMenu(&m_form);
    PopupMenuProcesar->setObjectName(QStringLiteral("PopupMenuProcesar"));
    Procesar1 = PopupMenuProcesar->addAction(QStringLiteral("&Procesar"));
    YaPagada1 = PopupMenuProcesar->addAction(QStringLiteral("&Ya Pagada"));
    PopupMenuProcesar->addSeparator();
    Imprimir1 = PopupMenuProcesar->addAction(QStringLiteral("&Imprimir"));
    PopupMenuProcesar->addSeparator();
    Eliminar1 = PopupMenuProcesar->addAction(QStringLiteral("&Eliminar"));
    Detalle1 = PopupMenuProcesar->addAction(QStringLiteral("&Detalle"));
    Modificar1 = PopupMenuProcesar->addAction(QStringLiteral("&Modificar"));
    Procesar1->setVisible(false);
    Procesar1->setObjectName(QStringLiteral("Procesar1"));
    YaPagada1->setObjectName(QStringLiteral("YaPagada1"));
    Imprimir1->setObjectName(QStringLiteral("Imprimir1"));
    Eliminar1->setObjectName(QStringLiteral("Eliminar1"));
    Detalle1->setObjectName(QStringLiteral("Detalle1"));
    Modificar1->setObjectName(QStringLiteral("Modificar1"));
    connect(Procesar1, &QAction::triggered, this, &InstallmentMaintenance::Procesar1Click);
    connect(YaPagada1, &QAction::triggered, this, &InstallmentMaintenance::YaPagada1Click);
    connect(Eliminar1, &QAction::triggered, this, &InstallmentMaintenance::Eliminar1Click);
    connect(Detalle1, &QAction::triggered, this, &InstallmentMaintenance::Detalle1Click);
    connect(Modificar1, &QAction::triggered, this, &InstallmentMaintenance::Modificar1Click);

    buildDetailPanel();
    buildEditPanel();
    ClearInstallmentDetail();
}

InstallmentMaintenance::~InstallmentMaintenance() = default;

void InstallmentMaintenance::buildDetailPanel() {
    QWidget* panel = m_form.PanelAviso;
    LTituloPendiente =
        MakeLabel(panel, QStringLiteral("LTituloPendiente"),
                  QStringLiteral(" Transacción Bancaria Pendiente"), 0, 0, panel->width(), 20);
    ImagenDetalle = new QLabel(panel);
    ImagenDetalle->setObjectName(QStringLiteral("ImagenDetalle"));
    ImagenDetalle->setGeometry(290, 30, 40, 30);
    struct Line {
        QLabel** caption;
        const char* captionName;
        const char* text;
        QLabel** value;
        const char* valueName;
        int y;
    };
    const Line lines[] = {
        {&LTTipoTrans, "LTTipoTrans", "Tipo Transacción:", &LTipoTrans, "LTipoTrans", 40},
        {&LTNroDoc, "LTNroDoc", "Número Doc. #", &LNroDoc, "LNroDoc", 62},
        {&LTDescrip, "LTDescrip", "Descripción:", &LDescrip, "LDescrip", 84},
        {&LTBenefi, "LTBenefi", "Beneficiario:", &LBeneficiario, "LBeneficiario", 106},
        {&LTFecha, "LTFecha", "Fecha:", &LFecha, "LFecha", 128},
        {&LTMonto, "LTMonto", "Monto:", &LDetalleMonto, "LDetalleMonto", 150},
        {&LTCouta, "LTCouta", "Cuota Nro.:", &LCoutaDetalle, "LCoutaDetalle", 206},
        {&LTBanco, "LTBanco", "Banco:", &LBanco, "LBanco", 228},
        {&LTFechaPagado, "LTFechaPagado", "Pagado en la fecha:", &LFechaPagado, "LFechaPagado",
         250},
    };
    for (const Line& line : lines) {
        *line.caption = MakeLabel(panel, QString::fromLatin1(line.captionName),
                                  QString::fromUtf8(line.text), 10, line.y, 115);
        *line.value = MakeLabel(panel, QString::fromLatin1(line.valueName), Dash, 130, line.y, 200);
    }
    LTMasDetalle = MakeLabel(panel, QStringLiteral("LTMasDetalle"),
                             QStringLiteral("Detalles Banco"), 10, 182, 200);
    QPalette red = LDetalleMonto->palette();
    red.setColor(QPalette::WindowText, QColor(controls::GridRed));
    LDetalleMonto->setPalette(red);

    const int y = panel->height() - 34;
    BProcesar022 =
        MakeButton(panel, QStringLiteral("BProcesar022"), QStringLiteral("&Pagado"), 10, y, 80);
    BVolver2032 =
        MakeButton(panel, QStringLiteral("BVolver2032"), QStringLiteral("&Regresar"), 96, y, 80);
    BLimpiar010 =
        MakeButton(panel, QStringLiteral("BLimpiar010"), QStringLiteral("&Limpiar"), 182, y, 80);
    BVolver2032->hide();
    BLimpiar010->hide();
    connect(BProcesar022, &QPushButton::clicked, this, &InstallmentMaintenance::BProcesar022Click);
    connect(BVolver2032, &QPushButton::clicked, this, &InstallmentMaintenance::BVolver2032Click);
    connect(BLimpiar010, &QPushButton::clicked, this,
            &InstallmentMaintenance::ClearInstallmentDetail);
}

void InstallmentMaintenance::buildEditPanel() {
    PanelEditar = new QFrame(m_form.PanelPendiente->parentWidget());
    PanelEditar->setObjectName(QStringLiteral("PanelEditar"));
    PanelEditar->setFrameShape(QFrame::Box);
    PanelEditar->setAutoFillBackground(true);
    PanelEditar->setGeometry(m_form.PanelPendiente->x() + 40, 110, 264, 150);
    LTituloEditar = MakeLabel(PanelEditar, QStringLiteral("LTituloEditar"),
                              QStringLiteral(" Modificar Cuota"), 1, 1, 262, 20);
    MakeLabel(PanelEditar, QStringLiteral("LNorDocumento"), QStringLiteral("Nro. Documento:"), 10,
              32, 100);
    ENorDocumento = new controls::TNorvaNumberEdit(PanelEditar);
    ENorDocumento->setObjectName(QStringLiteral("ENorDocumento"));
    ENorDocumento->setGeometry(115, 30, 130, 21);
    ENorDocumento->NorvaNumberObject().SetTipoDato(controls::TDato::Entero);
    ENorDocumento->NorvaNumberObject().SetDecimales(0);
    ENorDocumento->NorvaNumberObject().SetMaxValor(2147483647.0);
    ENorDocumento->SetHideSeparator(true);
    ENorDocumento->setReadOnly(true);
    MakeLabel(PanelEditar, QStringLiteral("LFechaVencimiento"), QStringLiteral("Vencimiento:"), 10,
              59, 100);
    EFechaVencimiento = new controls::TNorvaDateEdit(PanelEditar);
    EFechaVencimiento->setObjectName(QStringLiteral("EFechaVencimiento"));
    EFechaVencimiento->setGeometry(115, 57, 130, 21);
    MakeLabel(PanelEditar, QStringLiteral("LMontoPagar"), QStringLiteral("Monto a pagar:"), 10, 86,
              100);
    EMontoPagar = new controls::TNorvaNumberEdit(PanelEditar);
    EMontoPagar->setObjectName(QStringLiteral("EMontoPagar"));
    EMontoPagar->setGeometry(115, 84, 130, 21);
    EMontoPagar->NorvaNumberObject().SetTipoDato(controls::TDato::Reales);
    EMontoPagar->NorvaNumberObject().SetDecimales(2);
    EMontoPagar->NorvaNumberObject().SetMaxValor(controls::TNorvaNumberObject::DefaultMaxValor);
    BEditar001 = MakeButton(PanelEditar, QStringLiteral("BEditar001"), QStringLiteral("&Aceptar"),
                            40, 116, 85);
    BCancelar3002 = MakeButton(PanelEditar, QStringLiteral("BCancelar3002"),
                               QStringLiteral("&Cancelar"), 135, 116, 85);
    connect(BEditar001, &QPushButton::clicked, this, &InstallmentMaintenance::BEditar001Click);
    connect(BCancelar3002, &QPushButton::clicked, this,
            &InstallmentMaintenance::BCancelar3002Click);
    PanelEditar->hide();
}

// ------------------------------------------------------------------ pop-up

void InstallmentMaintenance::AttachPopup(controls::TNorvaList* list, ListKind kind) {
    m_kinds.insert(list, kind);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this, [this, list](const QPoint& at) {
        PreparePopup(list);
        PopupMenuProcesar->popup(list->viewport()->mapToGlobal(at));
    });
}

void InstallmentMaintenance::PreparePopup(controls::TNorvaList* list) {
    m_list = list;
    const ListKind kind = m_kinds.value(list, ListKind::Documents);
    if (kind == ListKind::Documents) {
        for (QAction* a : {Procesar1, YaPagada1, Eliminar1, Detalle1, Modificar1})
            a->setEnabled(false);
        Imprimir1->setEnabled(true);
        return;
    }
    for (QAction* a : {Procesar1, YaPagada1, Eliminar1, Detalle1, Modificar1})
        a->setEnabled(true);
    // Installments are deleted only from the list of one transaction.
    if (kind == ListKind::DateInstallments)
        Eliminar1->setEnabled(false);
}

TGirosRegPtr InstallmentMaintenance::selected(controls::TNorvaList* list) const {
    if (!list)
        return nullptr;
    return std::dynamic_pointer_cast<TGirosReg>(list->SharedRecordAt(list->ItemIndex()));
}

bool InstallmentMaintenance::isBrowseList(const controls::TNorvaList* list) const {
    const PendingPage* pending = m_form.Pending;
    return pending && list &&
           (list == pending->NorvaListPendientesBanco || list == pending->NorvaListFecha);
}

void InstallmentMaintenance::afterTotalsChanged(const controls::TNorvaList* list) {
    PendingPage* pending = m_form.Pending;
    pending->ShowTotals();
    // The date page shows the totals it remembers when the user comes back.
    if (list == pending->NorvaListFecha && m_form.ViewMemory.size() > 3) {
        m_form.ViewMemory[1] = CurrencyText(pending->TotalMonto);
        m_form.ViewMemory[2] = CurrencyText(pending->TotalPorPagar);
        m_form.ViewMemory[3] = CurrencyText(pending->TotalVencidos);
    }
}

void InstallmentMaintenance::installmentMissing(controls::TNorvaList* list) {
    platform::showError(&m_form, InstallmentNotFound);
    if (m_form.Pending && isBrowseList(list))
        m_form.Pending->ReloadList(list);
}

// --------------------------------------------------------------- marking paid

void InstallmentMaintenance::Procesar1Click() {
    markPaid(QStringLiteral("Ya se encuentra procesada."));
}

void InstallmentMaintenance::YaPagada1Click() {
    markPaid(QStringLiteral("Ya se encuentra procesada!"));
}

void InstallmentMaintenance::markPaid(const QString& alreadyPaid) {
    const TGirosRegPtr r = selected(m_list);
    if (!r) {
        platform::showInformation(&m_form,
                                  QStringLiteral("Seleccione un ítem antes de modificar!"));
        return;
    }
    if (r->Status) {
        platform::showInformation(&m_form, alreadyPaid);
        return;
    }
    MarkInstallmentPaid(m_list);
}

void InstallmentMaintenance::MarkInstallmentPaid(controls::TNorvaList* list) {
    const TGirosRegPtr r = selected(list);
    if (!r)
        return;
    data::Table& giros = m_form.TablaGirosPendientes;
    if (platform::confirm(&m_form, PayQuestion)) {
        bool missing = false;
        try {
            const core::TDateTime today = platform::Clock::instance().today();
            openOnKey(giros);
            if (!giros.findKey({r->AutoIncKey})) {
                missing = true;
            } else {
                const bool fixed = giros.fieldByName(fields::FGP_PERIODOFIJO).asInteger() != 0;
                giros.edit();
                giros.fieldByName(fields::FGP_STATUS).setAsBoolean(true);
                giros.fieldByName(fields::FGP_FECHAPAGADO).setAsDateTime(today);
                giros.post();
                TGirosReg row;
                ReadInstallmentFields(row, giros, true);
                giros.close();
                // The row as it stands now tells whether it still carries the code.
                if (fixed)
                    RenewFixedInstallment(row);
                r->Status = true;
                r->FechaPagado = row.FechaPagado;
                if (isBrowseList(list)) {
                    PendingPage* pending = m_form.Pending;
                    pending->TotalPorPagar -= r->MontoGiro;
                    if (today > r->FechaGiro)
                        pending->TotalVencidos -= r->MontoGiro;
                    afterTotalsChanged(list);
                }
            }
        } catch (const std::exception&) {
            closeTable(giros);
            platform::showError(
                &m_form,
                QStringLiteral("Error al editar el campo Status en la tabla m3GirosPendientes"));
        }
        closeTable(giros);
        if (missing)
            platform::showError(&m_form, InstallmentNotFound);
        m_form.RefreshDueInstallments();
        if (missing && isBrowseList(list))
            m_form.Pending->ReloadList(list);
    }
    list->viewport()->update();
    m_form.FocusField(list);
    closeTable(giros);
}

bool InstallmentMaintenance::RenewFixedInstallment(const TGirosReg& r) {
    const std::optional<core::TDateTime> next = NextPeriodDate(r.FechaGiro, r.PeriodoFijo);
    if (!next)
        return false; // no series to go on with
    data::Table& giros = m_form.TablaGirosPendientes;
    data::Table& trans = m_form.TablaTransPendientes;
    bool inserted = false;
    bool moved = false;
    qint64 newKey = 0;
    QString missing;
    try {
        openOnKey(giros);
        if (!giros.findKey({r.AutoIncKey})) {
            missing = InstallmentNotFound;
        } else if (giros.fieldByName(fields::FGP_PERIODOFIJO).asInteger() == 0) {
            // Renewed already (by the notice check, or another copy of the program).
        } else {
            openOnKey(trans);
            if (!trans.findKey({r.KeyTransaccion})) {
                missing = TransactionNotFound;
            } else {
                // The next installment is written first; only then does the code
                // leave the renewed one.
                giros.insert();
                giros.fieldByName(fields::FGP_PERIODOFIJO).setAsInteger(r.PeriodoFijo);
                giros.fieldByName(fields::FGP_KEYTRANSACCION).setAsInteger(r.KeyTransaccion);
                giros.fieldByName(fields::FGP_GIRO).setAsInteger(r.Giro + 1);
                giros.fieldByName(fields::FGP_TIPOTRANS).setAsInteger(r.TipoTrans);
                giros.fieldByName(fields::FGP_MONTOGIRO).setAsCurrency(r.MontoGiro);
                giros.fieldByName(fields::FGP_HORAGIRO).setAsDateTime(r.HoraGiro);
                giros.fieldByName(fields::FGP_STATUS).setAsBoolean(false);
                giros.fieldByName(fields::FGP_FECHAGIRO).setAsDateTime(*next);
                giros.post();
                newKey = giros.fieldByName(fields::FGP_AUTOINCKEY).asInteger();
                inserted = true;
                if (!giros.findKey({r.AutoIncKey}))
                    throw data::EngineError(InstallmentNotFound);
                giros.edit();
                giros.fieldByName(fields::FGP_PERIODOFIJO).setAsInteger(0);
                giros.post();
                moved = true;
            }
        }
    } catch (const std::exception&) {
        giros.cancel();
        if (inserted && !moved) {
            // The renewed installment keeps the code: the new one goes again.
            try {
                if (giros.isOpen() && giros.findKey({newKey})) {
                    giros.remove();
                    inserted = false;
                }
            } catch (const std::exception&) {
                giros.cancel();
            }
        }
        platform::showError(&m_form, QStringLiteral("Error al introducir nueva cuota."));
    }
    // The count follows the rows: it grows only with a written installment.
    if (inserted) {
        try {
            trans.edit();
            trans.fieldByName(fields::FTP_NROGIROS)
                .setAsInteger(trans.fieldByName(fields::FTP_NROGIROS).asInteger() + 1);
            trans.post();
        } catch (const std::exception&) {
            trans.cancel();
            platform::showError(
                &m_form, QStringLiteral(
                             "Error al editar \"FTP_NROGIROS\" de la tabla TablaTransPendientes."));
        }
    }
    closeTable(giros);
    closeTable(trans);
    if (!missing.isEmpty())
        platform::showError(&m_form, missing);
    return inserted && moved;
}

// ------------------------------------------------------------------ deleting

void InstallmentMaintenance::Eliminar1Click() {
    if (!selected(m_list)) {
        platform::showInformation(&m_form, QStringLiteral("Seleccione un ítem a eliminar!"));
        return;
    }
    DeleteInstallment(m_list);
}

void InstallmentMaintenance::DeleteInstallment(controls::TNorvaList* list) {
    const int row = list ? list->ItemIndex() : -1;
    const TGirosRegPtr r = selected(list);
    if (!r)
        return;
    if (!platform::confirm(&m_form, QStringLiteral("Desea Eliminar la Cuota?")))
        return;
    data::Table& giros = m_form.TablaGirosPendientes;
    data::Table& trans = m_form.TablaTransPendientes;
    bool deleted = false;
    bool missing = false;
    core::Currency amount = r->MontoGiro;
    try {
        openOnKey(giros);
        if (!giros.findKey({r->AutoIncKey})) {
            missing = true;
        } else {
            if (giros.fieldByName(fields::FGP_PERIODOFIJO).asInteger() != 0 &&
                !platform::confirm(
                    &m_form, QStringLiteral("La cuota a eliminar es fija, si la elimina no se "
                                            "crearan mas cuotas. Desea continuar con la "
                                            "operación?"))) {
                closeTable(giros);
                return;
            }
            amount = giros.fieldByName(fields::FGP_MONTOGIRO).asCurrency();
            giros.remove();
            deleted = true;
            giros.close();
            giros.open();
            giros.setIndexName(data::schema::KeyTransaccionIndex);
            giros.cancelRange();
            giros.setRange(r->KeyTransaccion, r->KeyTransaccion);
            int k = 0;
            for (giros.first(); !giros.eof(); giros.next()) {
                ++k;
                if (giros.fieldByName(fields::FGP_GIRO).asInteger() == k)
                    continue;
                giros.edit();
                giros.fieldByName(fields::FGP_GIRO).setAsInteger(k);
                giros.post();
            }
        }
    } catch (const std::exception&) {
        giros.cancel();
        platform::showError(
            &m_form, QStringLiteral("Error al eliminar los datos en la tabla m3GirosPendientes"));
    }
    // Once the row is gone the transaction's count and amount follow, also
    // when the renumbering of the others failed.
    if (deleted) {
        try {
            openOnKey(trans);
            if (!trans.findKey({r->KeyTransaccion})) {
                platform::showError(&m_form, TransactionNotFound);
            } else {
                trans.edit();
                data::Field& count = trans.fieldByName(fields::FTP_NROGIROS);
                count.setAsInteger(count.asInteger() - 1);
                data::Field& total = trans.fieldByName(fields::FTP_MONTO);
                const qint64 raw = std::llround(total.asFloat() * double(core::Currency::Scale));
                total.setAsFloat(double(raw - amount.raw()) / double(core::Currency::Scale));
                trans.post();
                if (m_form.Pending)
                    if (TTransReg* t = m_form.Pending->SelectedTransaction();
                        t && t->Key == r->KeyTransaccion)
                        t->NroGiros -= 1;
            }
        } catch (const std::exception&) {
            trans.cancel();
            platform::showError(
                &m_form, QStringLiteral("Error al editar el registro \"FTP_NROGIROS\" en la tabla "
                                        "m3TransPendientes"));
        }
    }
    closeTable(giros);
    closeTable(trans);
    if (missing)
        platform::showError(&m_form, InstallmentNotFound);
    if (deleted) {
        list->RemoveItem(row);
        m_form.SetRecordCount(list->Count());
        if (list->Count() == 0) {
            list->ShowPlaceholder();
            m_form.SetRecordCount(0);
        }
    }
    m_form.RefreshDueInstallments();
    if (m_form.Pending && list == m_form.Pending->NorvaListPendientesBanco) {
        m_form.Pending->BTAnterior0032Click();
        m_form.Pending->BVer008Click();
    }
}

// ------------------------------------------------------------------- editing

void InstallmentMaintenance::Modificar1Click() {
    const TGirosRegPtr r = selected(m_list);
    if (!r) {
        platform::showInformation(&m_form,
                                  QStringLiteral("Seleccione un ítem antes de modificar!"));
        return;
    }
    if (r->Status) {
        platform::showInformation(&m_form, QStringLiteral("Ya se encuentra pagada!"));
        return;
    }
    m_edit = r;
    m_editList = m_list;
    SetNoticeEnabled(m_form, false);
    m_form.EnableMainMenus(false);
    m_form.PanelPendiente->setEnabled(false);
    SetSideBarEnabled(m_form, false);
    if (m_form.Pending)
        m_form.Pending->BTAnterior0032->setEnabled(false);
    SetTrayItemsEnabled(m_form, false);
    ENorDocumento->SetInitText(r->AutoIncKey);
    EFechaVencimiento->SetDate(r->FechaGiro);
    EMontoPagar->SetInitText(r->MontoGiro.toDouble());
    PanelEditar->show();
    PanelEditar->raise();
    m_form.FocusField(EFechaVencimiento);
}

void InstallmentMaintenance::BEditar001Click() {
    if (EFechaVencimiento->text().isEmpty() || EMontoPagar->text().isEmpty()) {
        platform::showWarning(&m_form, QStringLiteral("Faltan campos por llenar."));
        return;
    }
    const TGirosRegPtr r = m_edit;
    controls::TNorvaList* list = m_editList;
    data::Table& giros = m_form.TablaGirosPendientes;
    bool missing = false;
    if (r) {
        try {
            openOnKey(giros);
            if (!giros.findKey({r->AutoIncKey})) {
                missing = true;
                platform::showError(&m_form, InstallmentNotFound);
            } else {
                const core::TDateTime date = EFechaVencimiento->Date();
                const double amount = EMontoPagar->RealValue();
                giros.edit();
                giros.fieldByName(fields::FGP_FECHAGIRO).setAsDateTime(date);
                giros.fieldByName(fields::FGP_MONTOGIRO).setAsFloat(amount);
                giros.post();
                const core::Currency now = core::Currency::fromDouble(amount);
                const core::Currency d = now - r->MontoGiro;
                if (isBrowseList(list)) {
                    PendingPage* pending = m_form.Pending;
                    pending->TotalPorPagar += d;
                    pending->TotalMonto += d;
                    if (platform::Clock::instance().today() > r->FechaGiro)
                        pending->TotalVencidos += d;
                    afterTotalsChanged(list);
                }
                r->MontoGiro = now;
                r->FechaGiro = date;
            }
        } catch (const std::exception&) {
            giros.cancel();
            platform::showError(
                &m_form, QStringLiteral("Error al editar campos en la tabla m3GirosPendientes"));
        }
    }
    m_form.RefreshDueInstallments();
    if (list) {
        list->viewport()->update();
        m_form.FocusField(list);
    }
    closeTable(giros);
    endEdit(true);
    if (missing && isBrowseList(list))
        m_form.Pending->ReloadList(list);
}

void InstallmentMaintenance::BCancelar3002Click() {
    ENorDocumento->SetInitText(0);
    EFechaVencimiento->clear();
    EMontoPagar->SetInitText(0);
    endEdit(false);
}

void InstallmentMaintenance::endEdit(bool) {
    PanelEditar->hide();
    m_form.PanelPendiente->setEnabled(true);
    if (m_form.Pending)
        m_form.Pending->BTAnterior0032->setEnabled(true);
    // The installments of one transaction keep the frame held until "&Regresar".
    const bool oneTransaction = m_form.Pending && m_form.Pending->ShowsInstallments();
    if (!oneTransaction) {
        SetNoticeEnabled(m_form, true);
        SetSideBarEnabled(m_form, true);
        m_form.EnableMainMenus(true);
        SetTrayItemsEnabled(m_form, true);
    }
    if (m_editList)
        m_form.FocusField(m_editList);
    m_edit.reset();
    m_editList = nullptr;
}

// ------------------------------------------------------------ detail panel

void InstallmentMaintenance::Detalle1Click() {
    const TGirosRegPtr r = selected(m_list);
    if (!r)
        return;
    ShowDetail(r);
}

void InstallmentMaintenance::ShowDetail(const TGirosRegPtr& r) {
    if (!r)
        return;
    m_detail = r;
    LTipoTrans->setText(r->TipoTrans == 0   ? QStringLiteral("Cheque")
                        : r->TipoTrans == 1 ? QStringLiteral("Nota Débito")
                                            : QString());
    LDescrip->setText(r->Descripcion);
    LFecha->setText(core::formatShortDate(r->FechaGiro));
    LDetalleMonto->setText(TrimmedAmount(r->MontoGiro));
    LNroDoc->setText(QString::number(r->AutoIncKey));
    LBanco->setText(r->Banco);
    LBeneficiario->setText(r->Beneficiario);
    LCoutaDetalle->setText(QString::number(r->Giro));
    LFechaPagado->setText(r->FechaPagado);
    ImagenDetalle->update();
    ImagenDetalle->show();
    BProcesar022->setEnabled(!r->Status);
    if (m_form.Pending && m_form.Pending->ShowsInstallments())
        BVolver2032->show();
    ShowInstallmentDetail(true);
}

void InstallmentMaintenance::ShowInstallmentDetail(bool enable) {
    for (QLabel* caption : {LTMasDetalle, LTBanco, LTCouta, LTBenefi, LTNroDoc, LTTipoTrans,
                            LTDescrip, LTFecha, LTMonto, LTFechaPagado})
        caption->setEnabled(enable);
    if (!m_form.isVisible())
        m_form.show();
    controls::OutlookBar* bar = m_form.OutlookBar;
    const int group = shell::Tm3TransaccionesPendientesForm::GroupPendientes;
    constexpr int DetalleItem = 2;
    if (bar->selectedItem(group) != DetalleItem || !m_form.PanelAviso->isVisible()) {
        bar->setActiveGroup(group);
        bar->clickItem(group, DetalleItem);
    }
}

void InstallmentMaintenance::ClearInstallmentDetail() {
    ImagenDetalle->hide();
    for (QLabel* caption : {LTNroDoc, LTTipoTrans, LTDescrip, LTFecha, LTMonto, LTMasDetalle,
                            LTBanco, LTBenefi, LTCouta, LTFechaPagado})
        caption->setEnabled(false);
    for (QLabel* value : {LNroDoc, LTipoTrans, LDescrip, LFecha, LDetalleMonto, LBanco,
                          LBeneficiario, LCoutaDetalle, LFechaPagado})
        value->setText(Dash);
    BProcesar022->setEnabled(false);
    BLimpiar010->setEnabled(false);
    m_detail.reset();
}

void InstallmentMaintenance::BProcesar022Click() {
    if (!platform::confirm(&m_form, PayQuestion))
        return;
    bool ok = false;
    const qint64 key = LNroDoc->text().toLongLong(&ok);
    data::Table& giros = m_form.TablaGirosPendientes;
    const TGirosRegPtr shown = m_detail;
    try {
        openOnKey(giros);
        if (!ok || !giros.findKey({key})) {
            platform::showError(&m_form, InstallmentNotFound);
        } else {
            const bool fixed = giros.fieldByName(fields::FGP_PERIODOFIJO).asInteger() != 0;
            giros.edit();
            giros.fieldByName(fields::FGP_STATUS).setAsBoolean(true);
            giros.fieldByName(fields::FGP_FECHAPAGADO)
                .setAsDateTime(platform::Clock::instance().today());
            giros.post();
            TGirosReg row;
            ReadInstallmentFields(row, giros, true);
            giros.close();
            // Paying the newest installment of a fixed series goes on with the
            // series, as it does from the lists.
            if (fixed)
                RenewFixedInstallment(row);
            if (shown && shown->AutoIncKey == key) {
                shown->Status = true;
                shown->FechaPagado = row.FechaPagado;
            }
        }
    } catch (const std::exception&) {
        giros.cancel();
        platform::showError(
            &m_form,
            QStringLiteral("Error al editar el campo Status en la tabla m3TransPendientes"));
    }
    m_form.RefreshDueInstallments();
    closeTable(giros);
}

void InstallmentMaintenance::BVolver2032Click() {
    BVolver2032->hide();
    m_form.OutlookBar->setSelectedItem(shell::Tm3TransaccionesPendientesForm::GroupPendientes, 0);
    m_form.ShowPanel(false, false, true, false, false, false, false);
}

} // namespace bank
