#include "bank/DueInstallments.h"

#include "data/EngineError.h"
#include "data/Query.h"
#include "platform/Clock.h"
#include "platform/MessageBoxService.h"

namespace bank {

const QString InstallmentSelect = QStringLiteral(
    "SELECT FGP_AUTOINCKEY, FGP_FECHAPAGADO, FGP_TIPOTRANS, FGP_FECHAGIRO, FGP_GIRO, "
    "FGP_MONTOGIRO, FGP_STATUS, FGP_HORAGIRO, FGP_KEYTRANSACCION, FGP_PERIODOFIJO, "
    "FTP_AUTOINCKEY, FTP_DESCRIPCION, FTP_BANCO, FTP_BENEFICIARIO ");

QString DueInstallmentsSql() {
    return InstallmentSelect +
           QStringLiteral(
               "FROM m3GirosPendientes, m3TransPendientes WHERE (FGP_FECHAGIRO <= "
               ":Fecha) AND NOT(FGP_STATUS) AND (FTP_AUTOINCKEY = FGP_KEYTRANSACCION) ") +
           QStringLiteral(" ORDER BY FGP_FECHAGIRO, FGP_HORAGIRO ASC");
}

TGirosList& LoadDueInstallments(data::Query& query, TGirosList& list, int daysAhead,
                                QWidget* parent) {
    try {
        query.close();
        query.clearSql();
        query.addSql(DueInstallmentsSql());
        query.setParamDateTime(QStringLiteral("Fecha"),
                               platform::Clock::instance().today() + double(daysAhead));
        query.open();
        while (!query.eof()) {
            auto giro = std::make_shared<TGirosReg>();
            ReadInstallmentFields(*giro, query, false);
            giro->Descripcion = query.fieldByName(fields::FTP_DESCRIPCION).asString();
            giro->Banco = query.fieldByName(fields::FTP_BANCO).asString();
            giro->Beneficiario = query.fieldByName(fields::FTP_BENEFICIARIO).asString();
            list.push_back(std::move(giro));
            query.next();
        }
    } catch (const std::exception&) {
        platform::showError(
            parent,
            QStringLiteral("Error de Consulta al obtener datos de la Tabla m3GirosPendientes."));
    }
    query.close();
    return list;
}

} // namespace bank
